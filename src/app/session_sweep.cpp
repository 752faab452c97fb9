// The sweep view's part of the session: its background computation and a
// click on one of its points.
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/session.h"
#include "app/sweep_point.h"
#include "robot/robot_kind.h"
#include "view/lesson_layout.h"
#include "view/sweep_layout.h"

namespace {

constexpr int kPoints = 2 * kSweepRatios;
// Without threads (the page) one point is computed per tick, between the
// frames: the page answers between any two points.
constexpr double kStepSeconds = 0.0;

// The shortest text that reads back as v.
std::string typed(double v) {
  char text[40];
#if defined(__EMSCRIPTEN__)
  // The page's C++ library has no to_chars for doubles; its printf and
  // strtod never look at a locale.
  for (int digits = 1; digits <= 17; ++digits) {
    std::snprintf(text, sizeof text, "%.*g", digits, v);
    if (std::strtod(text, nullptr) == v) break;
  }
  return text;
#else
  const auto end = std::to_chars(text, text + sizeof text, v);
  return std::string(text, end.ptr);
#endif
}

}  // namespace

void Session::refresh_sweep() {
  if (s_.view_mode != ViewMode::Sweep || run_) return;
  const bool same[2] = {swept_valid_ && same_sweep_axis(swept_, s_, 0),
                        swept_valid_ && same_sweep_axis(swept_, s_, 1)};
  const bool complete = s_.sweep.generation == sweep_generation_ && s_.sweep.done_count == kPoints;
  if (same[0] && same[1] && (sweep_.running() || complete)) return;
  RatioSweep fresh;
  begin_sweep(fresh, s_, ++sweep_generation_);
  // The points of an axis whose task is the same are kept, if they are the
  // last sweep's.
  if (s_.sweep.generation == sweep_generation_ - 1) {
    for (int axis = 0; axis < 2; ++axis) {
      if (!same[axis]) continue;
      for (int i = 0; i < kSweepRatios; ++i) {
        if (!s_.sweep.axis[axis][i].done) continue;
        fresh.axis[axis][i] = s_.sweep.axis[axis][i];
        ++fresh.done_count;
      }
    }
  }
  s_.sweep = fresh;
  swept_ = s_;
  swept_valid_ = true;
  sweep_.start(s_, s_.sweep, ui_.solver, solve_in_ == SolveIn::Background, ui_.pool);
  take_sweep();
}

bool Session::take_sweep() {
  if (!sweep_.running()) {
    s_.sweeping = false;
    return false;
  }
  sweep_.step(kStepSeconds);
  const bool any = sweep_.take(s_.sweep);
  s_.sweeping = sweep_.running();
  return any || !s_.sweeping;
}

bool Session::pick_ratio(int axis, int index) {
  const RobotConditions* r = selected_conditions(s_);
  if (r == nullptr || run_ || axis < 0 || axis > 1 || index < 0 || index >= kSweepRatios)
    return false;
  double u[2] = {r->u1, r->u2};
  u[axis] = s_.sweep.axis[axis][index].u;
  // The u key's questions: change the ratios (y), the two ratios, gravity as
  // it is, and no change of the points.
  const char gravity = s_.gravity == Gravity::On ? 'g' : 'h';
  ui_.con.answer_first("y\n" + typed(u[0]) + " " + typed(u[1]) + "\n" + gravity + "\nn\n");
  key('u', 0.0);
  return true;
}

KeyAction Session::sweep_click(const MouseEvent& e) {
  if (e.phase != MousePhase::Press || e.button != MouseButton::Left) return KeyAction::None;
  const std::optional<SweepPick> pick =
      sweep_pick_at(lesson::drawing_point(e.x, e.y, e.width, e.height), s_.sweep);
  return pick && pick_ratio(pick->axis, pick->index) ? KeyAction::Redraw : KeyAction::None;
}
