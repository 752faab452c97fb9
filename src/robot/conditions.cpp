// Derived conditions: torque limits, inertias, terminal times and PID gains of
// the selected robot. Nothing is validated: zero ratios or points at the base
// carry infinities and NaNs on under IEEE arithmetic.
#include "robot/conditions.h"

#include <cmath>
#include <initializer_list>

#include "model/defaults.h"
#include "robot/kinematics.h"
#include "robot/robot_kind.h"

TaskReach compute_scara_task_angles(Conditions& s) {
  const double ref[2] = {0, 0};
  ScaraConditions& b = s.scara;
  TaskReach reach;
  if (s.elbow == Elbow::Down) {
    reach.start = scara_ik_elbow_down(b.l1, b.l2, s.x0, s.y0, ref, b.Phi0);
    reach.end = scara_ik_elbow_down(b.l1, b.l2, s.xf, s.yf, ref, b.Phif);
  } else if (s.elbow == Elbow::Up) {
    reach.start = scara_ik_elbow_up(b.l1, b.l2, s.x0, s.y0, ref, b.Phi0);
    reach.end = scara_ik_elbow_up(b.l1, b.l2, s.xf, s.yf, ref, b.Phif);
  }
  return reach;
}

void compute_cyl_task_angles(Conditions& s) {
  cylindrical_ik(s.x0, s.y0, s.cyl.Phi0);
  cylindrical_ik(s.xf, s.yf, s.cyl.Phif);
}

TaskReach compute_conditions(Conditions& s) {
  const TaskReach reach = compute_scara_task_angles(s);
  compute_torque_limits(s);
  compute_inertias(s);
  compute_terminal_times(s);
  compute_pid_gains(s);
  return reach;
}

// The stages of a robot that is not selected do nothing: its conditions stay
// as they were.
void compute_torque_limits(Conditions& s) {
  if (const RobotKind* kind = robot_kind(s.robot)) kind->torque_limits(s);
}

void compute_inertias(Conditions& s) {
  if (const RobotKind* kind = robot_kind(s.robot)) kind->inertias(s);
}

void compute_terminal_times(Conditions& s) {
  if (const RobotKind* kind = robot_kind(s.robot)) kind->terminal_times(s);
}

namespace {

// Gains that place the closed loop at J (s + p)(s^2 + 2 zeta omega s + omega^2).
void pid_gains(double J, double omega, double zeta, double p, double& Kp, double& Kd,
               double& Ki) {
  Kp = (2 * zeta * omega * p + omega * omega) * J;
  Kd = (2 * zeta * omega + p) * J;
  Ki = (p * omega * omega) * J;
}

}  // namespace

void compute_pid_gains(Conditions& s) {
  const RobotKind* kind = robot_kind(s.robot);
  if (kind == nullptr) return;
  const PidDesign& p = s.pid;
  RobotConditions& r = kind->conditions(s);
  double J[2];
  kind->pid_inertias(s, J);
  pid_gains(J[0], p.omega1, p.zeta1, p.pole1, r.Kp1, r.Kd1, r.Ki1);
  pid_gains(J[1], p.omega2, p.zeta2, p.pole2, r.Kp2, r.Kd2, r.Ki2);
}

TaskReach compute_robot_defaults(Conditions& s, char robot_key) {
  select_robot(s, robot_key);
  select_gravity(s, 'h');
  return compute_conditions(s);
}

void compute_default_conditions(Scenario& s) {
  set_defaults(s);
  compute_cyl_task_angles(s);
  for (const char robot : {'a', 'b'}) compute_robot_defaults(s, robot);
}
