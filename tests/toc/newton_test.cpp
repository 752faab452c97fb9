// One damped Newton pass: damping table, stopping rules, failure checks, Jacobian.
#include "toc/newton.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "robot/model_fixture.h"

namespace {

const double kStart[4] = {-0.4214, 0.9582, 0.0, 0.0};

// A pass whose target is where the motion for z ends: converged from the start.
NewtonPassResult pass_from_its_own_end(const double (&z)[4]) {
  const ShootingModel m(model_scenario(), Robot::Scara);
  double target[4];
  SwitchingPlan p;
  simulate_bang_bang(m, z, kStart, 1, -1, target, p);
  return newton_pass(m, kStart, target, 1, -1, z);
}

}  // namespace

TEST(Newton, SumAbsAndDampingTable) {
  const double v[4] = {1, -2, 3, -4};
  EXPECT_EQ(sum_abs(4, v), 10.0);
  const double table[][2] = {{4.0, 0.0125}, {1.0, 0.05},    {0.5, 0.05},   {0.1, 0.05},
                             {0.05, 0.5},   {0.01, 0.5},    {0.005, 0.2},  {0.001, 0.2},
                             {0.0005, 0.5}, {0.0001, 0.5},  {9.9999e-5, 1.0}, {0.0, 1.0}};
  for (const auto& row : table) EXPECT_EQ(damping_factor(row[0]), row[1]) << row[0];
}

TEST(Newton, PassThatStartsConvergedMakesNoUpdate) {
  const NewtonPassResult r = pass_from_its_own_end({0.4, 0.7, 1.08, 1.39});
  EXPECT_FALSE(r.failed);
  EXPECT_EQ(r.updates, 0);
  const double want[4] = {0.4, 0.7, 1.08, 1.39};
  for (int k = 0; k < 4; ++k) EXPECT_EQ(r.plan.tt[k], want[k]);
}

TEST(Newton, FailureChecksAtTheStop) {
  const NewtonPassResult late = pass_from_its_own_end({0.1, 0.3, 0.6, 0.5});  // z2 > z3
  EXPECT_TRUE(late.failed);
  EXPECT_EQ(late.plan.tt[3], kFailedFinalTime);
  EXPECT_EQ(late.plan.tt[2], 0.6);
  const NewtonPassResult j1_late = pass_from_its_own_end({0.1, 0.6, 0.3, 0.5});  // z1 > z3: fine
  EXPECT_FALSE(j1_late.failed);
  EXPECT_EQ(j1_late.plan.tt[3], 0.5);
  EXPECT_TRUE(pass_from_its_own_end({-0.1, 0.3, 0.4, 0.5}).failed);
  EXPECT_TRUE(pass_from_its_own_end({0.1, -0.3, 0.4, 0.5}).failed);
  // Not a number: the residual ends the pass at once, the checks fail it.
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double z[4] = {nan, 0.3, 0.4, 0.5}, target[4] = {1.1494, 0.9582, 0, 0};
  const NewtonPassResult r = newton_pass(ShootingModel(model_scenario(), Robot::Scara), kStart, target, 1, -1, z);
  EXPECT_EQ(r.updates, 0);
  EXPECT_TRUE(r.failed);
  // A residual that is not a number with finite times (a limit that is not a
  // number) is no solution either.
  const double z_ok[4] = {0.4, 0.7, 1.08, 1.39}, target_nan[4] = {1.1494, nan, 0, 0};
  const NewtonPassResult rn =
      newton_pass(ShootingModel(model_scenario(), Robot::Scara), kStart, target_nan, 1, -1, z_ok);
  EXPECT_EQ(rn.updates, 0);
  EXPECT_TRUE(rn.failed);
  EXPECT_EQ(rn.plan.tt[3], kFailedFinalTime);
}

TEST(Newton, UnreachableTargetEndsAtTheIterationLimit) {
  // No joint-1 torque: joint 1 never moves, the Jacobian is singular and used uninverted.
  Scenario s = model_scenario();
  s.cyl.tau2max_h = 1.36;  // joint 2: +-1 m/s^2
  const ShootingModel m(s, Robot::Cylindrical);
  const double start[4] = {0.0, 0.8, 0.0, 0.0}, target[4] = {0.5, 0.8, 0.0, 0.0};
  const double z[4] = {0.3, 0.5, 0.9, 1.2};
  ShootingTrace base;
  simulate_bang_bang(m, z, start, -1, 1, base, nullptr);
  double J[4][4];
  EXPECT_FALSE(std::fabs(switching_jacobian(m, start, z, -1, 1, base, J)) > 1e-6);
  // Last interval (+1) longer by d: r grows by v_end d + d^2/2 with v_end = 0.3-0.2-0.4+0.3 = 0.
  EXPECT_NEAR(J[1][3], 0.5 * 0.005, 1e-9);
  EXPECT_NEAR(J[3][3], 1.0, 1e-9);
  EXPECT_EQ(J[0][3], 0.0);
  const NewtonPassResult r = newton_pass(m, start, target, -1, 1, z);
  EXPECT_EQ(r.updates, kNewtonMaxIterations);
  EXPECT_TRUE(r.failed);
  EXPECT_EQ(r.plan.tt[3], kFailedFinalTime);
}
