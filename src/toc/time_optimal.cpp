#include "toc/time_optimal.h"

#include <cmath>

#include "robot/motion_sample.h"
#include "toc/newton.h"

namespace {

PassSummary summary_of(const NewtonPassResult& pass) {
  return PassSummary{pass.updates, pass.failed, pass.plan.tt[3]};
}

}  // namespace

TimeOptimalResult solve_switching_times(Scenario& s, Robot robot) {
  RobotRecord& rec = model_record(s, robot);
  const double y_start[4] = {rec.Phi0[0], rec.Phi0[1], 0.0, 0.0};
  const double x_target[4] = {rec.Phif[0], rec.Phif[1], 0.0, 0.0};

  // Joint-1 inertia at the start, and the rest-to-rest time of joint 1 alone
  // at its full torque without gravity: the scale of the initial estimate.
  double I1;
  if (robot == Robot::Scara) {
    const double reach = s.scara.l1 + s.scara.l2 * std::cos(rec.Phi0[1]);
    I1 = s.mw * (reach * reach) + s.scara.IM1 + s.scara.IJ1;
  } else {
    I1 = s.mw * (rec.Phi0[1] * rec.Phi0[1]) + s.cyl.IM1;
  }
  const double D1 = rec.Phif[0] - rec.Phi0[0];
  const double T = 2 * std::sqrt(std::fabs(D1) * I1 / rec.tau1max_h);
  const double tf0 = 0.6 * T;
  const double z_init[4] = {0.25 * tf0, 0.5 * tf0, 0.75 * tf0, tf0};
  const int s1 = D1 > 0 ? 1 : -1;

  const ShootingModel model(s, robot);
  const NewtonPassResult pass1 = newton_pass(model, y_start, x_target, s1, -1, z_init);
  const NewtonPassResult pass2 = newton_pass(model, y_start, x_target, s1, +1, z_init);

  TimeOptimalResult result{false, {summary_of(pass1), summary_of(pass2)}};
  const double tf1 = pass1.plan.tt[3];
  const double tf2 = pass2.plan.tt[3];
  if (tf1 > 1000 && tf2 > 1000) return result;

  const SwitchingPlan& winner = (tf1 < tf2) ? pass1.plan : pass2.plan;
  for (int k = 0; k < 4; ++k) {
    rec.tt[k] = winner.tt[k];
    for (int j = 0; j < 2; ++j) rec.torque_sign[k][j] = static_cast<double>(winner.sign[k][j]);
  }
  result.found = true;
  return result;
}

TimeOptimalResult compute_time_optimal(Scenario& s, Robot robot) {
  const TimeOptimalResult result = solve_switching_times(s, robot);
  if (result.found) record_motion(s, robot, ControlMode::TimeOptimal, model_record(s, robot).Phi0);
  return result;
}
