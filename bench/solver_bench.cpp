// Time of the switching-time solver alone and of the whole recomputation
// (solver, time-optimal record, feedback run) for the four default tasks.
#include <benchmark/benchmark.h>

#include <memory>

#include "console/console.h"
#include "fbc/feedback_run.h"
#include "scenario/conditions.h"
#include "scenario/scenario.h"
#include "toc/time_optimal.h"

namespace {

// The default task of one robot and gravity mode, prepared as the dialogue does.
std::unique_ptr<Scenario> default_case(char robot, char gravity, Console& con) {
  auto s = std::make_unique<Scenario>();
  initialset(*s, con);
  s->robot_type = robot;
  s->gravity_mode = gravity;
  s->elbow_mode = '1';
  compute_conditions(*s, con);
  s->dt = 4.0 / s->frame_count;
  if (s->tfm > 4.0) s->dt = 8.0 / s->frame_count;
  con.clear_output();
  return s;
}

void BM_Solver(benchmark::State& state, char robot, char gravity) {
  Console con("", Encoding::Utf8);  // captures the title lines
  auto s = default_case(robot, gravity, con);
  for (auto _ : state) {
    s->control_mode = 'T';
    benchmark::DoNotOptimize(solve_switching_times(*s, con));
    con.clear_output();
  }
}

void BM_Recompute(benchmark::State& state, char robot, char gravity) {
  Console con("", Encoding::Utf8);
  auto s = default_case(robot, gravity, con);
  const RobotRecord& rec = model_record(*s, robot);
  for (auto _ : state) {
    s->control_mode = 'T';
    if (compute_time_optimal(*s, con) == 1) {
      s->control_mode = 'F';
      run_feedback_simulation(*s, s->robot_type, s->dt, s->frame_count, rec.Phi0);
    }
    benchmark::DoNotOptimize(rec.fb_phi[s->frame_count][0]);
    con.clear_output();
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
