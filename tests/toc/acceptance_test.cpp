// The acceptance test of a bang-bang plan on hand-made results: times out of
// order, values that are not numbers, a residual too large, an end point that
// only the coarse step size puts on the target; and the step-count setting of
// the plan simulation it relies on.
#include "toc/acceptance.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

#include "robot/model_fixture.h"
#include "toc/newton.h"

namespace {

const double kStart[4] = {-0.4214, 0.9582, 0.0, 0.0};  // the SCARA's default start
const double kNan = std::numeric_limits<double>::quiet_NaN();

SwitchingPlan plan_of(const double (&z)[4], int s2 = -1) {
  SwitchingPlan p;
  order_switching_times(z, 1, s2, p);
  return p;
}

// Where the coarse simulation of the plan ends: a target it meets exactly.
void coarse_end(const ShootingModel& m, const SwitchingPlan& p, double end[4]) {
  simulate_plan(m, p, kStart, kStepsPerInterval, end);
}

double distance(const double a[4], const double b[4]) {
  double d[4];
  for (int i = 0; i < 4; ++i) d[i] = a[i] - b[i];
  return sum_abs(4, d);
}

}  // namespace

TEST(PlanSimulation, FiftyStepsAreTheShootingSimulationBitForBit) {
  const ShootingModel m(model_scenario('g'), Robot::Scara);
  for (const auto& z : {std::array<double, 4>{0.4, 0.7, 1.08, 1.39},
                        std::array<double, 4>{0.5, 0.2, 0.3, 0.7}}) {
    double zz[4] = {z[0], z[1], z[2], z[3]}, y[4], y_plan[4];
    SwitchingPlan p;
    simulate_bang_bang(m, zz, kStart, 1, 1, y, p);
    simulate_plan(m, p, kStart, kStepsPerInterval, y_plan);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(std::bit_cast<std::uint64_t>(y_plan[i]),
                                          std::bit_cast<std::uint64_t>(y[i])) << i;
  }
}

TEST(PlanSimulation, ErrorFallsWithTheFourthPowerOfTheStep) {
  // Gill's method is of fourth order: four times the steps, about 1/256 the error.
  const ShootingModel m(model_scenario('h'), Robot::Scara);
  const SwitchingPlan p = plan_of({0.5, 1.0, 1.5, 2.0});
  double y50[4], y200[4], y800[4];
  simulate_plan(m, p, kStart, 50, y50);
  simulate_plan(m, p, kStart, 200, y200);
  simulate_plan(m, p, kStart, 800, y800);
  const double ratio = distance(y50, y200) / distance(y200, y800);
  EXPECT_GT(ratio, 128.0);
  EXPECT_LT(ratio, 512.0);
}

TEST(Acceptance, ExactSolutionInOrderIsAccepted) {
  const ShootingModel m(model_scenario('h'), Robot::Scara);
  const SwitchingPlan p = plan_of({0.4, 0.7, 1.08, 1.39});
  double target[4];
  coarse_end(m, p, target);
  const SolutionCheck c = check_solution(m, kStart, target, p);
  EXPECT_TRUE(c.ordered);
  EXPECT_EQ(c.residual, 0.0);
  EXPECT_LT(c.fine_error, 1e-6);
  EXPECT_EQ(c.simulations, 2);
  EXPECT_TRUE(c.accepted);
  // A known coarse end state is not simulated again.
  EXPECT_EQ(check_solution(m, kStart, target, p, target).simulations, 1);
}

TEST(Acceptance, TimesOutOfOrderAreRejectedWhateverTheResidual) {
  // z0 > z2: rule 1 orders (z1, z0, z2) = (0.2, 0.5, 0.3), interval 2 runs backwards.
  const ShootingModel m(model_scenario('h'), Robot::Scara);
  const SwitchingPlan p = plan_of({0.5, 0.2, 0.3, 0.7});
  ASSERT_GT(p.tt[1], p.tt[2]);
  double target[4];
  coarse_end(m, p, target);
  const SolutionCheck c = check_solution(m, kStart, target, p);
  EXPECT_FALSE(c.ordered);
  EXPECT_FALSE(c.accepted);
  EXPECT_EQ(c.simulations, 0);
  // A negative first time, and a final time before the last switch.
  SwitchingPlan neg = plan_of({0.1, 0.2, 0.3, 0.7});
  neg.tt[0] = -0.01;
  EXPECT_FALSE(check_solution(m, kStart, target, neg).accepted);
  SwitchingPlan late = plan_of({0.1, 0.2, 0.3, 0.25});
  EXPECT_FALSE(check_solution(m, kStart, target, late).accepted);
}

TEST(Acceptance, ValuesThatAreNotNumbersAreRejected) {
  const ShootingModel m(model_scenario('h'), Robot::Scara);
  const SwitchingPlan p = plan_of({0.4, 0.7, 1.08, 1.39});
  double target[4];
  coarse_end(m, p, target);
  SwitchingPlan nan_time = p;
  nan_time.tt[2] = kNan;
  EXPECT_FALSE(check_solution(m, kStart, target, nan_time).ordered);
  SwitchingPlan inf_time = p;
  inf_time.tt[3] = std::numeric_limits<double>::infinity();
  EXPECT_FALSE(check_solution(m, kStart, target, inf_time).ordered);
  // Times in order, but a residual that is not a number (a target that is none).
  double nan_target[4] = {target[0], kNan, target[2], target[3]};
  const SolutionCheck c = check_solution(m, kStart, nan_target, p);
  EXPECT_TRUE(c.ordered);
  EXPECT_TRUE(std::isnan(c.residual));
  EXPECT_FALSE(c.accepted);
}

TEST(Acceptance, ResidualMustStayBelowTheNewtonTolerance) {
  const ShootingModel m(model_scenario('h'), Robot::Scara);
  const SwitchingPlan p = plan_of({0.4, 0.7, 1.08, 1.39});
  double target[4];
  coarse_end(m, p, target);
  double near[4] = {target[0] + 6e-5, target[1], target[2], target[3] - 3e-5};  // 1-norm 9e-5
  EXPECT_TRUE(check_solution(m, kStart, near, p).accepted);
  double off[4] = {target[0] + 6e-5, target[1], target[2], target[3] - 5e-5};  // 1.1e-4
  const SolutionCheck c = check_solution(m, kStart, off, p);
  EXPECT_NEAR(c.residual, 1.1e-4, 1e-12);
  EXPECT_FALSE(c.accepted);
  EXPECT_EQ(c.simulations, 1);  // the fine simulation is not needed
}

TEST(Acceptance, EndPointOfTheCoarseStepAloneIsRejected) {
  // Long intervals of a fast-spinning SCARA: with 50 steps per interval the
  // end state is off by about 1e-2, which 800 steps confirm; 200 steps are
  // within 1e-4 of 800, so the fine simulation is the one to trust.
  const ShootingModel m(model_scenario('h'), Robot::Scara);
  const SwitchingPlan p = plan_of({1.0, 2.0, 3.0, 4.0});
  double target[4], y800[4];
  coarse_end(m, p, target);
  simulate_plan(m, p, kStart, 800, y800);
  EXPECT_GT(distance(target, y800), 2e-3);
  const SolutionCheck c = check_solution(m, kStart, target, p);
  EXPECT_EQ(c.residual, 0.0);
  EXPECT_GT(c.fine_error, 1e-3);
  EXPECT_NEAR(c.fine_error, distance(target, y800), 1e-4);
  EXPECT_FALSE(c.accepted);
  // Three-quarters the length: 50 steps are close enough, and it passes.
  const SwitchingPlan shorter = plan_of({0.75, 1.5, 2.25, 3.0});
  coarse_end(m, shorter, target);
  const SolutionCheck ok = check_solution(m, kStart, target, shorter);
  EXPECT_GT(ok.fine_error, 1e-5);  // a real difference, still under the bound
  EXPECT_TRUE(ok.accepted);
}
