// The switching functions kept with the records: scaled to their largest
// magnitude, zero from tf on, near zero on an arc inside the limits, and a
// motion that breaks Pontryagin's rule flagged.
#include "toc/sigma_record.h"

#include <gtest/gtest.h>

#include <cmath>

#include "random_tasks.h"
#include "toc/reference_cases.h"
#include "toc/switching_solver.h"

namespace {

void solve_and_record(Scenario& s, SolverChoice choice) {
  const SwitchingSolution sol = find_switching_times(s, model_run(s, s.robot), s.robot, choice);
  ASSERT_TRUE(sol.found);
  record_switching_functions(s, model_run(s, s.robot), s.robot);
}

}  // namespace

TEST(SigmaRecord, DefaultTasksAreScaledKeepTheRuleAndEndAtTf) {
  for (char robot : {'a', 'b'})
    for (char gravity : {'h', 'g'}) {
      Scenario s{};
      setup_default_case(s, robot, gravity);
      solve_and_record(s, SolverChoice::Optimal);
      const RobotRun& run = model_run(s, s.robot);
      ASSERT_TRUE(run.sigma_valid) << robot << gravity;
      EXPECT_FALSE(run.rule_broken) << robot << gravity;
      for (int j = 0; j < 2; ++j) {
        double peak = 0;
        for (int k = 0; k <= s.frame_count; ++k) {
          peak = std::fmax(peak, std::fabs(run.toc_sigma[k][j]));
          if (k * s.dt > run.motion.tf) {
            EXPECT_EQ(run.toc_sigma[k][j], 0.0);
          }
          // Its sign is the opposite of the torque's away from the switches.
          const double t = k * s.dt;
          bool near = false;
          for (int e = 0; e + 1 < run.motion.joint[j].count; ++e)
            near |= std::fabs(t - run.motion.joint[j].end[e]) < 0.01;
          if (!near && t < run.motion.tf && std::fabs(run.toc_sigma[k][j]) > 0.02) {
            EXPECT_LT(run.toc_sigma[k][j] * arc_sign_at(run.motion.joint[j], t), 0.0)
                << robot << gravity << " joint " << j << " at " << t;
          }
        }
        EXPECT_LE(peak, 1.0);
        EXPECT_GT(peak, 0.9);  // the samples come near the largest magnitude
      }
    }
}

// Half a turn of the cylindrical robot: joint 1 inside its limits for most
// of the motion, where its switching function stays within 1 % of its
// largest magnitude.
TEST(SigmaRecord, StaysAtZeroOnAnArcInsideTheLimits) {
  const auto s = random_tasks::make_task('a', 'h', 4);
  solve_and_record(*s, SolverChoice::Optimal);
  const RobotRun& run = model_run(*s, s->robot);
  ASSERT_TRUE(run.sigma_valid);
  ASSERT_GT(run.motion.grid_count, 0);
  const JointArcs& a = run.motion.joint[0];
  int checked = 0;
  for (int arc = 0; arc < a.count; ++arc) {
    if (a.kind[arc] != kArcInterior) continue;
    const double from = arc == 0 ? 0.0 : a.end[arc - 1], to = a.end[arc];
    // Inside the arc, a grid step's worth from either end.
    const double margin = run.motion.tf / run.motion.grid_count;
    for (int k = 0; k <= s->frame_count; ++k) {
      const double t = k * s->dt;
      if (t < from + margin || t > to - margin) continue;
      EXPECT_LT(std::fabs(run.toc_sigma[k][0]), 0.01) << "at " << t;
      ++checked;
    }
  }
  EXPECT_GT(checked, 10);
}

TEST(SigmaRecord, TheExtendedSolversSlowerMotionIsFlagged) {
  const auto s = random_tasks::make_task('b', 'h', 2);
  solve_and_record(*s, SolverChoice::Extended);
  const RobotRun& run = model_run(*s, s->robot);
  ASSERT_TRUE(run.sigma_valid);
  EXPECT_TRUE(run.rule_broken);
  EXPECT_GT(run.rule_at, 0.0);
  EXPECT_LT(run.rule_at, run.motion.tf);
}
