// The direct method's start: a quintic joint path, timed so that its largest
// torque is a given share of the limit, and the torques of each grid step
// that keep the arm on it.
#include <cmath>

#include "toc/direct_method.h"

namespace {

// Torques of joint path (q, q', q'') by the inverse dynamics: the
// accelerations are affine in the torques.
void inverse_dynamics(const ShootingModel& m, const double q[2], const double qd[2],
                      const double qdd[2], double tau[2]) {
  const double y[4] = {q[0], q[1], qd[0], qd[1]};
  double a0[2], a1[2], a2[2];
  m.plant.accelerations(y, 0.0, 0.0, a0);
  m.plant.accelerations(y, 1.0, 0.0, a1);
  m.plant.accelerations(y, 0.0, 1.0, a2);
  const double A00 = a1[0] - a0[0], A10 = a1[1] - a0[1];
  const double A01 = a2[0] - a0[0], A11 = a2[1] - a0[1];
  const double r0 = qdd[0] - a0[0], r1 = qdd[1] - a0[1];
  const double det = A00 * A11 - A01 * A10;
  tau[0] = (A11 * r0 - A01 * r1) / det;
  tau[1] = (A00 * r1 - A10 * r0) / det;
}

// The quintic path of duration T at time t: positions, velocities and
// accelerations of both joints.
struct PathPoint {
  double q[2], qd[2], qdd[2];
};
PathPoint quintic_point(const double y0[4], const double xt[4], double T, double t) {
  const double s = t / T;
  const double p = s * s * s * (10 + s * (-15 + 6 * s));
  const double v = 30 * s * s * (1 - s) * (1 - s) / T;
  const double a = 60 * s * (1 - s) * (1 - 2 * s) / (T * T);
  PathPoint pt{};
  for (int j = 0; j < 2; ++j) {
    const double D = xt[j] - y0[j];
    pt.q[j] = y0[j] + D * p;
    pt.qd[j] = D * v;
    pt.qdd[j] = D * a;
  }
  return pt;
}

// Torque fractions of the quintic path of duration T at time t.
void quintic_torques(const ShootingModel& m, const double y0[4], const double xt[4], double T,
                     double t, double u[2]) {
  const PathPoint pt = quintic_point(y0, xt, T, t);
  double tau[2];
  inverse_dynamics(m, pt.q, pt.qd, pt.qdd, tau);
  u[0] = tau[0] / m.tau_max[0];
  u[1] = tau[1] / m.tau_max[1];
}

double quintic_peak(const ShootingModel& m, const double y0[4], const double xt[4], double T) {
  constexpr int kSamples = 64;
  double peak = 0;
  for (int i = 0; i <= kSamples; ++i) {
    double u[2];
    quintic_torques(m, y0, xt, T, T * i / kSamples, u);
    peak = std::fmax(peak, std::fmax(std::fabs(u[0]), std::fabs(u[1])));
    if (std::isnan(u[0]) || std::isnan(u[1])) return NAN;
  }
  return peak;
}

}  // namespace

bool quintic_start(const ShootingModel& m, const double y_start[4], const double x_target[4],
                   int n, double peak, TorqueGrid& g) {
  if (n < 1 || n > kMaxTorqueGrid) return false;
  // The peak falls as the path slows down, towards the holding torque alone:
  // bisection on log T.
  double lo = std::log(1e-3), hi = std::log(1e3);
  const double p_hi = quintic_peak(m, y_start, x_target, std::exp(hi));
  if (!(p_hi < peak)) return false;
  for (int it = 0; it < 60; ++it) {
    const double mid = 0.5 * (lo + hi);
    const double p = quintic_peak(m, y_start, x_target, std::exp(mid));
    if (p > peak) lo = mid;
    else hi = mid;
  }
  g.n = n;
  g.tf = std::exp(hi);
  // The torques of each step from the state the steps before have reached,
  // steering back onto the path (an arm under gravity drifts far from it
  // under the path's own torques held over a step): the path's acceleration
  // at the step's middle with a correction of bandwidth 1/h.
  const double h = g.tf / n;
  const double kp = 1.0 / (h * h), kd = 2.0 / h;
  double y[4] = {y_start[0], y_start[1], y_start[2], y_start[3]};
  for (int k = 0; k < n; ++k) {
    const PathPoint ref = quintic_point(y_start, x_target, g.tf, (k + 0.5) * h);
    const PathPoint at = quintic_point(y_start, x_target, g.tf, k * h);
    double qdd[2], tau[2];
    for (int j = 0; j < 2; ++j)
      qdd[j] = ref.qdd[j] + kp * (at.q[j] - y[j]) + kd * (at.qd[j] - y[j + 2]);
    const double q[2] = {y[0], y[1]}, qd[2] = {y[2], y[3]};
    inverse_dynamics(m, q, qd, qdd, tau);
    for (int j = 0; j < 2; ++j) {
      const double u = tau[j] / m.tau_max[j];
      g.u[k][j] = std::isnan(u) ? 0.0 : std::fmax(-1.0, std::fmin(1.0, u));
    }
    const ConstantTorques<double> f{m.plant, g.u[k][0] * m.tau_max[0], g.u[k][1] * m.tau_max[1]};
    runge_kutta_gill_steps(f, k * h, h / kDirectSubsteps, kDirectSubsteps, y);
  }
  return true;
}

