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
