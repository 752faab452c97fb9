#include "toc/acceptance.h"

#include <cmath>
#include <limits>

#include "toc/newton.h"

namespace {

bool times_in_order(const double tt[4]) {
  for (int k = 0; k < 4; ++k) {
    if (!std::isfinite(tt[k])) return false;
  }
  return 0.0 <= tt[0] && tt[0] <= tt[1] && tt[1] <= tt[2] && tt[2] <= tt[3];
}

double end_error(const double x_target[4], const double y_end[4]) {
  double e[4];
  for (int i = 0; i < 4; ++i) e[i] = x_target[i] - y_end[i];
  return sum_abs(4, e);
}

}  // namespace

SolutionCheck check_solution(const ShootingModel& m, const double y_start[4],
                             const double x_target[4], const SwitchingPlan& plan,
                             const double* coarse_end) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  SolutionCheck c{false, nan, nan, 0, false};
  c.ordered = times_in_order(plan.tt);
  if (!c.ordered) return c;

  double y[4];
  if (coarse_end == nullptr) {
    simulate_plan(m, plan, y_start, kStepsPerInterval, y);
    c.simulations = c.simulations + 1;
    coarse_end = y;
  }
  c.residual = end_error(x_target, coarse_end);
  if (!(std::isfinite(c.residual) && c.residual < kAcceptResidual)) return c;

  double fine[4];
  simulate_plan(m, plan, y_start, kFineStepFactor * kStepsPerInterval, fine);
  c.simulations = c.simulations + 1;
  c.fine_error = end_error(x_target, fine);
  c.accepted = std::isfinite(c.fine_error) && c.fine_error < kAcceptFineError;
  return c;
}
