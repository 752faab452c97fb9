// Derived conditions: torque limits, inertias, terminal times and PID gains of
// the selected robot. Nothing is validated: zero ratios or points at the base
// carry infinities and NaNs on under IEEE arithmetic.
#include "robot/conditions.h"

#include <cmath>
#include <initializer_list>

#include "model/defaults.h"
#include "robot/kinematics.h"

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

void compute_torque_limits(Conditions& s) {
  if (s.robot == Robot::Cylindrical) {
    CylConditions& c = s.cyl;
    c.tau1max_h = c.tau1_motor * c.u1;
    c.tau2max_h = c.tau2_motor * c.u2;
    c.tau1max_g = GRAVITY * s.mw * c.L + c.tau1max_h;
    c.tau2max_g = GRAVITY * s.mw + c.tau2max_h;
  } else if (s.robot == Robot::Scara) {
    ScaraConditions& b = s.scara;
    b.tau1max_h = b.tau1_motor * b.u1;
    b.tau2max_h = 2 * b.tau2_motor * b.u2;
    b.tau1max_g = (b.m1 * b.l1 + (b.l1 + b.l2) * s.mw) * GRAVITY + b.tau1max_h;
    b.tau2max_g = GRAVITY * s.mw * b.l2 + b.tau2max_h;
  }
}

void compute_inertias(Conditions& s) {
  if (s.robot == Robot::Cylindrical) {
    CylConditions& c = s.cyl;
    c.IM1 = c.IM1_motor * c.u1 * c.u1;
    c.mM2 = c.mM2_motor * c.u2 * c.u2;
    double R = std::fabs(c.Phi0[1]);  // the larger extension of the two end points
    if (std::fabs(c.Phif[1]) > R) R = std::fabs(c.Phif[1]);
    c.J1 = s.mw * R * R + c.IM1;
    c.M2 = s.mw + c.mM2;
  } else if (s.robot == Robot::Scara) {
    ScaraConditions& b = s.scara;
    b.IM1 = b.IM1_motor * b.u1 * b.u1;
    b.IM2 = b.IM2_motor * b.u2 * b.u2;
    double E = std::cos(b.Phi0[1]);  // the more stretched elbow of the two end points
    if (std::cos(b.Phif[1]) > E) E = std::cos(b.Phif[1]);
    b.J22 = s.mw * b.l2 * b.l2 + b.IM2;
    b.J12 = s.mw * b.l2 * b.l2 + s.mw * b.l1 * b.l2 * E;
    b.J21 = b.J12;
    b.J11 = b.IJ1 + b.IM1 + b.IJ2 + s.mw * b.l1 * (2 * b.l2 * E + b.l1);
  }
}

namespace {

void cyl_terminal_times(Conditions& s) {
  CylConditions& c = s.cyl;
  const double G1 = GRAVITY * s.mw * c.L;
  const double G2 = GRAVITY * s.mw;
  double A1, A2;
  if (s.gravity == Gravity::On) {
    A1 = (c.tau1max_g - G1) / c.J1;
    A2 = (c.tau2max_g - G2) / c.M2;
  } else {
    A1 = c.tau1max_h / c.J1;
    A2 = c.tau2max_h / c.M2;
  }
  A1 = 0.9 * A1;
  A2 = 0.9 * A2;
  const double D1 = c.Phif[0] - c.Phi0[0];
  const double D2 = c.Phif[1] - c.Phi0[1];
  double R = c.Phi0[1];
  if (c.Phi0[1] < c.Phif[1]) R = c.Phif[1];
  c.tf1 = 2 * std::sqrt(std::fabs(D1 / A1));
  c.tf2 = 2 * std::sqrt(std::fabs(D2 / A2));
  c.tf = c.tf1;
  if (c.tf1 < c.tf2) c.tf = c.tf2;
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

void scara_terminal_times(Conditions& s) {
  ScaraConditions& b = s.scara;
  const double G1 = (b.m1 * b.l1 + (b.l1 + b.l2) * s.mw) * GRAVITY;
  const double G2 = GRAVITY * s.mw * b.l2;
  double A1, A2;
  if (s.gravity == Gravity::On) {
    A1 = (b.tau1max_g - G1) / b.J11;
    A2 = (b.tau2max_g - G2) / b.J22;
  } else {
    A1 = b.tau1max_h / b.J11;
    A2 = b.tau2max_h / b.J22;
  }
  A1 = 0.9 * A1;  // joint 2 is not derated
  const double D1 = b.Phif[0] - b.Phi0[0];
  const double D2 = b.Phif[1] - b.Phi0[1];
  b.tf1 = 2 * std::sqrt(std::fabs(D1 / A1));
  b.tf2 = 2 * std::sqrt(std::fabs(D2 / A2));
  b.tf = b.tf1;
  if (b.tf1 < b.tf2) b.tf = b.tf2;
  b.alpha1 = 4 * D1 / (b.tf * b.tf);
  b.alpha2 = 4 * D2 / (b.tf * b.tf);
  s.tfm = b.tf;
}

// Gains that place the closed loop at J (s + p)(s^2 + 2 zeta omega s + omega^2).
void pid_gains(double J, double omega, double zeta, double p, double& Kp, double& Kd,
               double& Ki) {
  Kp = (2 * zeta * omega * p + omega * omega) * J;
  Kd = (2 * zeta * omega + p) * J;
  Ki = (p * omega * omega) * J;
}

}  // namespace

void compute_terminal_times(Conditions& s) {
  if (s.robot == Robot::Cylindrical) cyl_terminal_times(s);
  else if (s.robot == Robot::Scara) scara_terminal_times(s);
}

void compute_pid_gains(Conditions& s) {
  const PidDesign& p = s.pid;
  RobotConditions* r = nullptr;
  double J1 = 0, J2 = 0;
  if (s.robot == Robot::Cylindrical) {
    r = &s.cyl;
    J1 = s.cyl.J1;
    J2 = s.cyl.M2;
  } else if (s.robot == Robot::Scara) {
    r = &s.scara;
    J1 = s.scara.J11;
    J2 = s.scara.J22;
  } else {
    return;
  }
  pid_gains(J1, p.omega1, p.zeta1, p.pole1, r->Kp1, r->Kd1, r->Ki1);
  pid_gains(J2, p.omega2, p.zeta2, p.pole2, r->Kp2, r->Kd2, r->Ki2);
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
