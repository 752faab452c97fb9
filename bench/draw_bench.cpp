// Time of one whole frame at the last sample against a frame that only clears
// and swaps, for both robots, and their ratio (wall-clock time, since Mesa's
// software renderer rasterises on threads of its own and the X server takes
// the frame in another process). Needs an X display (run under xvfb-run).
#include <GL/freeglut.h>
#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "app/recompute.h"
#include "model/sample_step.h"
#include "model/scenario.h"
#include "view/frame.h"
#include "view/window_setup.h"

namespace {

Scenario& scenario() {
  static Scenario s{};
  return s;
}

// The window, opened once for all benchmarks.
void open_window() {
  static ViewContext ctx{&scenario(), [](int, double, void*) { return KeyAction::None; },
                         [](double, void*) { return KeyAction::None; }, nullptr};
  static bool opened = [] {
    static char name[] = "draw_bench";
    static char* argv[] = {name, nullptr};
    static int argc = 1;
    open_view(ctx, "draw_bench", &argc, argv);
    reshape_view(800, 800);
    return true;
  }();
  (void)opened;
}

// The default task of one robot, computed as the dialogue does, shown at its last sample.
void prepare(char robot) {
  Scenario& s = scenario();
  s = Scenario{};
  compute_default_conditions(s);
  select_robot(s, robot);
  select_gravity(s, 'h');
  s.elbow = Elbow::Down;
  recompute_conditions(s);
  recompute_time_optimal(s, SolverChoice::Extended);
  recompute_feedback(s);
  s.view_scale = 1.0;
  s.frame_index = s.frame_count;
}

void BM_FullFrame(benchmark::State& state, char robot) {
  open_window();
  prepare(robot);
  for (auto _ : state) {
    display_frame(scenario());
    glFinish();
  }
}

void BM_ClearOnly(benchmark::State& state) {
  open_window();
  for (auto _ : state) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glFlush();
    glutSwapBuffers();
    glFinish();
  }
}

// Each benchmark is repeated and its fastest repetition counts: the machine
// may be shared, and other work only ever makes a frame slower.
double fastest(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }
constexpr int kRepetitions = 7;

// The console table, and afterwards each full frame's time over the clear-only
// frame's, both from their fastest repetition.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  RatioReporter() : ConsoleReporter(OO_None) {}
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.error_occurred) continue;
      const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
      if (single || (run.run_type == Run::RT_Aggregate && run.aggregate_name == "min"))
        wall_ms_[name_of(run)] = run.GetAdjustedRealTime();
    }
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    const auto clear = wall_ms_.find("BM_ClearOnly");
    if (clear == wall_ms_.end() || !(clear->second > 0.0)) return;
    for (const auto& [name, ms] : wall_ms_) {
      if (name == clear->first) continue;
      std::printf("%s: %.2f ms a frame = %.1f x the clear-only frame (%.3f ms)\n", name.c_str(),
                  ms, ms / clear->second, clear->second);
    }
  }

 private:
  // The benchmark's name without its repetition count.
  static std::string name_of(const Run& run) {
    std::string name = run.run_name.str();
    const std::size_t repeats = name.find("/repeats:");
    return repeats == std::string::npos ? name : name.substr(0, repeats);
  }

  std::map<std::string, double> wall_ms_;
};

}  // namespace

BENCHMARK(BM_ClearOnly)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(kRepetitions)
    ->ComputeStatistics("min", fastest);
BENCHMARK_CAPTURE(BM_FullFrame, cylindrical, 'a')
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(kRepetitions)
    ->ComputeStatistics("min", fastest);
BENCHMARK_CAPTURE(BM_FullFrame, scara, 'b')
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(kRepetitions)
    ->ComputeStatistics("min", fastest);

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
