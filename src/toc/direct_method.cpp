#include "toc/direct_method.h"

#include <nlopt.h>

#include <cmath>

#include "robot/dual.h"
#include "toc/small_solve.h"

void simulate_grid(const ShootingModel& m, const TorqueGrid& g, const double y_start[4],
                   double y_end[4], double (*jac)[kGridVariables]) {
  const int n = g.n;
  const double h = g.tf / n;
  double y[4] = {y_start[0], y_start[1], y_start[2], y_start[3]};
  if (jac == nullptr) {
    for (int k = 0; k < n; ++k) {
      const ConstantTorques<double> f{m.plant, g.u[k][0] * m.tau_max[0], g.u[k][1] * m.tau_max[1]};
      runge_kutta_gill_steps(f, k * h, h / kDirectSubsteps, kDirectSubsteps, y);
    }
    for (int c = 0; c < 4; ++c) y_end[c] = y[c];
    return;
  }
  // Per step: d(exit)/d(entry) (4 x 4), d(exit)/d(u) (4 x 2), d(exit)/d(h).
  using D = Dual<7>;
  static_assert(kMaxTorqueGrid <= 160, "the step derivatives live on the stack");
  double phi[kMaxTorqueGrid][4][4], b[kMaxTorqueGrid][4][2], dh[kMaxTorqueGrid][4];
  for (int k = 0; k < n; ++k) {
    D yd[4];
    for (int c = 0; c < 4; ++c) yd[c] = D::variable(y[c], c);
    const D hd = D::variable(h, 6) / static_cast<double>(kDirectSubsteps);
    const ConstantTorques<D> f{m.plant, D::variable(g.u[k][0], 4) * m.tau_max[0],
                               D::variable(g.u[k][1], 5) * m.tau_max[1]};
    runge_kutta_gill_steps(f, D(k * h), hd, kDirectSubsteps, yd);
    for (int c = 0; c < 4; ++c) {
      y[c] = yd[c].v;
      for (int e = 0; e < 4; ++e) phi[k][c][e] = yd[c].d[e];
      b[k][c][0] = yd[c].d[4];
      b[k][c][1] = yd[c].d[5];
      dh[k][c] = yd[c].d[6];
    }
  }
  for (int c = 0; c < 4; ++c) y_end[c] = y[c];
  double P[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};
  double dtf[4] = {0, 0, 0, 0};
  for (int k = n - 1; k >= 0; --k) {
    for (int c = 0; c < 4; ++c) {
      double s0 = 0, s1 = 0, st = 0;
      for (int e = 0; e < 4; ++e) {
        s0 += P[c][e] * b[k][e][0];
        s1 += P[c][e] * b[k][e][1];
        st += P[c][e] * dh[k][e];
      }
      jac[c][2 * k] = s0;
      jac[c][2 * k + 1] = s1;
      dtf[c] += st;
    }
    double Q[4][4];
    for (int c = 0; c < 4; ++c)
      for (int e = 0; e < 4; ++e) {
        double s = 0;
        for (int i = 0; i < 4; ++i) s += P[c][i] * phi[k][i][e];
        Q[c][e] = s;
      }
    for (int c = 0; c < 4; ++c)
      for (int e = 0; e < 4; ++e) P[c][e] = Q[c][e];
  }
  for (int c = 0; c < 4; ++c) jac[c][2 * n] = dtf[c] / n;  // h = tf / n
}

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

namespace {

// End-point error below which an iterate is worth restoring.
constexpr double kNearTolerance = 1e-3;

struct Problem {
  double tf_scale;  // the optimiser sees tf / tf_scale
  const ShootingModel* m;
  const double* y0;
  const double* xt;
  TorqueGrid g;
  int evaluations;
  // The fastest grid seen that meets the end conditions: what the optimiser
  // returns after a stop on its evaluation limit may be an older point.
  bool have_best;
  TorqueGrid best;
  TorqueGrid last;  // the last iterate (derivatives asked for)
  // The fastest grid seen near the end conditions, to restore from when the
  // last iterate cannot be.
  bool have_near;
  TorqueGrid near;
};

void load(Problem& p, const double* x) {
  for (int k = 0; k < p.g.n; ++k) {
    p.g.u[k][0] = x[2 * k];
    p.g.u[k][1] = x[2 * k + 1];
  }
  p.g.tf = x[2 * p.g.n] * p.tf_scale;
}

double objective(unsigned n, const double* x, double* grad, void*) {
  if (grad != nullptr) {
    for (unsigned i = 0; i + 1 < n; ++i) grad[i] = 0.0;
    grad[n - 1] = 1.0;
  }
  return x[n - 1];
}

void end_conditions(unsigned, double* result, unsigned n, const double* x, double* grad,
                    void* data) {
  Problem& p = *static_cast<Problem*>(data);
  load(p, x);
  double y[4];
  double jac[4][kGridVariables];
  simulate_grid(*p.m, p.g, p.y0, y, grad != nullptr ? jac : nullptr);
  ++p.evaluations;
  if (grad != nullptr) p.last = p.g;
  double err = 0;
  for (int c = 0; c < 4; ++c) err += std::fabs(y[c] - p.xt[c]);
  if (err < kDirectTolerance && (!p.have_best || p.g.tf < p.best.tf)) {
    p.have_best = true;
    p.best = p.g;
  }
  if (err < kNearTolerance && (!p.have_near || p.g.tf < p.near.tf)) {
    p.have_near = true;
    p.near = p.g;
  }
  for (int c = 0; c < 4; ++c) {
    result[c] = y[c] - p.xt[c];
    if (grad != nullptr)
      for (unsigned i = 0; i < n; ++i) grad[c * n + i] = jac[c][i];
    if (grad != nullptr) grad[c * n + n - 1] *= p.tf_scale;
  }
}

// Brings a grid onto the end conditions: minimum-norm Gauss-Newton steps
// on the torques and the final time (scaled by tf_scale), a torque that a step
// takes to its limit held there from then on. SQP started far from the
// conditions can stall, and one stopped on its evaluation limit ends near
// them, not on them.
void restore_feasibility(const ShootingModel& m, const double y0[4], const double xt[4],
                         double tf_scale, bool free_tf, TorqueGrid& g, int& evaluations) {
  const int n = g.n;
  bool held[kGridVariables] = {};
  held[2 * n] = !free_tf;
  for (int it = 0; it < 30; ++it) {
    double y[4];
    double jac[4][kGridVariables];
    simulate_grid(m, g, y0, y, jac);
    ++evaluations;
    double c[4];
    for (int i = 0; i < 4; ++i) c[i] = xt[i] - y[i];
    const double err = end_error(xt, y);
    if (!(err > kDirectTolerance * 1e-2)) return;
    for (int i = 0; i < 4; ++i) jac[i][2 * n] *= tf_scale;
    double A[4][4] = {};
    for (int i = 0; i < 4; ++i)
      for (int e = 0; e < 4; ++e)
        for (int v = 0; v <= 2 * n; ++v)
          if (!held[v]) A[i][e] += jac[i][v] * jac[e][v];
    double w[4];
    if (!solve4(A, c, w)) return;
    double d[kGridVariables];
    for (int v = 0; v <= 2 * n; ++v) {
      d[v] = 0;
      if (held[v]) continue;
      for (int i = 0; i < 4; ++i) d[v] += jac[i][v] * w[i];
    }
    // The step, halved while it does not lower the error (the motion is far
    // from linear in the torques over a long grid step).
    bool taken = false;
    for (double step = 1.0; step > 1e-3 && !taken; step *= 0.5) {
      TorqueGrid trial = g;
      bool hit[kGridVariables] = {};
      for (int v = 0; v <= 2 * n; ++v) {
        if (held[v]) continue;
        if (v == 2 * n) {
          trial.tf = std::fmax(1e-3 * tf_scale, g.tf + step * d[v] * tf_scale);
          continue;
        }
        double& u = trial.u[v / 2][v % 2];
        u += step * d[v];
        if (u >= 1.0 || u <= -1.0) {
          u = std::fmax(-1.0, std::fmin(1.0, u));
          hit[v] = true;
        }
      }
      double yt[4];
      simulate_grid(m, trial, y0, yt);
      ++evaluations;
      if (end_error(xt, yt) < err) {
        g = trial;
        for (int v = 0; v <= 2 * n; ++v) held[v] = held[v] || hit[v];
        taken = true;
      }
    }
    if (!taken) return;
  }
}

}  // namespace

DirectResult solve_direct(const ShootingModel& m, const double y_start[4],
                          const double x_target[4], const TorqueGrid& start, int max_evaluations) {
  DirectResult r{};
  r.grid = start;
  const int n = start.n;
  const unsigned nv = 2 * n + 1;
  TorqueGrid first = start;
  int restore_evaluations = 0;
  restore_feasibility(m, y_start, x_target, start.tf, false, first, restore_evaluations);
  Problem p{start.tf, &m, y_start, x_target, first, restore_evaluations, false, first, first,
            false, first};
  double x[kGridVariables], lb[kGridVariables], ub[kGridVariables];
  for (int k = 0; k < n; ++k)
    for (int j = 0; j < 2; ++j) {
      x[2 * k + j] = first.u[k][j];
      lb[2 * k + j] = -1.0;
      ub[2 * k + j] = 1.0;
    }
  x[2 * n] = 1.0;
  lb[2 * n] = 1e-3;
  ub[2 * n] = 1e3;

  nlopt_opt opt = nlopt_create(NLOPT_LD_SLSQP, nv);
  if (opt == nullptr) return r;
  const double tol[4] = {1e-9, 1e-9, 1e-9, 1e-9};
  nlopt_set_lower_bounds(opt, lb);
  nlopt_set_upper_bounds(opt, ub);
  nlopt_set_min_objective(opt, objective, nullptr);
  nlopt_add_equality_mconstraint(opt, 4, end_conditions, &p, tol);
  nlopt_set_xtol_rel(opt, 1e-10);
  nlopt_set_ftol_rel(opt, 1e-12);
  nlopt_set_maxeval(opt, max_evaluations);
  double f = 0;
  r.status = nlopt_optimize(opt, x, &f);
  nlopt_destroy(opt);

  // The last point, brought onto the end conditions: after a stop on the
  // evaluation limit it is near them but rarely on them.
  p.g = p.last;
  restore_feasibility(m, y_start, x_target, p.tf_scale, true, p.g, p.evaluations);
  double y[4];
  simulate_grid(m, p.g, y_start, y);
  const double err = end_error(x_target, y);
  if (err < kDirectTolerance && (!p.have_best || p.g.tf < p.best.tf)) {
    p.have_best = true;
    p.best = p.g;
  }
  if (!p.have_best && p.have_near) {
    TorqueGrid g = p.near;
    restore_feasibility(m, y_start, x_target, p.tf_scale, true, g, p.evaluations);
    simulate_grid(m, g, y_start, y);
    if (end_error(x_target, y) < kDirectTolerance) {
      p.have_best = true;
      p.best = g;
    }
  }
  r.evaluations = p.evaluations;
  r.converged = p.have_best && std::isfinite(p.best.tf);
  if (r.converged) {
    r.grid = p.best;
    simulate_grid(m, p.best, y_start, y);
    r.end_error = end_error(x_target, y);
  } else {
    r.end_error = err;
  }
  return r;
}

TorqueGrid refine_grid(const TorqueGrid& g, int n) {
  TorqueGrid r{};
  r.n = n;
  r.tf = g.tf;
  for (int k = 0; k < n; ++k) {
    const int old = static_cast<int>((k + 0.5) * g.n / n);
    r.u[k][0] = g.u[old][0];
    r.u[k][1] = g.u[old][1];
  }
  return r;
}
