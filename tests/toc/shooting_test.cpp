// Ordering of the trial vector into bang-bang intervals and the shooting simulation.
#include "toc/shooting.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

#include "robot/model_fixture.h"

namespace {

void expect_plan(const double (&z)[4], int s1, int s2, const double (&tt)[4],
                 const int (&sign)[4][2]) {
  SwitchingPlan p;
  order_switching_times(z, s1, s2, p);
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(p.tt[k], tt[k]) << "tt " << k;
    EXPECT_EQ(p.sign[k][0], sign[k][0]) << "row " << k;
    EXPECT_EQ(p.sign[k][1], sign[k][1]) << "row " << k;
  }
}

// No joint-1 torque and no rotation: joint 2 alone, at exactly +-1.36 N on 1.36 kg.
Scenario radial_scenario() {
  Scenario s = model_scenario('h');
  s.cyl.tau2max_h = 1.36;
  return s;
}

}  // namespace

TEST(Shooting, OrderingRules) {
  expect_plan({0.1, 0.2, 0.3, 0.4}, +1, -1, {0.1, 0.2, 0.3, 0.4},
              {{1, -1}, {1, 1}, {-1, 1}, {-1, -1}});
  expect_plan({0.2, 0.1, 0.3, 0.4}, +1, +1, {0.1, 0.2, 0.3, 0.4},  // z1 < z0 < z2
              {{1, 1}, {-1, 1}, {-1, -1}, {-1, 1}});
  expect_plan({0.2, 0.2, 0.3, 0.4}, -1, +1, {0.2, 0.2, 0.3, 0.4},  // z1 = z0: rule 1 alone
              {{-1, 1}, {1, 1}, {1, -1}, {1, 1}});
  // Overwrites: z2 <= z1 <= z0 (rules 1, 3), z1 = z2 (rules 2, 3), zeros (all): rule 3 stands.
  expect_plan({0.3, 0.2, 0.1, 0.4}, +1, -1, {0.3, 0.1, 0.2, 0.4},
              {{1, -1}, {1, 1}, {1, -1}, {-1, -1}});
  expect_plan({0.1, 0.2, 0.2, 0.4}, +1, +1, {0.1, 0.2, 0.2, 0.4},
              {{1, 1}, {1, -1}, {1, 1}, {-1, 1}});
  expect_plan({0, 0, 0, 0}, -1, -1, {0, 0, 0, 0}, {{-1, -1}, {-1, 1}, {-1, -1}, {1, -1}});
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double undefined[4] = {nan, 0.2, nan, 0.4};
  SwitchingPlan p;  // no rule applies: the given order
  order_switching_times(undefined, +1, -1, p);
  EXPECT_EQ(p.tt[1], 0.2);
}

TEST(Shooting, RadialMotionMatchesConstantAcceleration) {
  const ShootingModel m(radial_scenario(), Robot::Cylindrical);
  const double y0[4] = {0.0, 0.8, 0.0, 0.0};
  // In order, then with z0 > z2: interval 2 runs backwards in time.
  const double trials[2][4] = {{0.3, 0.5, 0.9, 1.2}, {0.5, 0.1, 0.3, 0.6}};
  for (const auto& z : trials) {
    double y[4];
    SwitchingPlan p;
    simulate_bang_bang(m, z, y0, -1, +1, y, p);
    double r = 0.8, v = 0, start = 0;
    for (int k = 0; k < 4; ++k) {  // signed durations, accelerations +-1
      const double d = p.tt[k] - start, a = p.sign[k][1];
      r += v * d + 0.5 * a * d * d;
      v += a * d;
      start = p.tt[k];
    }
    EXPECT_EQ(y[0], 0.0);
    EXPECT_NEAR(y[1], r, 1e-9);
    EXPECT_NEAR(y[3], v, 1e-9);
  }
  const double zeros[4] = {0, 0, 0, 0};
  double y[4];
  SwitchingPlan p;
  simulate_bang_bang(m, zeros, y0, 1, 1, y, p);  // nothing moves
  EXPECT_EQ(std::memcmp(y, y0, sizeof y), 0);
}

TEST(Shooting, ReusedIntervalsGiveTheSameBits) {
  for (char gravity : {'h', 'g'}) {
    const ShootingModel m(model_scenario(gravity), Robot::Scara);
    const double y0[4] = {-0.4214, 0.9582, 0.0, 0.0}, z[4] = {0.4, 0.7, 1.08, 1.39};
    ShootingTrace base;
    simulate_bang_bang(m, z, y0, 1, 1, base, nullptr);
    // Each component nudged, a nudge that reorders the times, none at all, another start.
    const double nudges[7][3] = {{0, 0.005, 0}, {1, 0.005, 0}, {2, 0.005, 0}, {3, 0.005, 0},
                                 {1, 0.5, 0},   {3, 0.0, 0},   {3, 0.0, 0.1}};
    for (const auto& nd : nudges) {
      double zk[4] = {z[0], z[1], z[2], z[3]}, start[4] = {y0[0] + nd[2], y0[1], 0, 0};
      zk[static_cast<int>(nd[0])] += nd[1];
      ShootingTrace reused;
      simulate_bang_bang(m, zk, start, 1, 1, reused, &base);
      double fresh[4];
      SwitchingPlan p;
      simulate_bang_bang(m, zk, start, 1, 1, fresh, p);
      EXPECT_EQ(std::memcmp(fresh, reused.y_end, sizeof fresh), 0) << gravity << nd[0] << nd[1];
    }
  }
}
