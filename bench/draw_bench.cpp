// Time of one whole frame at the last sample against a frame that only clears
// and swaps, for both robots. Needs an X display (run under xvfb-run).
#include <GL/freeglut.h>
#include <GL/gl.h>
#include <benchmark/benchmark.h>

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

}  // namespace

BENCHMARK(BM_ClearOnly)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FullFrame, cylindrical, 'a')->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FullFrame, scara, 'b')->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
