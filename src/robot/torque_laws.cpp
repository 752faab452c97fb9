#include "robot/torque_laws.h"

#include "robot/robot_kind.h"

double torque_limit(const RobotConditions& rec, Gravity gravity, int j) {
  if (gravity == Gravity::On) return j == 0 ? rec.tau1max_g : rec.tau2max_g;
  return j == 0 ? rec.tau1max_h : rec.tau2max_h;
}

TorqueLaw::TorqueLaw(const Conditions& s, const RobotRun& run, Robot robot, ControlMode mode)
    : mode_(mode), motion_(run.general_motion ? &run.motion : nullptr) {
  const RobotConditions& rec = model_conditions(s, robot);
  for (int j = 0; j < 2; ++j) {
    limit_[j] = torque_limit(rec, s.gravity, j);
    phi0_[j] = rec.Phi0[j];
    phif_[j] = rec.Phif[j];
  }
  for (int k = 0; k < 4; ++k) {
    tt_[k] = run.tt[k];
    for (int j = 0; j < 2; ++j) bang_[k][j] = run.torque_sign[k][j] * limit_[j];
  }
  Kp_[0] = rec.Kp1;
  Kd_[0] = rec.Kd1;
  Ki_[0] = rec.Ki1;
  Kp_[1] = rec.Kp2;
  Kd_[1] = rec.Kd2;
  Ki_[1] = rec.Ki2;
  T_ = rec.tf;
  t_half_ = T_ / 2;
  A_[0] = rec.alpha1;
  A_[1] = model_kind(robot).joint2_reference_acceleration(s);
}

double TorqueLaw::joint(int j, double t, const double* y) const {
  if (mode_ == ControlMode::TimeOptimal) {
    if (motion_ != nullptr) {
      double tau[2];
      general(t, y, tau);
      return tau[j];
    }
    const int rule = interval(t);
    if (rule == 4) return hold(j, y);
    if (rule >= 0) return bang_[rule][j];
    return 0.0;
  }
  double ref_pos;
  return feedback(j, t, y, ref_pos);
}
