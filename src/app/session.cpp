#include "app/session.h"

#include <cmath>

#include "view/lesson_layout.h"

namespace {
constexpr int kEscape = 27;
}  // namespace

KeyAction Session::key(int key, double now) {
  if (run_) {
    if (key != kEscape) return KeyAction::None;
    run_.reset();  // the questions are dropped; main restores the terminal
    s_.answer_pending = false;
    status_ = ::exit_status(Progress::Quit);
    return KeyAction::Quit;
  }
  if (const std::optional<DialogueEntry> entry = begin_condition_key(s_, ui_, key)) {
    run_.emplace(dialogue_(s_, ui_, *entry));
    return advance();
  }
  return apply_key(s_, ui_, key, now);
}

KeyAction Session::tick(double now) {
  if (!run_) return apply_tick(s_, now);
  ui_.con.take_available(waits_for_key(ui_));
  return advance();
}

KeyAction Session::advance() {
  const long reads = ui_.con.reads();
  const bool was_pending = s_.answer_pending;
  const Progress p = run_->advance(ui_);
  if (p == Progress::Waiting) {
    s_.answer_pending = true;
    // Redrawn when the readout's note appears or an answer changed something.
    return !was_pending || ui_.con.reads() != reads ? KeyAction::Redraw : KeyAction::None;
  }
  run_.reset();
  s_.answer_pending = false;
  if (p == Progress::Done) return KeyAction::Redraw;
  status_ = ::exit_status(p);
  return KeyAction::Quit;
}

KeyAction Session::mouse(const MouseEvent& e) {
  if (run_ || s_.view_mode != ViewMode::Lesson || e.button != MouseButton::Left) {
    grip_ = Grip::None;
    return KeyAction::None;
  }
  const Point p = lesson::drawing_point(e.x, e.y, e.width, e.height);
  switch (e.phase) {
    case MousePhase::Press:
      grip_ = lesson::time_graph_at(p) ? Grip::TimeGraph : Grip::None;
      break;
    case MousePhase::Drag:
      break;
    case MousePhase::Release:
      if (grip_ == Grip::None) return KeyAction::None;
      grip_ = Grip::None;
      return show_time_at(p);
  }
  return grip_ == Grip::TimeGraph ? show_time_at(p) : KeyAction::None;
}

KeyAction Session::show_time_at(const Point& p) {
  if (!usable_dt(s_.dt) || !std::isfinite(p.x)) return KeyAction::None;
  const double t = lesson::time_at(p.x, s_.frame_count * s_.dt);
  const long sample = std::lround(t / s_.dt);
  const bool was_playing = s_.playback.playing;
  pause(s_.playback);
  const int shown = static_cast<int>(std::clamp(sample, 0L, static_cast<long>(s_.frame_count)));
  if (shown == s_.frame_index && !was_playing) return KeyAction::None;
  s_.frame_index = shown;
  return KeyAction::Redraw;
}
