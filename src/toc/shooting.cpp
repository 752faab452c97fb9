#include "toc/shooting.h"

#include <cstdint>
#include <cstring>

namespace {

void set_rows(SwitchingPlan& plan, int s1a, int s2a, int s1b, int s2b, int s1c, int s2c) {
  plan.sign[1][0] = s1a;
  plan.sign[1][1] = s2a;
  plan.sign[2][0] = s1b;
  plan.sign[2][1] = s2b;
  plan.sign[3][0] = s1c;
  plan.sign[3][1] = s2c;
}

}  // namespace

void order_switching_times(const double z[4], int s1, int s2, SwitchingPlan& plan) {
  plan.tt[3] = z[3];
  plan.sign[0][0] = s1;
  plan.sign[0][1] = s2;

  // Fallback for values that are not numbers: the given order.
  plan.tt[0] = z[0];
  plan.tt[1] = z[1];
  plan.tt[2] = z[2];
  set_rows(plan, s1, -s2, -s1, -s2, -s1, s2);

  if (z[1] <= z[0]) {  // joint 1 switches first
    plan.tt[0] = z[1];
    plan.tt[1] = z[0];
    plan.tt[2] = z[2];
    set_rows(plan, -s1, s2, -s1, -s2, -s1, s2);
  }
  if (z[0] < z[1] && z[1] <= z[2]) {  // joint 1 switches between the joint-2 switches
    plan.tt[0] = z[0];
    plan.tt[1] = z[1];
    plan.tt[2] = z[2];
    set_rows(plan, s1, -s2, -s1, -s2, -s1, s2);
  }
  if (z[2] <= z[1]) {  // joint 1 switches last
    plan.tt[0] = z[0];
    plan.tt[1] = z[2];
    plan.tt[2] = z[1];
    set_rows(plan, s1, -s2, s1, s2, -s1, s2);
  }
}

ShootingModel::ShootingModel(const Conditions& s, Robot robot) : plant(s, robot) {
  const RobotConditions& rec = model_conditions(s, robot);
  tau_max[0] = torque_limit(rec, s.gravity, 0);
  tau_max[1] = torque_limit(rec, s.gravity, 1);
}

namespace {

// memcpy rather than std::bit_cast: the web page's C++ library lacks it.
bool same_bits(double a, double b) {
  std::uint64_t x = 0, y = 0;
  std::memcpy(&x, &a, sizeof x);
  std::memcpy(&y, &b, sizeof y);
  return x == y;
}

// Whether interval k of two plans has the same bounds and signs.
bool same_interval(const SwitchingPlan& a, const SwitchingPlan& b, int k) {
  if (k > 0 && !same_bits(a.tt[k - 1], b.tt[k - 1])) return false;
  return same_bits(a.tt[k], b.tt[k]) && a.sign[k][0] == b.sign[k][0] &&
         a.sign[k][1] == b.sign[k][1];
}

}  // namespace

void simulate_bang_bang(const ShootingModel& m, const double z[4], const double y_start[4],
                        int s1, int s2, ShootingTrace& out, const ShootingTrace* previous) {
  order_switching_times(z, s1, s2, out.plan);

  // Intervals 0..first-1 are those of the previous simulation.
  int first = 0;
  if (previous != nullptr && previous != &out) {
    bool same_start = true;
    for (int i = 0; i < 4; ++i) {
      same_start = same_start && same_bits(previous->entry[0][i], y_start[i]);
    }
    if (same_start) {
      while (first < 4 && same_interval(out.plan, previous->plan, first)) ++first;
    }
  }

  for (int k = 0; k < first; ++k) {
    for (int i = 0; i < 4; ++i) out.entry[k][i] = previous->entry[k][i];
  }
  const double* known = first == 0 ? y_start : first < 4 ? previous->entry[first] : previous->y_end;
  double y[4] = {known[0], known[1], known[2], known[3]};

  for (int k = first; k < 4; ++k) {
    for (int i = 0; i < 4; ++i) out.entry[k][i] = y[i];
    const double start = (k == 0) ? 0.0 : out.plan.tt[k - 1];
    const double h = (out.plan.tt[k] - start) / kStepsPerInterval;
    const BangBangDerivative deriv(m, out.plan.sign[k][0], out.plan.sign[k][1]);
    runge_kutta_gill_steps(deriv, start, h, kStepsPerInterval, y);
  }
  for (int i = 0; i < 4; ++i) out.y_end[i] = y[i];
}

void simulate_bang_bang(const ShootingModel& m, const double z[4], const double y_start[4],
                        int s1, int s2, double y_end[4], SwitchingPlan& plan) {
  ShootingTrace trace;
  simulate_bang_bang(m, z, y_start, s1, s2, trace, nullptr);
  plan = trace.plan;
  for (int i = 0; i < 4; ++i) y_end[i] = trace.y_end[i];
}

// The loop of simulate_bang_bang() with a step count that is not a constant.
// It is kept apart so that the solver's own loop stays compiled as it was.
void simulate_plan(const ShootingModel& m, const SwitchingPlan& plan, const double y_start[4],
                   int steps, double y_end[4]) {
  double y[4] = {y_start[0], y_start[1], y_start[2], y_start[3]};
  for (int k = 0; k < 4; ++k) {
    const double start = (k == 0) ? 0.0 : plan.tt[k - 1];
    const double h = (plan.tt[k] - start) / steps;
    const BangBangDerivative deriv(m, plan.sign[k][0], plan.sign[k][1]);
    double t = start;
    for (int step = 0; step < steps; ++step) {
      runge_kutta_gill(deriv, t, h, y, y);
      t = t + h;
    }
  }
  for (int i = 0; i < 4; ++i) y_end[i] = y[i];
}
