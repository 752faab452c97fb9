#include "robot/torque_laws.h"

namespace {

// Joint-2 rising acceleration of the reference: a2 of the cylindrical robot,
// alpha2 of the SCARA.
double joint2_reference_acceleration(const Scenario& s, char robot) {
  if (robot == 'b') return s.scara.alpha2;
  return s.cyl.a2;
}

double joint_limit(const RobotRecord& rec, char gravity, int j) {
  if (gravity == 'g') return j == 0 ? rec.tau1max_g : rec.tau2max_g;
  return j == 0 ? rec.tau1max_h : rec.tau2max_h;
}

}  // namespace

double saturate_torque(const Scenario& s, char robot, char gravity, int joint, double u) {
  const RobotRecord& rec = model_record(s, robot);
  return saturate(u, joint_limit(rec, gravity, joint == 1 ? 0 : 1));
}

void reference_trajectory(const Scenario& s, char robot, double t, ReferencePoint ref[2]) {
  const RobotRecord& rec = model_record(s, robot);
  const double T = rec.tf;
  ref[0] = reference_profile(t, T / 2, T, rec.Phi0[0], rec.Phif[0], rec.alpha1);
  ref[1] = reference_profile(t, T / 2, T, rec.Phi0[1], rec.Phif[1],
                             joint2_reference_acceleration(s, robot));
}

TorqueLaw::TorqueLaw(const Scenario& s, char robot, char mode) : mode_(mode) {
  const RobotRecord& rec = model_record(s, robot);
  for (int j = 0; j < 2; ++j) {
    limit_[j] = joint_limit(rec, s.gravity_mode, j);
    phi0_[j] = rec.Phi0[j];
    phif_[j] = rec.Phif[j];
  }
  for (int k = 0; k < 4; ++k) {
    tt_[k] = rec.tt[k];
    for (int j = 0; j < 2; ++j) bang_[k][j] = rec.torque_sign[k][j] * limit_[j];
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
  A_[1] = joint2_reference_acceleration(s, robot);
}

double TorqueLaw::joint(int j, double t, const double* y) const {
  if (mode_ == 'T') {
    const int rule = interval(t);
    if (rule == 4) return hold(j, y);
    if (rule >= 0) return bang_[rule][j];
    return 0.0;
  }
  if (mode_ == 'F') {
    double ref_pos;
    return feedback(j, t, y, ref_pos);
  }
  return 0.0;
}

double joint_torque(const Scenario& s, char robot, char mode, int joint_selector, double t,
                    const double y[6]) {
  if (joint_selector != 2 && joint_selector != 3) return 0.0;
  return TorqueLaw(s, robot, mode).joint(joint_selector - 2, t, y);
}
