// One projected Levenberg-Marquardt run: the projection onto forward
// intervals, convergence on a task with a known solution, the stopping rules.
#include "toc/lm_run.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "robot/model_fixture.h"
#include "toc/newton.h"

namespace {

const double kStart[4] = {-0.4214, 0.9582, 0.0, 0.0};
const double kSolution[4] = {0.4, 0.7, 1.08, 1.39};

void expect_z(const double (&z)[4], const double (&want)[4]) {
  double p[4] = {z[0], z[1], z[2], z[3]};
  project_switching_times(p);
  for (int k = 0; k < 4; ++k) EXPECT_EQ(p[k], want[k]) << k;
}

// Where the motion for kSolution ends, so that kSolution solves the task.
void solution_target(const ShootingModel& m, double target[4]) {
  SwitchingPlan p;
  simulate_bang_bang(m, kSolution, kStart, 1, -1, target, p);
}

}  // namespace

TEST(Projection, ClampsAndMergesAsWritten) {
  expect_z({-0.1, -0.2, 0.5, 1.0}, {0.0, 0.0, 0.5, 1.0});
  expect_z({0.6, 0.3, 0.2, 1.0}, {0.4, 0.3, 0.4, 1.0});       // z2 < z0: both to the mean
  expect_z({0.1, 0.3, -0.5, 0.2}, {0.0, 0.3, 0.0, 0.3});      // mean below 0; z3 up to z1
  expect_z({0.1, 0.9, 0.5, 0.7}, {0.1, 0.9, 0.5, 0.9});       // z3 up to z1
  expect_z({0.2, 0.1, 0.8, 0.6}, {0.2, 0.1, 0.8, 0.8});       // z3 up to z2
  expect_z({0.2, 0.3, 0.4, 0.5}, {0.2, 0.3, 0.4, 0.5});       // already forward
}

TEST(Projection, EveryProjectedVectorOrdersIntoForwardIntervals) {
  std::mt19937_64 g(7);
  std::uniform_real_distribution<double> u(-2.0, 2.0);
  for (int n = 0; n < 2000; ++n) {
    double z[4] = {u(g), u(g), u(g), u(g)};
    project_switching_times(z);
    for (const int s2 : {-1, 1}) {
      SwitchingPlan p;
      order_switching_times(z, 1, s2, p);
      EXPECT_LE(0.0, p.tt[0]);
      EXPECT_LE(p.tt[0], p.tt[1]);
      EXPECT_LE(p.tt[1], p.tt[2]);
      EXPECT_LE(p.tt[2], p.tt[3]);
    }
  }
}

TEST(LmRun, ConvergesOnTheKnownSolutionFromNearby) {
  const ShootingModel m(model_scenario('h'), Robot::Scara);
  double target[4];
  solution_target(m, target);
  const double z0[4] = {0.43, 0.68, 1.1, 1.42};
  LmRunResult r;
  lm_run(m, kStart, target, 1, -1, z0, r);
  EXPECT_GT(r.accepted_steps, 0);
  EXPECT_LT(r.F, 1e-18);
  for (int k = 0; k < 4; ++k) EXPECT_NEAR(r.z[k], kSolution[k], 1e-7) << k;
  for (int k = 0; k < 4; ++k) EXPECT_EQ(r.trace.plan.tt[k], r.z[k]) << k;  // z0 < z1 < z2 < z3
  // Every iteration took a step, the last one below the stopping residual:
  // four Jacobian columns and at least one trial each.
  EXPECT_EQ(r.accepted_steps, r.iterations);
  EXPECT_GE(r.simulations, 1 + 5 * r.iterations);
  EXPECT_LT(r.iterations, kLmMaxIterations);
}

TEST(LmRun, StartThatSolvesTheTaskMakesNoIteration) {
  const ShootingModel m(model_scenario('h'), Robot::Scara);
  double target[4];
  solution_target(m, target);
  LmRunResult r;
  lm_run(m, kStart, target, 1, -1, kSolution, r);
  EXPECT_EQ(r.iterations, 0);
  EXPECT_EQ(r.simulations, 1);
  EXPECT_EQ(r.F, 0.0);
}

TEST(LmRun, StartThatIsNotANumberStopsAtOnce) {
  const ShootingModel m(model_scenario('h'), Robot::Scara);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double z[4] = {nan, 0.3, 0.4, 0.5}, target[4] = {1.1494, 0.9582, 0, 0};
  LmRunResult r;
  lm_run(m, kStart, target, 1, -1, z, r);
  EXPECT_EQ(r.iterations, 0);
  EXPECT_EQ(r.accepted_steps, 0);
  EXPECT_TRUE(std::isinf(r.F));
}

TEST(LmRun, UnreachableTargetEndsOnForwardTimesWithoutSolvingIt) {
  // No joint-1 torque: joint 1 cannot move, the target half a radian away stays out of reach.
  Scenario s = model_scenario('h');
  s.cyl.tau2max_h = 1.36;
  const ShootingModel m(s, Robot::Cylindrical);
  const double start[4] = {0.0, 0.8, 0.0, 0.0}, target[4] = {0.5, 0.8, 0.0, 0.0};
  const double z0[4] = {0.3, 0.5, 0.9, 1.2};
  LmRunResult r;
  lm_run(m, start, target, 1, -1, z0, r);
  EXPECT_GE(r.F, 0.5 * 0.5 * 0.5);  // the joint-1 error alone
  double p[4] = {r.z[0], r.z[1], r.z[2], r.z[3]};
  project_switching_times(p);
  for (int k = 0; k < 4; ++k) EXPECT_EQ(p[k], r.z[k]) << k;
  EXPECT_LE(r.iterations, kLmMaxIterations);
}
