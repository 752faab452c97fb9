// The cylindrical-coordinate robot's table: joint 1 rotates (theta), joint 2
// slides (r).
#include <cmath>

#include "model/constants.h"
#include "robot/kinematics.h"
#include "robot/robot_kind.h"

namespace {

RobotConditions& conditions(Conditions& c) { return c.cyl; }
const RobotConditions& const_conditions(const Conditions& c) { return c.cyl; }
RobotRun& run(Runs& r) { return r.cyl_run; }
const RobotRun& const_run(const Runs& r) { return r.cyl_run; }

void torque_limits(Conditions& s) {
  CylConditions& c = s.cyl;
  c.tau1max_h = c.tau1_motor * c.u1;
  c.tau2max_h = c.tau2_motor * c.u2;
  c.tau1max_g = GRAVITY * s.mw * c.L + c.tau1max_h;
  c.tau2max_g = GRAVITY * s.mw + c.tau2max_h;
}

void inertias(Conditions& s) {
  CylConditions& c = s.cyl;
  c.IM1 = c.IM1_motor * c.u1 * c.u1;
  c.mM2 = c.mM2_motor * c.u2 * c.u2;
  double R = std::fabs(c.Phi0[1]);  // the larger extension of the two end points
  if (std::fabs(c.Phif[1]) > R) R = std::fabs(c.Phif[1]);
  c.J1 = s.mw * R * R + c.IM1;
  c.M2 = s.mw + c.mM2;
}

void terminal_times(Conditions& s) {
  CylConditions& c = s.cyl;
  const double G[2] = {GRAVITY * s.mw * c.L, GRAVITY * s.mw};
  const double J[2] = {c.J1, c.M2};
  double A[2];
  full_torque_accelerations(c, s.gravity, G, J, A);
  const double A1 = 0.9 * A[0];
  const double A2 = 0.9 * A[1];
  const double D1 = c.Phif[0] - c.Phi0[0];
  const double D2 = c.Phif[1] - c.Phi0[1];
  double R = c.Phi0[1];
  if (c.Phi0[1] < c.Phif[1]) R = c.Phif[1];
  rest_to_rest_times(c, D1, A1, D2, A2);
  const double a1 = 4 * D1 / (c.tf * c.tf);
  const double b2 = 4 * D2 / (c.tf * c.tf);
  const double V = (c.tf / 2) * a1;
  // Centrifugal limit: the joint-2 force left after accelerating must hold the
  // work mass on its circle, which bounds the joint-1 velocity by W.
  const double W = std::sqrt((c.tau2max_h - std::fabs(b2) * c.M2) / (std::fabs(R) * s.mw));
  if (std::fabs(V) > W) {
    c.tf3 = 2 * std::fabs(D1) / W;
    if (c.tf < c.tf3) c.tf = c.tf3;
  }
  c.alpha1 = 4 * D1 / (c.tf * c.tf);
  c.a2 = 4 * D2 / (c.tf * c.tf);
  s.tfm = c.tf;
}

void pid_inertias(const Conditions& s, double J[2]) {
  J[0] = s.cyl.J1;
  J[1] = s.cyl.M2;
}

void tip(const Conditions&, double q1, double q2, double out[2]) { cylindrical_tip(q1, q2, out); }

double joint2_reference_acceleration(const Conditions& s) { return s.cyl.a2; }

double start_inertia(const Conditions& s) {
  const CylConditions& c = s.cyl;
  return s.mw * (c.Phi0[1] * c.Phi0[1]) + c.IM1;
}

// The work mass at the start radius turning, and the same mass sliding.
void load_inertias(const Conditions& s, double load[2], double motor[2]) {
  const CylConditions& c = s.cyl;
  load[0] = s.mw * (c.Phi0[1] * c.Phi0[1]);
  load[1] = s.mw;
  motor[0] = c.IM1_motor;
  motor[1] = c.mM2_motor;
}

}  // namespace

const RobotKind& cylindrical_kind() {
  static constexpr RobotKind kind{
      conditions, const_conditions, run,          const_run,     false,
      torque_limits, inertias,      terminal_times, pid_inertias, tip,
      joint2_reference_acceleration, start_inertia, load_inertias, false};
  return kind;
}
