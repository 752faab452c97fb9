// Time of the switching-time solver alone and of the whole recomputation
// (solver, time-optimal record, feedback run) for the four default tasks,
// without a pool of threads and with 2 and 4; and the time from a goal
// dropped in the window to its new motion.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <thread>

#include "app/recompute.h"
#include "app/session.h"
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

// The second argument is the solver: 0 extended, 1 optimal (the default).
SolverChoice choice_for(const benchmark::State& state) {
  return state.range(1) == 0 ? SolverChoice::Extended : SolverChoice::Optimal;
}

void BM_Solver(benchmark::State& state, char robot, char gravity) {
  auto s = default_case(robot, gravity);
  const auto pool = pool_for(state);
  for (auto _ : state)
    benchmark::DoNotOptimize(solve_switching_plan(*s, s->robot, choice_for(state), pool.get()));
}

void BM_Recompute(benchmark::State& state, char robot, char gravity) {
  auto s = default_case(robot, gravity);
  const auto pool = pool_for(state);
  const RobotRun& rec = model_run(*s, s->robot);
  for (auto _ : state) {
    if (recompute_time_optimal(*s, choice_for(state), pool.get()).found) recompute_feedback(*s);
    benchmark::DoNotOptimize(rec.fb_phi[s->frame_count][0]);
  }
}

// From a goal dropped in the window to the new motion ready to be drawn: the
// window session with its solve on a thread of its own, the timer's 10 ms
// polls included, between two goals in turn (each a full recomputation).
void BM_WindowDrop(benchmark::State& state, char robot, char gravity) {
  auto s = default_case(robot, gravity);
  recompute_time_optimal(*s, SolverChoice::Extended);
  recompute_feedback(*s);
  const auto pool = pool_for(state);
  Console quiet("", Encoding::Utf8);
  Ui ui{quiet, Lang::En};
  ui.pool = pool.get();
  Session window(*s, ui, run_condition_dialogue, SolveIn::Background);
  bool other = false;
  for (auto _ : state) {
    other = !other;
    window.move_points(0.8, 0.0, other ? 0.1 : 0.0, 0.8);
    while (window.in_dialogue()) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
      window.tick(0.0);
    }
    quiet.clear_output();
  }
}

}  // namespace

BENCHMARK_CAPTURE(BM_WindowDrop, cylindrical_no_gravity, 'a', 'h')->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_WindowDrop, scara_gravity, 'b', 'g')->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_Solver, cylindrical_no_gravity, 'a', 'h')->ArgsProduct({{0, 2, 4}, {0, 1}})->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_Solver, cylindrical_gravity, 'a', 'g')->ArgsProduct({{0, 2, 4}, {0, 1}})->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_Solver, scara_no_gravity, 'b', 'h')->ArgsProduct({{0, 2, 4}, {0, 1}})->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_Solver, scara_gravity, 'b', 'g')->ArgsProduct({{0, 2, 4}, {0, 1}})->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_Recompute, cylindrical_no_gravity, 'a', 'h')->ArgsProduct({{0, 2, 4}, {0, 1}})->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_Recompute, cylindrical_gravity, 'a', 'g')->ArgsProduct({{0, 2, 4}, {0, 1}})->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_Recompute, scara_no_gravity, 'b', 'h')->ArgsProduct({{0, 2, 4}, {0, 1}})->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_Recompute, scara_gravity, 'b', 'g')->ArgsProduct({{0, 2, 4}, {0, 1}})->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
