// An integrator of the tests' own, apart from the program's: classical
// fourth-order Runge-Kutta (not Gill's form) on the equations of motion
// written out again from the robots' formulas, with std::sin and std::cos, for
// a bang-bang motion split at its switching times.
#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

#include "model/motion.h"
#include "model/scenario.h"
#include "robot/torque_laws.h"

namespace independent {

struct Plant {
  bool scara, gravity;
  double mw, IM1, mM2;                       // cylindrical
  double l1, l2, m1, IJ1, IJ2, IM1s, IM2;    // SCARA
  double tau_max[2];
};

inline Plant plant_of(const Conditions& s) {
  Plant p{};
  p.scara = s.robot == Robot::Scara;
  p.gravity = s.gravity == Gravity::On;
  p.mw = s.mw;
  p.IM1 = s.cyl.IM1;
  p.mM2 = s.cyl.mM2;
  p.l1 = s.scara.l1;
  p.l2 = s.scara.l2;
  p.m1 = s.scara.m1;
  p.IJ1 = s.scara.IJ1;
  p.IJ2 = s.scara.IJ2;
  p.IM1s = s.scara.IM1;
  p.IM2 = s.scara.IM2;
  const RobotConditions& r = p.scara ? static_cast<const RobotConditions&>(s.scara) : s.cyl;
  p.tau_max[0] = torque_limit(r, s.gravity, 0);
  p.tau_max[1] = torque_limit(r, s.gravity, 1);
  return p;
}

inline void derivative(const Plant& p, const double* y, double t1, double t2, double* f) {
  const double g = 9.8;
  f[0] = y[2];
  f[1] = y[3];
  if (!p.scara) {
    const double th = y[0], r = y[1], thd = y[2], rd = y[3];
    const double G1 = p.gravity ? std::cos(th) * g * p.mw * r : 0.0;
    const double G2 = p.gravity ? std::sin(th) * g * p.mw : 0.0;
    f[2] = (t1 - 2 * p.mw * r * thd * rd - G1) / (p.mw * r * r + p.IM1);
    f[3] = (p.mw * r * thd * thd + t2 - G2) / (p.mM2 + p.mw);
    return;
  }
  const double q1 = y[0], q2 = y[1], q1d = y[2], q2d = y[3];
  const double c2 = std::cos(q2), s2 = std::sin(q2);
  const double h = p.mw * p.l1 * p.l2;
  const double V2 = h * s2 * q1d * q1d;
  const double V1 = -h * s2 * (2 * q1d * q2d + q2d * q2d);
  double G1 = 0, G2 = 0;
  if (p.gravity) {
    G2 = std::cos(q1 + q2) * g * p.mw * p.l2;
    G1 = std::cos(q1) * (p.m1 + p.mw) * g * p.l1 + G2;
  }
  const double b1 = t1 - V1 - G1, b2 = t2 - V2 - G2;
  const double D22 = p.IJ2 + p.IM2;
  const double D12 = h * c2 + p.IJ2;
  const double D11 = p.IJ1 + p.IM1s + p.IJ2 + p.mw * p.l1 * (p.l1 + 2 * p.l2 * c2);
  const double det = D11 * D22 - D12 * D12;
  f[2] = (D22 * b1 - D12 * b2) / det;
  f[3] = (-D12 * b1 + D11 * b2) / det;
}

// The terminal state of a bang-bang motion from y0, `steps` classical RK4
// steps between any two consecutive switching times of either joint.
inline void simulate(const Plant& p, const Motion& m, const double y0[4], int steps, double y[4]) {
  std::vector<double> times = {0.0, m.tf};
  for (const JointArcs& a : m.joint)
    for (int k = 0; k + 1 < a.count; ++k) times.push_back(a.end[k]);
  std::sort(times.begin(), times.end());
  for (int c = 0; c < 4; ++c) y[c] = y0[c];
  for (std::size_t i = 0; i + 1 < times.size(); ++i) {
    const double mid = 0.5 * (times[i] + times[i + 1]);
    const double t1 = arc_sign_at(m.joint[0], mid) * p.tau_max[0];
    const double t2 = arc_sign_at(m.joint[1], mid) * p.tau_max[1];
    const double h = (times[i + 1] - times[i]) / steps;
    for (int n = 0; n < steps; ++n) {
      double k1[4], k2[4], k3[4], k4[4], z[4];
      derivative(p, y, t1, t2, k1);
      for (int c = 0; c < 4; ++c) z[c] = y[c] + 0.5 * h * k1[c];
      derivative(p, z, t1, t2, k2);
      for (int c = 0; c < 4; ++c) z[c] = y[c] + 0.5 * h * k2[c];
      derivative(p, z, t1, t2, k3);
      for (int c = 0; c < 4; ++c) z[c] = y[c] + h * k3[c];
      derivative(p, z, t1, t2, k4);
      for (int c = 0; c < 4; ++c) y[c] += h / 6 * (k1[c] + 2 * k2[c] + 2 * k3[c] + k4[c]);
    }
  }
}

}  // namespace independent
