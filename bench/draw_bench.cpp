// Time of one whole frame at the last sample against a frame that only clears
// and swaps, for both robots, and their ratio (wall-clock time, since Mesa's
// software renderer rasterises on threads of its own and the X server takes
// the frame in another process). Needs an X display (run under xvfb-run).
#define GL_GLEXT_PROTOTYPES
#include <GL/freeglut.h>
#include <GL/glext.h>
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
#include "view/figures.h"
#include "view/frame.h"
#include "view/graphs.h"
#include "view/primitives.h"
#include "view/text.h"
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

// One layer of the frame alone (cleared and swapped as the clear-only frame),
// at the SCARA robot's last sample: where a frame's time goes. Its counters
// are the primitives it sends to the rasteriser and the pixels they set.
template <typename Layer>
void BM_Layer(benchmark::State& state, Layer layer) {
  open_window();
  prepare('b');
  const Scenario& s = scenario();
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glLoadIdentity();
  GLuint q[2];
  glGenQueries(2, q);
  glBeginQuery(GL_PRIMITIVES_GENERATED, q[0]);
  glBeginQuery(GL_SAMPLES_PASSED, q[1]);
  {
    const LightingOffScope unlit;
    layer(s);
  }
  glEndQuery(GL_PRIMITIVES_GENERATED);
  glEndQuery(GL_SAMPLES_PASSED);
  GLuint n = 0, px = 0;
  glGetQueryObjectuiv(q[0], GL_QUERY_RESULT, &n);
  glGetQueryObjectuiv(q[1], GL_QUERY_RESULT, &px);
  state.counters["prims"] = n;
  state.counters["pixels"] = px;
  glDeleteQueries(2, q);
  for (auto _ : state) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    {
      const LightingOffScope unlit;
      glShadeModel(GL_FLAT);
      layer(s);
      glShadeModel(GL_SMOOTH);
    }
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
      if (name.rfind("BM_FullFrame", 0) != 0) continue;
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

BENCHMARK_CAPTURE(BM_Layer, text, [](const Scenario& s) {
  draw_title();
  draw_captions(s);
  draw_readout(s);
})
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(kRepetitions)
    ->ComputeStatistics("min", fastest);
BENCHMARK_CAPTURE(BM_Layer, grid, [](const Scenario& s) {
  draw_grid(Point{s.layout.robot_base[0], s.layout.robot_base[1]}, 0.0, 20, 0.1, 0.1);
})
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(kRepetitions)
    ->ComputeStatistics("min", fastest);
BENCHMARK_CAPTURE(BM_Layer, figures, [](const Scenario& s) {
  draw_scara_robot(s, s.scara.fb_phi[s.frame_count], colour_red);
  draw_scara_robot(s, s.scara.toc_phi[s.frame_count], colour_blue);
})
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(kRepetitions)
    ->ComputeStatistics("min", fastest);
BENCHMARK_CAPTURE(BM_Layer, paths, [](const Scenario& s) {
  draw_goal_marker(s, s.xf, s.yf, colour_blue);
  draw_path_points(s, s.scara.fb_tip, s.scara.toc_tip, s.frame_count);
})
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(kRepetitions)
    ->ComputeStatistics("min", fastest);
BENCHMARK_CAPTURE(BM_Layer, graphs, [](const Scenario& s) {
  draw_displacement_graph(s, s.frame_count);
  draw_torque_graphs(s, s.frame_count);
})
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
