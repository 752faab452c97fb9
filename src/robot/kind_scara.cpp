// The SCARA robot's table: two rotary joints.
#include <cmath>

#include "model/constants.h"
#include "robot/kinematics.h"
#include "robot/robot_kind.h"
#include "robot/trig.h"

namespace {

RobotConditions& conditions(Conditions& c) { return c.scara; }
const RobotConditions& const_conditions(const Conditions& c) { return c.scara; }
RobotRun& run(Runs& r) { return r.scara_run; }
const RobotRun& const_run(const Runs& r) { return r.scara_run; }

void torque_limits(Conditions& s) {
  ScaraConditions& b = s.scara;
  b.tau1max_h = b.tau1_motor * b.u1;
  b.tau2max_h = 2 * b.tau2_motor * b.u2;
  b.tau1max_g = (b.m1 * b.l1 + (b.l1 + b.l2) * s.mw) * GRAVITY + b.tau1max_h;
  b.tau2max_g = GRAVITY * s.mw * b.l2 + b.tau2max_h;
}

void inertias(Conditions& s) {
  ScaraConditions& b = s.scara;
  b.IM1 = b.IM1_motor * b.u1 * b.u1;
  b.IM2 = b.IM2_motor * b.u2 * b.u2;
  double E = trig::cos(b.Phi0[1]);  // the more stretched elbow of the two end points
  if (trig::cos(b.Phif[1]) > E) E = trig::cos(b.Phif[1]);
  b.J22 = s.mw * b.l2 * b.l2 + b.IM2;
  b.J12 = s.mw * b.l2 * b.l2 + s.mw * b.l1 * b.l2 * E;
  b.J21 = b.J12;
  b.J11 = b.IJ1 + b.IM1 + b.IJ2 + s.mw * b.l1 * (2 * b.l2 * E + b.l1);
}

void terminal_times(Conditions& s) {
  ScaraConditions& b = s.scara;
  const double G[2] = {(b.m1 * b.l1 + (b.l1 + b.l2) * s.mw) * GRAVITY, GRAVITY * s.mw * b.l2};
  const double J[2] = {b.J11, b.J22};
  double A[2];
  full_torque_accelerations(b, s.gravity, G, J, A);
  const double A1 = 0.9 * A[0];  // joint 2 is not derated
  const double A2 = A[1];
  const double D1 = b.Phif[0] - b.Phi0[0];
  const double D2 = b.Phif[1] - b.Phi0[1];
  rest_to_rest_times(b, D1, A1, D2, A2);
  b.alpha1 = 4 * D1 / (b.tf * b.tf);
  b.alpha2 = 4 * D2 / (b.tf * b.tf);
  s.tfm = b.tf;
}

void pid_inertias(const Conditions& s, double J[2]) {
  J[0] = s.scara.J11;
  J[1] = s.scara.J22;
}

void tip(const Conditions& s, double q1, double q2, double out[2]) {
  scara_tip(s.scara.l1, s.scara.l2, q1, q2, out);
}

double joint2_reference_acceleration(const Conditions& s) { return s.scara.alpha2; }

double start_inertia(const Conditions& s) {
  const ScaraConditions& b = s.scara;
  const double reach = b.l1 + b.l2 * trig::cos(b.Phi0[1]);
  return s.mw * (reach * reach) + b.IM1 + b.IJ1;
}

// The plant's inertia matrix diagonal at the start point, motors left out.
void load_inertias(const Conditions& s, double load[2], double motor[2]) {
  const ScaraConditions& b = s.scara;
  load[0] = b.IJ1 + b.IJ2 + s.mw * b.l1 * (b.l1 + 2 * b.l2 * trig::cos(b.Phi0[1]));
  load[1] = b.IJ2;
  motor[0] = b.IM1_motor;
  motor[1] = b.IM2_motor;
}

}  // namespace

const RobotKind& scara_kind() {
  static constexpr RobotKind kind{
      conditions, const_conditions, run,          const_run,     true,
      torque_limits, inertias,      terminal_times, pid_inertias, tip,
      joint2_reference_acceleration, start_inertia, load_inertias, true};
  return kind;
}
