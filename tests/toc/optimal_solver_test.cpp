// The optimal solver: the default tasks exactly as the extended solver gives
// them, every task of a seeded random set solved, each bang-bang motion
// reaching the goal at rest under an independent integrator, never slower
// than the extended solver's motion, and the structures the passes cannot
// make.
#include "toc/optimal_solver.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#include <tuple>

#include "random_tasks.h"
#include "toc/direct_motion.h"
#include "toc/independent_rk4.h"
#include "toc/reference_cases.h"
#include "toc/worker_pool.h"

namespace {

std::uint64_t bits(double x) { return std::bit_cast<std::uint64_t>(x); }

// "+- -+-": each joint's arcs.
std::string shape(const Motion& m) {
  std::string s;
  for (int j = 0; j < 2; ++j) {
    if (j > 0) s += ' ';
    for (int k = 0; k < m.joint[j].count; ++k)
      s += m.joint[j].kind[k] > 0 ? '+' : m.joint[j].kind[k] < 0 ? '-' : 's';
  }
  return s;
}

double independent_end_error(const Scenario& s, const Motion& m) {
  const SwitchingTask t = switching_task(s, s.robot);
  double y[4];
  independent::simulate(independent::plant_of(s), m, t.y_start,
                        10 * kStepsPerInterval, y);
  return end_error(t.x_target, y);
}

}  // namespace

TEST(OptimalSolver, DefaultTasksAreTheExtendedSolversToTheLastBit) {
  WorkerPool pool(2);
  for (char robot : {'a', 'b'})
    for (char gravity : {'h', 'g'})
      for (WorkerPool* p : {static_cast<WorkerPool*>(nullptr), &pool}) {
        Scenario s{};
        setup_default_case(s, robot, gravity);
        const SwitchingSolution ext = solve_switching_plan(s, s.robot, SolverChoice::Extended, p);
        const SwitchingSolution opt = solve_switching_plan(s, s.robot, SolverChoice::Optimal, p);
        SCOPED_TRACE(std::string(1, robot) + gravity);
        ASSERT_TRUE(opt.found);
        EXPECT_EQ(opt.method, FoundBy::Passes);
        EXPECT_TRUE(opt.four_intervals);
        for (int k = 0; k < 4; ++k) {
          EXPECT_EQ(bits(opt.plan.tt[k]), bits(ext.plan.tt[k]));
          EXPECT_EQ(opt.plan.sign[k][0], ext.plan.sign[k][0]);
          EXPECT_EQ(opt.plan.sign[k][1], ext.plan.sign[k][1]);
        }
      }
}

// Six tasks per robot and gravity case: each gets a motion; a bang-bang one
// ends at rest on the goal under the independent integrator at ten times the
// steps (the difference of the two integrators, 1e-4, in the 1-norm), and
// none is slower than the extended solver's.
TEST(OptimalSolver, EveryRandomTaskGetsAMotionThatReachesTheGoalAndBeatsExtended) {
  WorkerPool pool(2);
  for (char robot : {'a', 'b'})
    for (char gravity : {'h', 'g'})
      for (int i = 0; i < 6; ++i) {
        const auto s = random_tasks::make_task(robot, gravity, i);
        SCOPED_TRACE(std::string(1, robot) + gravity + " " + std::to_string(i));
        const SwitchingSolution opt =
            solve_switching_plan(*s, s->robot, SolverChoice::Optimal, &pool);
        ASSERT_TRUE(opt.found);
        EXPECT_LT(opt.end_error, 1e-4);
        if (opt.motion.grid_count == 0) {
          EXPECT_LE(independent_end_error(*s, opt.motion), 1e-4) << shape(opt.motion);
          if (opt.method == FoundBy::Direct) {
            EXPECT_LT(opt.end_error, 1e-8);
          }
        }
        const SwitchingSolution ext =
            solve_switching_plan(*s, s->robot, SolverChoice::Extended, &pool);
        if (ext.found) {
          EXPECT_LE(opt.motion.tf, ext.motion.tf * (1 + 1e-12));
        }
      }
}

// Against the direct method alone on finer grids, for a few tasks of each
// kind: never more than 0.1 % slower.
TEST(OptimalSolver, NoSlowerThanTheDirectMethodOnAFinerGrid) {
  WorkerPool pool(2);
  const struct {
    char robot, gravity;
    int task;
  } cases[] = {{'a', 'h', 4}, {'a', 'g', 0}, {'b', 'h', 2}, {'b', 'g', 3}};
  for (const auto& c : cases) {
    const auto s = random_tasks::make_task(c.robot, c.gravity, c.task);
    const SwitchingSolution opt = solve_switching_plan(*s, s->robot, SolverChoice::Optimal, &pool);
    ASSERT_TRUE(opt.found);
    const SwitchingTask t = switching_task(*s, s->robot);
    const ShootingModel m(*s, s->robot);
    const DirectMotion finer = direct_motion(m, t.y_start, t.x_target, 40);
    ASSERT_TRUE(finer.found);
    EXPECT_LE(opt.motion.tf, finer.motion.tf * 1.001) << c.robot << c.gravity << c.task;
  }
}

// Structures the two passes never try, each found on a task of the set.
TEST(OptimalSolver, FindsTheStructuresThePassesCannotMake) {
  WorkerPool pool(2);
  struct Case {
    char robot, gravity;
    int task;
    const char* what;
  };
  const Case cases[] = {
      {'b', 'h', 13, "1 + 4"},   // joint 2: + - + - +
      {'b', 'g', 0, "2 + 2"},    // joint 1: - + -, joint 2: + - +
      {'a', 'h', 4, "interior"}, // joint 1 inside its limits for a while
      {'b', 'g', 6, "against"},  // joint 1 starts against its move
  };
  for (const Case& c : cases) {
    const auto s = random_tasks::make_task(c.robot, c.gravity, c.task);
    const SwitchingSolution opt = solve_switching_plan(*s, s->robot, SolverChoice::Optimal, &pool);
    ASSERT_TRUE(opt.found) << c.what;
    EXPECT_EQ(opt.method, FoundBy::Direct) << c.what;
    EXPECT_FALSE(opt.four_intervals) << c.what;
    const Motion& m = opt.motion;
    const std::string what = c.what;
    if (what == "1 + 4") {
      EXPECT_EQ(m.joint[0].count, 2) << shape(m);
      EXPECT_EQ(m.joint[1].count, 5) << shape(m);
    } else if (what == "2 + 2") {
      EXPECT_EQ(m.joint[0].count, 3) << shape(m);
      EXPECT_EQ(m.joint[1].count, 3) << shape(m);
    } else if (what == "interior") {
      EXPECT_TRUE(has_interior_arc(m)) << shape(m);
      EXPECT_GT(m.grid_count, 0);
    } else {
      EXPECT_EQ(m.joint[0].kind[0], -switching_task(*s, s->robot).s1) << shape(m);
    }
  }
}

// Where the passes' motion is not the fastest, the report carries their tf.
TEST(OptimalSolver, ASlowerPassesMotionIsReplacedAndItsTimeKept) {
  const auto s = random_tasks::make_task('b', 'h', 3);
  const SwitchingSolution ext = solve_switching_plan(*s, s->robot, SolverChoice::Extended);
  const SwitchingSolution opt = solve_switching_plan(*s, s->robot, SolverChoice::Optimal);
  ASSERT_TRUE(ext.found && opt.found);
  EXPECT_EQ(opt.method, FoundBy::Direct);
  EXPECT_EQ(bits(opt.passes_tf), bits(ext.plan.tt[3]));
  EXPECT_LT(opt.motion.tf, 0.95 * ext.plan.tt[3]);
}

// No motion exists without torque, or for a point that is not a number.
TEST(OptimalSolver, NoMotionWithoutTorqueOrForAPointThatIsNotANumber) {
  {
    Scenario s{};
    setup_default_case(s, 'a', 'h');
    s.cyl.tau1max_h = 0.0;
    EXPECT_FALSE(solve_switching_plan(s, s.robot, SolverChoice::Optimal).found);
  }
  {
    Scenario s{};
    setup_default_case(s, 'a', 'h');
    s.cyl.Phif[0] = NAN;
    const SwitchingSolution sol = solve_switching_plan(s, s.robot, SolverChoice::Optimal);
    EXPECT_FALSE(sol.found);
    EXPECT_TRUE(std::isnan(sol.end_error));
  }
}

// On the pool, where the passes race the direct method and the grids are
// solved side by side, the motion is bit for bit the serial one.
TEST(OptimalSolver, ThePoolGivesTheSerialMotionToTheLastBit) {
  WorkerPool pool(2);
  for (auto [robot, gravity, task] :
       {std::tuple{'a', 'h', 4}, {'a', 'g', 2}, {'b', 'h', 3}, {'b', 'g', 0}}) {
    const auto s = random_tasks::make_task(robot, gravity, task);
    const SwitchingSolution serial = solve_switching_plan(*s, s->robot, SolverChoice::Optimal);
    const SwitchingSolution pooled =
        solve_switching_plan(*s, s->robot, SolverChoice::Optimal, &pool);
    ASSERT_TRUE(serial.found && pooled.found);
    EXPECT_EQ(std::memcmp(&serial.motion, &pooled.motion, sizeof serial.motion), 0)
        << robot << gravity << task;
    EXPECT_EQ(serial.method, pooled.method);
  }
}
