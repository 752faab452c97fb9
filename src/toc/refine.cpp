#include "toc/refine.h"

#include <nlopt.h>

#include <algorithm>
#include <cmath>

#include "toc/small_solve.h"

namespace {

// The unknowns: joint 1's switching times, joint 2's, then tf.
struct Unknowns {
  int first_sign[2];
  int switches[2];
  int size() const { return switches[0] + switches[1] + 1; }
};

void to_motion(const Unknowns& l, const double* th, Motion& m) {
  m = Motion{};
  m.tf = th[l.size() - 1];
  int v = 0;
  for (int j = 0; j < 2; ++j) {
    JointArcs& a = m.joint[j];
    a.count = std::min(l.switches[j] + 1, kMaxJointArcs);
    for (int k = 0; k < a.count; ++k) {
      a.kind[k] = static_cast<signed char>(k % 2 == 0 ? l.first_sign[j] : -l.first_sign[j]);
      a.end[k] = k < l.switches[j] ? th[v++] : m.tf;
    }
  }
}

// The arcs of the unknowns in time order, each with the unknown its end is
// (ties: joint 1 first), and the simulation with the derivatives of the
// terminal state with respect to every unknown.
void simulate(const ShootingModel& m, const Unknowns& l, const double* th, const double y0[4],
              double y[4], double J[4][kMaxUnknowns]) {
  ArcPlan p{};
  int owner[kMaxArcs];
  int k[2] = {0, 0};
  int base[2] = {0, l.switches[0]};
  const int tf_index = l.size() - 1;
  for (;;) {
    const bool more0 = k[0] < l.switches[0], more1 = k[1] < l.switches[1];
    const int sign0 = k[0] % 2 == 0 ? l.first_sign[0] : -l.first_sign[0];
    const int sign1 = k[1] % 2 == 0 ? l.first_sign[1] : -l.first_sign[1];
    p.sign[p.count][0] = sign0;
    p.sign[p.count][1] = sign1;
    int next = tf_index;
    if (more0 && (!more1 || th[base[0] + k[0]] <= th[base[1] + k[1]])) next = base[0] + k[0]++;
    else if (more1) next = base[1] + k[1]++;
    p.end[p.count] = th[next];
    owner[p.count] = next;
    ++p.count;
    if (next == tf_index) break;
  }
  double d[kMaxArcs][4];
  simulate_arcs_sensitivity(m, p, y0, kStepsPerInterval, y, d);
  for (int c = 0; c < 4; ++c)
    for (int v = 0; v <= tf_index; ++v) J[c][v] = 0.0;
  // Arc i runs from the unknown owner[i-1] to owner[i].
  for (int i = 0; i < p.count; ++i)
    for (int c = 0; c < 4; ++c) {
      J[c][owner[i]] += d[i][c];
      if (i > 0) J[c][owner[i - 1]] -= d[i][c];
    }
}

// Minimum-norm Newton step: delta = J^T (J J^T)^-1 (x_target - y).
bool newton_step(int n, const double J[4][kMaxUnknowns], const double r[4], double* delta) {
  double A[4][4] = {};
  for (int i = 0; i < 4; ++i)
    for (int e = 0; e < 4; ++e)
      for (int v = 0; v < n; ++v) A[i][e] += J[i][v] * J[e][v];
  double w[4];
  if (!solve4(A, r, w)) return false;
  for (int v = 0; v < n; ++v) {
    delta[v] = 0;
    for (int i = 0; i < 4; ++i) delta[v] += J[i][v] * w[i];
  }
  return true;
}

// Whether each joint's times run from 0 to tf in order.
bool ordered(const Unknowns& l, const double* th) {
  const double tf = th[l.size() - 1];
  int v = 0;
  for (int j = 0; j < 2; ++j) {
    double prev = 0.0;
    for (int k = 0; k < l.switches[j]; ++k, ++v) {
      if (!(th[v] >= prev)) return false;
      prev = th[v];
    }
    if (!(tf >= prev)) return false;
  }
  return tf > 0;
}

struct Context {
  const ShootingModel* m;
  const double* y0;
  const double* xt;
  Unknowns l;
  int simulations;
};

double tf_objective(unsigned n, const double* x, double* grad, void*) {
  if (grad != nullptr) {
    std::fill(grad, grad + n, 0.0);
    grad[n - 1] = 1.0;
  }
  return x[n - 1];
}

void end_conditions(unsigned, double* result, unsigned n, const double* x, double* grad,
                    void* data) {
  Context& c = *static_cast<Context*>(data);
  double y[4], J[4][kMaxUnknowns];
  simulate(*c.m, c.l, x, c.y0, y, J);
  ++c.simulations;
  for (int i = 0; i < 4; ++i) {
    result[i] = y[i] - c.xt[i];
    if (grad != nullptr)
      for (unsigned v = 0; v < n; ++v) grad[i * n + v] = J[i][v];
  }
}

// Each joint's times in order: t_k - t_(k+1) <= 0, -t_0 <= 0, t_last - tf <= 0.
void order_constraints(unsigned m, double* result, unsigned n, const double* x, double* grad,
                       void* data) {
  const Unknowns& l = static_cast<Context*>(data)->l;
  if (grad != nullptr) std::fill(grad, grad + m * n, 0.0);
  unsigned row = 0;
  int v = 0;
  for (int j = 0; j < 2; ++j) {
    for (int k = 0; k <= l.switches[j]; ++k, ++row) {
      const int lo = k == 0 ? -1 : v + k - 1;
      const int hi = k == l.switches[j] ? static_cast<int>(n) - 1 : v + k;
      result[row] = (lo < 0 ? 0.0 : x[lo]) - x[hi];
      if (grad != nullptr) {
        if (lo >= 0) grad[row * n + lo] = 1.0;
        grad[row * n + hi] = -1.0;
      }
    }
    v += l.switches[j];
  }
}

// tf minimised under the end conditions, for more unknowns than conditions.
void minimise_tf(Context& c, double* th) {
  const int n = c.l.size();
  nlopt_opt opt = nlopt_create(NLOPT_LD_SLSQP, n);
  if (opt == nullptr) return;
  const double tol[4] = {1e-12, 1e-12, 1e-12, 1e-12};
  double otol[kMaxUnknowns + 2];
  std::fill(otol, otol + n + 1, 0.0);
  nlopt_set_min_objective(opt, tf_objective, nullptr);
  nlopt_add_equality_mconstraint(opt, 4, end_conditions, &c, tol);
  nlopt_add_inequality_mconstraint(opt, n + 1, order_constraints, &c, otol);
  nlopt_set_xtol_rel(opt, 1e-12);
  nlopt_set_maxeval(opt, 300);
  double f = 0;
  double x[kMaxUnknowns];
  std::copy(th, th + n, x);
  nlopt_optimize(opt, x, &f);
  nlopt_destroy(opt);
  if (ordered(c.l, x)) std::copy(x, x + n, th);
}

// Newton steps onto the end conditions, halved while they do not lower the
// error. The error of the result.
double newton_onto(Context& c, double* th) {
  const int n = c.l.size();
  double y[4], J[4][kMaxUnknowns];
  simulate(*c.m, c.l, th, c.y0, y, J);
  ++c.simulations;
  double err = end_error(c.xt, y);
  for (int it = 0; it < 40 && err > 1e-13; ++it) {
    double r[4], delta[kMaxUnknowns];
    for (int i = 0; i < 4; ++i) r[i] = c.xt[i] - y[i];
    if (!newton_step(n, J, r, delta)) break;
    bool improved = false;
    for (double step = 1.0; step > 1e-4; step *= 0.5) {
      double trial[kMaxUnknowns], yt[4], Jt[4][kMaxUnknowns];
      for (int v = 0; v < n; ++v) trial[v] = th[v] + step * delta[v];
      if (!ordered(c.l, trial)) continue;
      simulate(*c.m, c.l, trial, c.y0, yt, Jt);
      ++c.simulations;
      const double e = end_error(c.xt, yt);
      if (e < err) {
        std::copy(trial, trial + n, th);
        std::copy(&yt[0], &yt[0] + 4, &y[0]);
        std::copy(&Jt[0][0], &Jt[0][0] + 4 * kMaxUnknowns, &J[0][0]);
        err = e;
        improved = true;
        break;
      }
    }
    if (!improved) break;
  }
  return err;
}

// Drops the pairs of a joint's switches that have met (and a first or last
// switch at 0 or tf, the first sign turned); true when any was dropped.
bool drop_met_switches(Unknowns& l, double* th, double gap) {
  const int n = l.size();
  double out[kMaxUnknowns];
  int w = 0, v = 0;
  bool dropped = false;
  const double tf = th[n - 1];
  Unknowns nl = l;
  for (int j = 0; j < 2; ++j) {
    double t[kMaxJointArcs];
    int count = 0;
    for (int k = 0; k < l.switches[j]; ++k) t[count++] = th[v++];
    bool again = true;
    while (again) {
      again = false;
      if (count > 0 && t[0] < gap) {  // the first arc has vanished
        std::copy(t + 1, t + count, t);
        --count;
        nl.first_sign[j] = -nl.first_sign[j];
        again = dropped = true;
        continue;
      }
      if (count > 0 && t[count - 1] > tf - gap) {  // so has the last
        --count;
        again = dropped = true;
        continue;
      }
      for (int k = 0; k + 1 < count; ++k)
        if (t[k + 1] - t[k] < gap) {
          std::copy(t + k + 2, t + count, t + k);
          count -= 2;
          again = dropped = true;
          break;
        }
    }
    nl.switches[j] = count;
    for (int k = 0; k < count; ++k) out[w++] = t[k];
  }
  out[w++] = tf;
  l = nl;
  std::copy(out, out + w, th);
  return dropped;
}

}  // namespace

Refinement refine_switching(const ShootingModel& m, const double y_start[4],
                            const double x_target[4], const Motion& guess) {
  Refinement r{};
  Unknowns l{};
  double th[kMaxUnknowns];
  int v = 0;
  for (int j = 0; j < 2; ++j) {
    const JointArcs& a = guess.joint[j];
    l.first_sign[j] = a.kind[0];
    l.switches[j] = a.count - 1;
    for (int k = 0; k + 1 < a.count; ++k) th[v++] = a.end[k];
  }
  th[v] = guess.tf;
  Context c{&m, y_start, x_target, l, 0};
  double err = INFINITY;
  for (int round = 0; round < 4; ++round) {
    c.l = l;
    if (l.size() > 4) minimise_tf(c, th);
    err = newton_onto(c, th);
    if (!drop_met_switches(l, th, 1e-7 * th[l.size() - 1])) break;
    err = INFINITY;
  }
  r.simulations = c.simulations;
  to_motion(l, th, r.motion);
  r.end_error = err;
  r.converged = err < kRefineTolerance && ordered(l, th);
  return r;
}

bool motion_jacobian(const ShootingModel& m, const double y_start[4], const Motion& motion,
                     double y_end[4], double J[4][kMaxUnknowns], int& n) {
  if (motion.grid_count != 0 || has_interior_arc(motion)) return false;
  Unknowns l{};
  double th[kMaxUnknowns];
  int v = 0;
  for (int j = 0; j < 2; ++j) {
    const JointArcs& a = motion.joint[j];
    l.first_sign[j] = a.kind[0];
    l.switches[j] = a.count - 1;
    for (int k = 0; k + 1 < a.count; ++k) th[v++] = a.end[k];
  }
  th[v] = motion.tf;
  n = l.size();
  simulate(m, l, th, y_start, y_end, J);
  return true;
}

double motion_end_error(const ShootingModel& m, const double y_start[4],
                        const double x_target[4], const Motion& motion) {
  ArcPlan p{};
  if (!arc_plan_of(motion, p)) return INFINITY;
  double y[4];
  simulate_arcs(m, p, y_start, kStepsPerInterval, y);
  return end_error(x_target, y);
}
