#include "toc/arc_shooting.h"

#include <cmath>

#include "robot/dual.h"

bool arc_plan_of(const Motion& m, ArcPlan& plan) {
  int k[2] = {0, 0};
  plan.count = 0;
  for (;;) {
    for (int j = 0; j < 2; ++j) {
      const JointArcs& a = m.joint[j];
      if (a.count < 1 || a.count > kMaxJointArcs || a.kind[k[j]] == kArcInterior) return false;
    }
    if (plan.count == kMaxArcs) return false;
    const double e0 = m.joint[0].end[k[0]], e1 = m.joint[1].end[k[1]];
    const bool last0 = k[0] == m.joint[0].count - 1, last1 = k[1] == m.joint[1].count - 1;
    // The arc ends at the earlier of the two joints' next switches.
    const double end = last0 ? (last1 ? m.tf : e1) : (last1 ? e0 : std::fmin(e0, e1));
    plan.end[plan.count] = end;
    plan.sign[plan.count][0] = m.joint[0].kind[k[0]];
    plan.sign[plan.count][1] = m.joint[1].kind[k[1]];
    ++plan.count;
    if (last0 && last1) return true;
    if (!last0 && e0 == end) ++k[0];
    else if (!last1 && e1 == end) ++k[1];
  }
}

void simulate_arcs(const ShootingModel& m, const ArcPlan& plan, const double y_start[4],
                   int steps, double y_end[4]) {
  double y[4] = {y_start[0], y_start[1], y_start[2], y_start[3]};
  double start = 0.0;
  for (int i = 0; i < plan.count; ++i) {
    const double h = (plan.end[i] - start) / steps;
    const ConstantTorques<double> f{m.plant, plan.sign[i][0] * m.tau_max[0],
                                    plan.sign[i][1] * m.tau_max[1]};
    runge_kutta_gill_steps(f, start, h, steps, y);
    start = plan.end[i];
  }
  for (int c = 0; c < 4; ++c) y_end[c] = y[c];
}

void simulate_arcs_sensitivity(const ShootingModel& m, const ArcPlan& plan,
                               const double y_start[4], int steps, double y_end[4],
                               double d[][4]) {
  using D = Dual<5>;  // the arc's entry state (4) and its length
  double phi[kMaxArcs][4][4];  // d(exit state)/d(entry state) of arc i
  double g[kMaxArcs][4];       // d(exit state)/d(length) of arc i
  double y[4] = {y_start[0], y_start[1], y_start[2], y_start[3]};
  double start = 0.0;
  for (int i = 0; i < plan.count; ++i) {
    D yd[4];
    for (int c = 0; c < 4; ++c) yd[c] = D::variable(y[c], c);
    const D len = D::variable(plan.end[i] - start, 4);
    const D h = len / static_cast<double>(steps);
    const ConstantTorques<D> f{m.plant, D(plan.sign[i][0] * m.tau_max[0]),
                               D(plan.sign[i][1] * m.tau_max[1])};
    runge_kutta_gill_steps(f, D(start), h, steps, yd);
    for (int c = 0; c < 4; ++c) {
      y[c] = yd[c].v;
      for (int e = 0; e < 4; ++e) phi[i][c][e] = yd[c].d[e];
      g[i][c] = yd[c].d[4];
    }
    start = plan.end[i];
  }
  for (int c = 0; c < 4; ++c) y_end[c] = y[c];
  // P = d(terminal state)/d(exit state of arc i), from the last arc back.
  double P[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};
  for (int i = plan.count - 1; i >= 0; --i) {
    for (int c = 0; c < 4; ++c) {
      double s = 0.0;
      for (int e = 0; e < 4; ++e) s += P[c][e] * g[i][e];
      d[i][c] = s;
    }
    double Q[4][4];
    for (int c = 0; c < 4; ++c)
      for (int e = 0; e < 4; ++e) {
        double s = 0.0;
        for (int k = 0; k < 4; ++k) s += P[c][k] * phi[i][k][e];
        Q[c][e] = s;
      }
    for (int c = 0; c < 4; ++c)
      for (int e = 0; e < 4; ++e) P[c][e] = Q[c][e];
  }
}

double end_error(const double x_target[4], const double y[4]) {
  double s = 0.0;
  for (int c = 0; c < 4; ++c) s += std::fabs(x_target[c] - y[c]);
  return s;
}
