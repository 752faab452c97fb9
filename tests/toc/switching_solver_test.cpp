// The console-free driver: default tasks unchanged to the last bit, the
// acceptance test turning down a converged pass, the reference choice against
// the two passes as they were, a task without a solution of this structure.
#include "toc/switching_solver.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <memory>

#include "toc/acceptance.h"
#include "toc/newton.h"
#include "toc/recorded_solutions.h"
#include "toc/reference_cases.h"
#include "toc/task_setup.h"

namespace {

std::uint64_t bits(double x) { return std::bit_cast<std::uint64_t>(x); }

std::unique_ptr<Scenario> default_task(char robot, char gravity) {
  auto s = std::make_unique<Scenario>();
  setup_default_case(*s, robot, gravity);
  return s;
}

void expect_same_plan(const SwitchingPlan& a, const SwitchingPlan& b) {
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(bits(a.tt[k]), bits(b.tt[k])) << "tt[" << k << "]";
    EXPECT_EQ(a.sign[k][0], b.sign[k][0]) << "interval " << k;
    EXPECT_EQ(a.sign[k][1], b.sign[k][1]) << "interval " << k;
  }
}

// The driver as it was: both passes, no solution when both final times exceed
// 1000 s, else the faster pass (the second on equal times), nothing checked.
struct Unchecked {
  bool found;
  NewtonPassResult winner;
};
Unchecked unchecked_passes(const Scenario& s) {
  const SwitchingTask t = switching_task(s, s.robot);
  const ShootingModel m(s, s.robot);
  const NewtonPassResult p1 = newton_pass(m, t.y_start, t.x_target, t.s1, -1, t.z_init);
  const NewtonPassResult p2 = newton_pass(m, t.y_start, t.x_target, t.s1, +1, t.z_init);
  if (p1.plan.tt[3] > 1000 && p2.plan.tt[3] > 1000) return {false, p1};
  return {true, p1.plan.tt[3] < p2.plan.tt[3] ? p1 : p2};
}

// The default-ratio cylindrical robot from (0.8, 0) to nearly the opposite
// side: joint 1 turns by about pi, and at the speed that needs the work mass
// flies outwards beyond what the joint-2 force can hold and bring back with
// two switches.
std::unique_ptr<Scenario> half_turn_task() { return point_task('a', 'h', 0.8, 0.0, -0.8, 0.01); }

}  // namespace

TEST(SwitchingSolver, DefaultTasksUnchangedToTheLastBit) {
  for (const RecordedSolution& rec : kRecordedSolutions) {
    SCOPED_TRACE(std::string(1, rec.robot) + rec.gravity);
    const auto s = default_task(rec.robot, rec.gravity);
    for (const SolverChoice choice : {SolverChoice::Reference, SolverChoice::Extended}) {
      const SwitchingSolution sol = solve_switching_plan(*s, s->robot, choice);
      ASSERT_TRUE(sol.found);
      EXPECT_FALSE(sol.by_search);
      EXPECT_FALSE(sol.searched);
      EXPECT_EQ(sol.search_runs, 0);
      long sims = 0;
      for (int i = 0; i < 2; ++i) {
        const PassSummary& p = sol.pass[i];
        EXPECT_EQ(p.s2, i == 0 ? -1 : 1);
        EXPECT_EQ(p.updates, rec.pass[i].updates) << "pass " << i;
        EXPECT_EQ(p.converged, !rec.pass[i].failed) << "pass " << i;
        EXPECT_EQ(p.accepted, p.converged) << "pass " << i;  // every converged pass is real here
        EXPECT_EQ(bits(p.final_time), bits(rec.pass[i].final_time)) << "pass " << i;
        // Five simulations per update, one more for a pass that stops before
        // its limit; the check of a converged pass adds the fine simulation.
        sims += 5 * p.updates + (p.updates < kNewtonMaxIterations) + p.converged;
      }
      EXPECT_EQ(sol.simulations, sims);
      for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(bits(sol.plan.tt[k]), bits(rec.tt[k])) << "tt[" << k << "]";
        EXPECT_EQ(sol.plan.sign[k][0], rec.sign[k][0]) << "interval " << k;
        EXPECT_EQ(sol.plan.sign[k][1], rec.sign[k][1]) << "interval " << k;
      }
    }
    // And stored so by the driver.
    const SwitchingSolution stored = find_switching_times(*s, model_run(*s, s->robot), s->robot);
    ASSERT_TRUE(stored.found);
    const RobotRun& r = model_run(*s, s->robot);
    for (int k = 0; k < 4; ++k) {
      EXPECT_EQ(bits(r.tt[k]), bits(rec.tt[k]));
      EXPECT_EQ(r.torque_sign[k][0], rec.sign[k][0]);
      EXPECT_EQ(r.torque_sign[k][1], rec.sign[k][1]);
    }
  }
}

TEST(SwitchingSolver, ConvergedPassThatRunsBackwardsIsNoSolution) {
  // Cylindrical robot with gravity: pass 1 converges on z2 <= z1 with z0 > z2,
  // ordered (z0, z2, z1), so interval 1 runs from z0 back to z2; pass 2 fails.
  // The old driver stored pass 1.
  const auto s = point_task('a', 'g', 0.6692, 0.0554, -0.8398, -0.0522);
  const Unchecked old = unchecked_passes(*s);
  ASSERT_TRUE(old.found);
  EXPECT_GT(old.winner.plan.tt[0], old.winner.plan.tt[1]);
  EXPECT_GT(old.winner.z[0], old.winner.z[2]);

  const SwitchingSolution sol = solve_switching_plan(*s, s->robot, SolverChoice::Reference);
  EXPECT_TRUE(sol.pass[0].converged);
  EXPECT_FALSE(sol.pass[0].accepted);
  EXPECT_FALSE(sol.pass[1].converged);
  EXPECT_FALSE(sol.found);
  EXPECT_FALSE(sol.searched);
}

TEST(SwitchingSolver, ReferenceKeepsTheOldResultWhereverThatIsARealSolution) {
  // Default tasks and tasks from the benchmark set where one or both passes converge.
  struct Task {
    char robot, gravity;
    double x0, y0, xf, yf;
  };
  const Task tasks[] = {
      {'a', 'h', 0.8, 0.0, 0.0, 0.8},           {'a', 'g', 0.8, 0.0, 0.0, 0.8},
      {'b', 'h', 0.8, 0.0, 0.0, 0.8},           {'b', 'g', 0.8, 0.0, 0.0, 0.8},
      {'a', 'h', -0.7327, 0.0774, 0.1185, 0.4831}, {'a', 'g', 0.5009, -0.0007, -0.3984, 0.3543},
      {'b', 'h', 0.5936, 0.2615, -0.4121, -0.4773}, {'b', 'g', -0.0247, -0.2910, 0.5012, 0.1560},
      {'b', 'g', -0.0698, 0.1903, -0.7310, 0.2005}, {'b', 'g', -0.6531, 0.2147, 0.4689, -0.3988},
  };
  int compared = 0;
  for (const Task& t : tasks) {
    SCOPED_TRACE(std::string(1, t.robot) + t.gravity + " " + std::to_string(t.x0));
    const auto s = point_task(t.robot, t.gravity, t.x0, t.y0, t.xf, t.yf);
    const Unchecked old = unchecked_passes(*s);
    const SwitchingSolution ref = solve_switching_plan(*s, s->robot, SolverChoice::Reference);
    if (!old.found) {
      EXPECT_FALSE(ref.found);
      continue;
    }
    const SwitchingTask task = switching_task(*s, s->robot);
    const ShootingModel m(*s, s->robot);
    if (!check_solution(m, task.y_start, task.x_target, old.winner.plan).accepted) continue;
    ASSERT_TRUE(ref.found);
    expect_same_plan(ref.plan, old.winner.plan);
    // The search is never needed then, so the extended choice agrees.
    const SwitchingSolution ext = solve_switching_plan(*s, s->robot, SolverChoice::Extended);
    EXPECT_FALSE(ext.searched);
    expect_same_plan(ext.plan, old.winner.plan);
    ++compared;
  }
  EXPECT_GE(compared, 8);
}

TEST(SwitchingSolver, HalfTurnOfTheCylindricalRobotHasNoSolution) {
  const auto s = half_turn_task();
  RobotRun& rec = s->cyl_run;
  rec.tt[1] = 7.0;
  rec.torque_sign[3][0] = 5.0;
  const SwitchingSolution sol = find_switching_times(*s, model_run(*s, s->robot), s->robot, SolverChoice::Extended);
  EXPECT_FALSE(sol.found);
  EXPECT_FALSE(sol.by_search);
  EXPECT_TRUE(sol.searched);
  EXPECT_EQ(sol.search_runs, 126);  // every start, both signs
  EXPECT_EQ(rec.tt[1], 7.0);
  EXPECT_EQ(rec.torque_sign[3][0], 5.0);
  const SwitchingSolution ref = solve_switching_plan(*s, s->robot, SolverChoice::Reference);
  EXPECT_FALSE(ref.found);
  EXPECT_FALSE(ref.searched);
}
