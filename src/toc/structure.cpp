#include "toc/structure.h"

#include <cmath>

namespace {

int step_class(double u) {
  if (u > 1.0 - kInteriorMargin) return kArcPositive;
  if (u < -1.0 + kInteriorMargin) return kArcNegative;
  return kArcInterior;
}

// Arcs of one joint as they are built: a new arc of a kind, or the current one
// carried on when it has that kind.
struct ArcBuilder {
  JointArcs& a;
  bool overflow = false;
  void to(int kind, double end) {
    if (a.count > 0 && a.kind[a.count - 1] == kind) {
      a.end[a.count - 1] = end;
      return;
    }
    if (a.count > 0 && !(end > a.end[a.count - 1])) return;  // nothing of it is left
    if (a.count == kMaxJointArcs) {
      overflow = true;
      return;
    }
    a.kind[a.count] = static_cast<signed char>(kind);
    a.end[a.count] = end;
    ++a.count;
  }
};

bool joint_arcs(const TorqueGrid& g, int j, int switch_steps, JointArcs& a) {
  const int n = g.n;
  const double h = g.tf / n;
  a.count = 0;
  ArcBuilder out{a};
  int k = 0;
  int before = 0;  // class of the run before the current one (0: none yet)
  while (k < n) {
    const int c = step_class(g.u[k][j]);
    int e = k;
    while (e < n && step_class(g.u[e][j]) == c) ++e;
    const double t0 = k * h, t1 = e * h;
    if (c != kArcInterior) {
      out.to(c, t1);
      before = c;
      k = e;
      continue;
    }
    const int after = e < n ? step_class(g.u[e][j]) : 0;
    if (e - k > switch_steps || (before == 0 && after == 0)) {
      out.to(kArcInterior, t1);
      before = kArcInterior;
      k = e;
      continue;
    }
    // A short run between arcs at the limits: the time it spends at the
    // limit of the arc before, by the torque's mean over the run.
    const int a_sign = before != 0 && before != kArcInterior ? before : -after;
    double at_a = 0;
    for (int i = k; i < e; ++i) at_a += h * (1 + a_sign * g.u[i][j]) / 2;
    const double rest = (t1 - t0) - at_a;
    if (after == -a_sign || after == 0) {
      // A switch from a_sign to -a_sign inside the run (the last arc runs
      // to tf when the run ends the motion).
      out.to(a_sign, t0 + at_a);
      out.to(-a_sign, t1);
    } else {
      // The same limit on both sides: a short pulse of the other sign in the
      // middle of the run.
      const double mid = 0.5 * (t0 + t1);
      out.to(a_sign, mid - rest / 2);
      out.to(-a_sign, mid + rest / 2);
      out.to(a_sign, t1);
    }
    before = after != 0 ? -a_sign : before;
    k = e;
  }
  if (a.count > 0) a.end[a.count - 1] = g.tf;
  return !out.overflow && a.count > 0;
}

}  // namespace

bool structure_of(const TorqueGrid& g, int switch_steps, Motion& m) {
  m = Motion{};
  m.tf = g.tf;
  for (int j = 0; j < 2; ++j)
    if (!joint_arcs(g, j, switch_steps, m.joint[j])) return false;
  if (has_interior_arc(m)) {
    m.grid_count = g.n;
    for (int k = 0; k < g.n; ++k)
      for (int j = 0; j < 2; ++j) m.grid[k][j] = g.u[k][j];
  }
  return true;
}
