// Time of the switching-time solver alone and of the whole recomputation
// (solver, time-optimal record, feedback run) for the four default tasks.
#include <benchmark/benchmark.h>

#include <memory>

#include "app/recompute.h"
#include "model/scenario.h"
#include "robot/conditions.h"

namespace {

// The default task of one robot and gravity mode, prepared as the dialogue does.
std::unique_ptr<Scenario> default_case(char robot, char gravity) {
  auto s = std::make_unique<Scenario>();
  compute_default_conditions(*s);
  select_robot(*s, robot);
  select_gravity(*s, gravity);
  s->elbow = Elbow::Down;
  recompute_conditions(*s);
  return s;
}

void BM_Solver(benchmark::State& state, char robot, char gravity) {
  auto s = default_case(robot, gravity);
  for (auto _ : state) benchmark::DoNotOptimize(solve_switching_plan(*s, s->robot, SolverChoice::Extended));
}

void BM_Recompute(benchmark::State& state, char robot, char gravity) {
  auto s = default_case(robot, gravity);
  const RobotRun& rec = model_run(*s, s->robot);
  for (auto _ : state) {
    if (recompute_time_optimal(*s, SolverChoice::Extended).found) recompute_feedback(*s);
    benchmark::DoNotOptimize(rec.fb_phi[s->frame_count][0]);
  }
}

}  // namespace

BENCHMARK_CAPTURE(BM_Solver, cylindrical_no_gravity, 'a', 'h')->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Solver, cylindrical_gravity, 'a', 'g')->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Solver, scara_no_gravity, 'b', 'h')->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Solver, scara_gravity, 'b', 'g')->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Recompute, cylindrical_no_gravity, 'a', 'h')->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Recompute, cylindrical_gravity, 'a', 'g')->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Recompute, scara_no_gravity, 'b', 'h')->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Recompute, scara_gravity, 'b', 'g')->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
