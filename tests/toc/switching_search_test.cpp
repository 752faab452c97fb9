// The multi-start search: its starting vectors, the choice between the two
// signs of one start, and a SCARA task with gravity that only the search
// solves, checked by driving the arm with the stored times and signs.
#include "toc/switching_search.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "app/recompute.h"
#include "robot/dynamics.h"
#include "robot/runge_kutta_gill.h"
#include "toc/acceptance.h"
#include "toc/lm_run.h"
#include "toc/newton.h"
#include "toc/reference_cases.h"
#include "toc/switching_solver.h"
#include "toc/task_setup.h"

namespace {

std::unique_ptr<Scenario> default_task(char robot, char gravity) {
  auto s = std::make_unique<Scenario>();
  setup_default_case(*s, robot, gravity);
  return s;
}

// From the benchmark set: both Newton passes run into their update limit.
std::unique_ptr<Scenario> scara_gravity_task() {
  return point_task('b', 'g', -0.6531, 0.2147, 0.4689, -0.3988);
}

// The arm driven from rest at Phi0 by the robot's time-optimal torque law,
// which reads the stored tt and torque_sign, up to the final time tt[3]; each
// interval in n equal steps. The law is asked at the middle of the interval
// being integrated, so no step straddles a switch.
void drive_stored_plan(const Scenario& s, int n, double y[6]) {
  const Robot robot = s.robot;
  const RobotConditions& rec = model_conditions(s, robot);
  const RobotRun& run = model_run(s, robot);
  const RobotDerivative law(s, run, robot, ControlMode::TimeOptimal);
  y[0] = rec.Phi0[0];
  y[1] = rec.Phi0[1];
  y[2] = y[3] = y[4] = y[5] = 0.0;
  double start = 0.0;
  for (int k = 0; k < 4; ++k) {
    const double mid = 0.5 * (start + run.tt[k]);
    const auto in_interval = [&](double, const double* x, double* f) { law(mid, x, f); };
    const double h = (run.tt[k] - start) / n;
    double state[6] = {y[0], y[1], y[2], y[3], y[4], y[5]};
    for (int i = 0; i < n; ++i) runge_kutta_gill(in_interval, 0.0, h, state, state);
    for (int i = 0; i < 6; ++i) y[i] = state[i];
    start = run.tt[k];
  }
}

}  // namespace

TEST(SwitchingSearch, StartsRunOverScalesThenShapes) {
  double z[4];
  search_start(0, 2.0, z);
  EXPECT_EQ(z[0], 0.5);
  EXPECT_EQ(z[1], 1.0);
  EXPECT_EQ(z[2], 1.5);
  EXPECT_EQ(z[3], 2.0);
  search_start(3, 2.0, z);  // scale 1, fourth shape (0.3, 0.15, 0.7)
  EXPECT_DOUBLE_EQ(z[0], 0.6);
  EXPECT_DOUBLE_EQ(z[1], 0.3);
  EXPECT_DOUBLE_EQ(z[2], 1.4);
  search_start(7, 2.0, z);  // scale 0.7, first shape
  EXPECT_DOUBLE_EQ(z[0], 0.35);
  EXPECT_DOUBLE_EQ(z[3], 1.4);
  search_start(kSearchStarts - 1, 2.0, z);  // scale 6, last shape (0.7, 0.5, 0.95)
  EXPECT_DOUBLE_EQ(z[0], 8.4);
  EXPECT_DOUBLE_EQ(z[1], 6.0);
  EXPECT_DOUBLE_EQ(z[2], 11.4);
  EXPECT_DOUBLE_EQ(z[3], 12.0);
  EXPECT_EQ(kSearchStarts, 63);
}

TEST(SwitchingSearch, OfTwoSignsFromOneStartTheFasterMotionWins) {
  // On the default tasks without gravity the first start solves with both
  // signs; the Newton passes found the same two motions, the faster one being
  // pass 1 for the cylindrical robot and pass 2 for the SCARA.
  for (const char robot : {'a', 'b'}) {
    const auto s = default_task(robot, 'h');
    const SwitchingTask t = switching_task(*s, s->robot);
    const ShootingModel m(*s, s->robot);
    double tf[2];
    for (int i = 0; i < 2; ++i) {
      LmRunResult run;
      double z[4];
      search_start(0, t.tf0, z);
      lm_run(m, t.y_start, t.x_target, t.s1, i == 0 ? -1 : 1, z, run);
      ASSERT_TRUE(check_solution(m, t.y_start, t.x_target, run.trace.plan).accepted);
      tf[i] = run.trace.plan.tt[3];
      const NewtonPassResult pass =
          newton_pass(m, t.y_start, t.x_target, t.s1, i == 0 ? -1 : 1, t.z_init);
      EXPECT_NEAR(tf[i], pass.plan.tt[3], 1e-3) << robot << " s2 index " << i;
    }
    const SearchResult r = search_switching_times(m, t.y_start, t.x_target, t.s1, t.tf0);
    ASSERT_TRUE(r.found);
    EXPECT_EQ(r.start, 0);
    EXPECT_EQ(r.runs, 2);
    EXPECT_EQ(r.s2, robot == 'a' ? -1 : 1);
    EXPECT_EQ(r.plan.tt[3], robot == 'a' ? tf[0] : tf[1]);
    EXPECT_LT(r.plan.tt[3], robot == 'a' ? tf[1] : tf[0]);
  }
}

TEST(SwitchingSearch, SolvesAScaraTaskWithGravityThatThePassesMiss) {
  const auto s = scara_gravity_task();
  const SwitchingSolution ref = solve_switching_plan(*s, s->robot, SolverChoice::Reference);
  EXPECT_FALSE(ref.found);
  EXPECT_FALSE(ref.pass[0].converged);
  EXPECT_FALSE(ref.pass[1].converged);
  EXPECT_EQ(ref.pass[0].updates, kNewtonMaxIterations);

  const SwitchingSolution sol = find_switching_times(*s, model_run(*s, s->robot), s->robot, SolverChoice::Extended);
  ASSERT_TRUE(sol.found);
  EXPECT_TRUE(sol.by_search);
  EXPECT_TRUE(sol.searched);
  EXPECT_EQ(sol.search_runs % 2, 0);  // both signs of every start up to the one that solved
  const RobotConditions& rec = s->scara;
  const RobotRun& run = s->scara_run;
  EXPECT_LE(0.0, run.tt[0]);
  for (int k = 1; k < 4; ++k) EXPECT_LE(run.tt[k - 1], run.tt[k]);
  EXPECT_LT(run.tt[3], 3.0);

  // The stored plan drives the arm, through the robot's own torque law, from
  // rest at the start to rest at the end point.
  double y[6];
  drive_stored_plan(*s, 400, y);
  EXPECT_NEAR(y[0], rec.Phif[0], 1e-4);
  EXPECT_NEAR(y[1], rec.Phif[1], 1e-4);
  EXPECT_NEAR(y[2], 0.0, 1e-4);
  EXPECT_NEAR(y[3], 0.0, 1e-4);
  // Every sign is a full torque: the row of each interval is +-1 for both joints.
  for (int k = 0; k < 4; ++k) {
    for (int j = 0; j < 2; ++j) EXPECT_EQ(std::fabs(run.torque_sign[k][j]), 1.0);
  }
}

TEST(SwitchingSearch, TheResultSaysHowItWasFoundAndTheRecordFollows) {
  const auto s = scara_gravity_task();
  const SwitchingSolution ref = recompute_time_optimal(*s, SolverChoice::Reference);
  EXPECT_FALSE(ref.found);
  EXPECT_EQ(s->scara_run.toc_phi[0][0], 0.0);  // no record
  const SwitchingSolution sol = recompute_time_optimal(*s, SolverChoice::Extended);
  ASSERT_TRUE(sol.found);
  EXPECT_TRUE(sol.by_search);
  EXPECT_EQ(s->scara_run.toc_phi[0][0], s->scara.Phi0[0]);
  EXPECT_EQ(s->scara_run.toc_phi[0][1], s->scara.Phi0[1]);
}
