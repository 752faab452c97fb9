// Defaults of both robots, the PTP task, the PID design and the drawing layout.
// Motor torques follow a design rule: at the inertia-matching ratio 50, with the
// arm fully stretched, each joint covers its design displacement in 2 s.
#include "model/defaults.h"

#include <cmath>

namespace {

// Acceleration that covers d in t with an accelerate-then-decelerate motion,
// evaluated as d / ((t/2)*t/2).
double design_acceleration(double d, double t) { return d / ((t / 2) * t / 2); }

}  // namespace

Layout default_layout() {
  Layout l{};
  l.robot_base[0] = -0.5;
  l.robot_base[1] = -0.5;
  l.disp_graph_origin[0] = 0.4;
  l.disp_graph_origin[1] = 0.5;
  l.torque1_graph_origin[0] = 0.4;
  l.torque1_graph_origin[1] = 0.1;
  l.torque2_graph_origin[0] = 0.4;
  l.torque2_graph_origin[1] = -0.6;
  l.graph_width = 0.5;
  l.torque1_graph_half_height = 0.25;
  l.torque2_graph_half_height = 0.25;
  l.disp_graph_span = 0.4;
  l.disp_graph_height = 0.4;

  l.hand_len = kHandLength;
  l.wrist_draw_len = 0.03;
  l.wrist_draw_width = 0.06;
  l.mass_size = 0.1 * std::pow(kWorkMass, 0.3333333333333333);
  l.mass_size2 = 1.2 * l.mass_size;
  l.cyl_arm_draw_len = kCylArmLength - l.hand_len;
  l.cyl_arm_draw_width = l.cyl_arm_draw_len / 20;
  l.cyl_base_draw_len = 0.2;
  l.cyl_base_draw_width = 0.15;
  l.l1_draw = kScaraLink1;
  l.l2_draw = kScaraLink2 - l.hand_len;
  l.link1_draw_width = l.link2_draw_width = 0.04;
  l.joint1_radius = l.joint2_radius = 0.06;
  return l;
}

void set_defaults(Scenario& s) {
  s.layout = default_layout();
  s.frame_count = kDefaultFrameCount;
  s.mw = kWorkMass;

  const double u_match = 50;
  const double t_design = 2.0;

  CylConditions& c = s.cyl;
  c.L = kCylArmLength;
  c.IJ1 = s.mw * c.L * c.L;
  c.IM1_motor = c.IJ1 / (u_match * u_match);
  c.mM2_motor = s.mw / (u_match * u_match);
  {
    const double acc1 = design_acceleration(PI / 2, t_design);
    const double acc2 = design_acceleration(1.0, t_design);
    const double J1m = c.IM1_motor * u_match * u_match + s.mw * c.L * c.L;
    const double M2m = c.mM2_motor * u_match * u_match + s.mw;
    const double T1m = J1m * acc1;
    const double T2m = M2m * acc2;
    c.tau1_motor = T1m / u_match;
    c.tau2_motor = T2m / u_match;
  }
  c.u1 = 30.0;
  c.u2 = 30.0;

  ScaraConditions& b = s.scara;
  b.l1 = kScaraLink1;
  b.m1 = 1.0;
  b.l2 = kScaraLink2;
  b.IJ1 = b.m1 * b.l1 * b.l1;
  b.IJ2 = s.mw * b.l2 * b.l2;
  b.IM1_motor = b.IJ1 / (u_match * u_match);
  b.IM2_motor = b.IJ2 / (u_match * u_match);
  {
    const double A = design_acceleration(PI / 2, t_design);
    // Inertia matrix of the stretched arm (cosine of the elbow angle 1).
    const double J22m = b.IM2_motor * u_match * u_match + b.IJ2;
    const double J12m = s.mw * b.l1 * b.l2 + b.IJ2;
    const double J21m = J12m;
    const double J11m =
        b.IM1_motor * u_match * u_match + b.IJ1 + b.IJ2 + s.mw * b.l1 * (2 * b.l2 + b.l1);
    const double T1m = J11m * A + J21m * A;
    const double T2m = 2 * (J12m * A + J22m * A);
    b.tau1_motor = T1m / u_match;
    b.tau2_motor = T2m / u_match;
  }
  b.u1 = 30.0;
  b.u2 = 30.0;

  s.pid.omega1 = s.pid.omega2 = TWO_PI * 5;
  s.pid.zeta1 = s.pid.zeta2 = 1.0;
  s.pid.pole1 = s.pid.pole2 = 0.5;

  s.x0 = 0.8;
  s.y0 = 0.0;
  s.xf = 0.0;
  s.yf = 0.8;
  s.elbow = Elbow::Down;
}
