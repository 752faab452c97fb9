#include "toc/time_optimal.h"

#include <cmath>

#include "robot/dynamics.h"
#include "robot/motion_sample.h"
#include "toc/newton.h"

namespace {

void print_title(const Scenario& s, Console& con) {
  if (s.robot_type == 'a') con.print("\n円筒座標ロボットのPTP最短時間制御");
  if (s.robot_type == 'b') con.print("\nSCARAロボットのPTP最短時間制御");
  if (s.gravity_mode == 'g') {
    con.print("\n重力考慮する");
  } else {
    con.print("\n重力考慮しない");
  }
}

}  // namespace

int solve_switching_times(Scenario& s, Console& con) {
  print_title(s, con);

  const char robot = s.robot_type;
  RobotRecord& rec = model_record(s, robot);
  const double y_start[4] = {rec.Phi0[0], rec.Phi0[1], 0.0, 0.0};
  const double x_target[4] = {rec.Phif[0], rec.Phif[1], 0.0, 0.0};

  // Joint-1 inertia at the start, and the rest-to-rest time of joint 1 alone
  // at its full torque without gravity: the scale of the initial estimate.
  double I1;
  if (robot == 'b') {
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

  const double tf1 = pass1.plan.tt[3];
  const double tf2 = pass2.plan.tt[3];
  if (tf1 > 1000 && tf2 > 1000) return 0;

  const SwitchingPlan& winner = (tf1 < tf2) ? pass1.plan : pass2.plan;
  for (int k = 0; k < 4; ++k) {
    rec.tt[k] = winner.tt[k];
    for (int j = 0; j < 2; ++j) rec.torque_sign[k][j] = static_cast<double>(winner.sign[k][j]);
  }
  return 1;
}

void store_toc_frame(Scenario& s, int k, const double x[6]) {
  if (k < 0 || k >= kRecordCapacity) return;
  RobotRecord& rec = model_record(s, s.robot_type);
  record_motion_sample(s, s.robot_type, 'T', k * s.dt, x, rec.toc_phi[k], rec.toc_tip[k],
                       rec.toc_tau[k]);
}

int compute_time_optimal(Scenario& s, Console& con) {
  if (solve_switching_times(s, con) == 0) return 0;

  const char robot = s.robot_type;
  const RobotRecord& rec = model_record(s, robot);
  double x[6] = {rec.Phi0[0], rec.Phi0[1], 0.0, 0.0, 0.0, 0.0};
  store_toc_frame(s, 0, x);

  const RobotDerivative deriv(s, robot, s.control_mode);
  const int last = last_sample(s.frame_count);
  double t = 0.0;
  for (int k = 1; k <= last; ++k) {
    advance_one_sample(deriv, t, s.dt, x);
    t = t + s.dt;
    store_toc_frame(s, k, x);
  }
  return 1;
}
