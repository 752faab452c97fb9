// The recorded joint velocities are the simulation's own (its state), not
// differences of displacements: checked against the central difference of the
// displacement records, which they must match to the difference's own error.
#include "app/recompute.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "toc/reference_cases.h"

namespace {

struct RunCase {
  char robot, gravity;
};

class VelocityRecords : public ::testing::TestWithParam<RunCase> {};

// Whether a switch of the bang-bang motion (or its end) lies within one
// sample of t: there the acceleration jumps, and the central difference
// mixes the accelerations before and after the jump.
bool near_switch(const RobotRun& rec, double t, double dt) {
  for (double ts : rec.tt)
    if (std::fabs(t - ts) <= dt) return true;
  return false;
}

// (phi[k+1] - phi[k-1]) / 2dt differs from phi'(t_k) by dt^2 phi'''/6 where the
// motion is smooth: with dt = 0.02 s that stays below 1% of the fastest
// joint speed here. Within a sample of a switch it may lag by up to a quarter
// of dt times the jump of the acceleration: 10%. A velocity a sample late, of
// the other joint, or zero misses by much more.
TEST_P(VelocityRecords, MatchTheCentralDifferenceOfTheDisplacements) {
  auto s = std::make_unique<Scenario>();
  setup_default_case(*s, GetParam().robot, GetParam().gravity);
  ASSERT_TRUE(recompute_time_optimal(*s, SolverChoice::Extended).found);
  recompute_feedback(*s);
  const RobotRun& rec = model_run(*s, s->robot);
  const double dt = s->dt;
  ASSERT_EQ(dt, 0.02);

  double fastest = 0;
  for (int k = 0; k <= s->frame_count; ++k)
    for (int j = 0; j < 2; ++j)
      fastest = std::max({fastest, std::fabs(rec.toc_dq[k][j]), std::fabs(rec.fb_dq[k][j])});
  ASSERT_GT(fastest, 1.0);

  for (int j = 0; j < 2; ++j) {
    EXPECT_EQ(rec.toc_dq[0][j], 0.0);  // from rest
    EXPECT_EQ(rec.fb_dq[0][j], 0.0);
  }
  for (int k = 1; k < s->frame_count; ++k) {
    const double toc_tolerance = (near_switch(rec, k * dt, dt) ? 0.10 : 0.01) * fastest;
    for (int j = 0; j < 2; ++j) {
      const double toc_diff = (rec.toc_phi[k + 1][j] - rec.toc_phi[k - 1][j]) / (2 * dt);
      const double fb_diff = (rec.fb_phi[k + 1][j] - rec.fb_phi[k - 1][j]) / (2 * dt);
      EXPECT_NEAR(rec.toc_dq[k][j], toc_diff, toc_tolerance) << "time-optimal, sample " << k;
      EXPECT_NEAR(rec.fb_dq[k][j], fb_diff, 0.01 * fastest) << "PID, sample " << k;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(BothRobots, VelocityRecords,
                         ::testing::Values(RunCase{'a', 'h'}, RunCase{'a', 'g'}, RunCase{'b', 'h'},
                                           RunCase{'b', 'g'}),
                         [](const ::testing::TestParamInfo<RunCase>& info) {
                           return std::string(1, info.param.robot) + info.param.gravity;
                         });

}  // namespace
