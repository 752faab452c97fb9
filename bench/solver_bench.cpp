// Time of the switching-time solver alone and of the whole recomputation
// (solver, time-optimal record, feedback run) for the four default tasks.
#include <benchmark/benchmark.h>

#include <memory>

#include "app/recompute.h"
#include "model/scenario.h"
#include "robot/conditions.h"
#include "toc/worker_pool.h"

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

// The argument is the number of threads: 0 without a pool (the serial order),
// otherwise a pool of that many threads, the caller included.
std::unique_ptr<WorkerPool> pool_for(const benchmark::State& state) {
  const int threads = static_cast<int>(state.range(0));
  return threads > 0 ? std::make_unique<WorkerPool>(threads) : nullptr;
}

void BM_Solver(benchmark::State& state, char robot, char gravity) {
  auto s = default_case(robot, gravity);
  const auto pool = pool_for(state);
  for (auto _ : state)
    benchmark::DoNotOptimize(solve_switching_plan(*s, s->robot, SolverChoice::Extended, pool.get()));
}

void BM_Recompute(benchmark::State& state, char robot, char gravity) {
  auto s = default_case(robot, gravity);
  const auto pool = pool_for(state);
  const RobotRun& rec = model_run(*s, s->robot);
  for (auto _ : state) {
    if (recompute_time_optimal(*s, SolverChoice::Extended, pool.get()).found) recompute_feedback(*s);
    benchmark::DoNotOptimize(rec.fb_phi[s->frame_count][0]);
  }
}

}  // namespace

BENCHMARK_CAPTURE(BM_Solver, cylindrical_no_gravity, 'a', 'h')->Arg(0)->Arg(2)->Arg(4)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_Solver, cylindrical_gravity, 'a', 'g')->Arg(0)->Arg(2)->Arg(4)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_Solver, scara_no_gravity, 'b', 'h')->Arg(0)->Arg(2)->Arg(4)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_Solver, scara_gravity, 'b', 'g')->Arg(0)->Arg(2)->Arg(4)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_Recompute, cylindrical_no_gravity, 'a', 'h')->Arg(0)->Arg(2)->Arg(4)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_Recompute, cylindrical_gravity, 'a', 'g')->Arg(0)->Arg(2)->Arg(4)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_Recompute, scara_no_gravity, 'b', 'h')->Arg(0)->Arg(2)->Arg(4)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_Recompute, scara_gravity, 'b', 'g')->Arg(0)->Arg(2)->Arg(4)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
