#include "app/session.h"

#include <cmath>

#include "view/lesson_layout.h"
#include "view/robot_area_map.h"

namespace {
constexpr int kEscape = 27;
}  // namespace

Session::Session(Scenario& s, Ui& ui, ConditionDialogue dialogue, SolveIn solve_in)
    : s_(s), ui_(ui), dialogue_(dialogue), solve_in_(solve_in) {
  if (solve_in_ == SolveIn::Background) ui_.solve_runner = this;
  refresh_sweep();  // a window that opens on the sweep view
}

Session::~Session() {
  run_.reset();
  if (ui_.solve_runner == this) ui_.solve_runner = nullptr;
}

KeyAction Session::key(int key, double now) {
  if (key == kEscape) {
    run_.reset();  // the questions are dropped; main restores the terminal
    solve_.drop();
    sweep_.cancel();
    s_.sweeping = false;
    s_.answer_pending = false;
    s_.computing = false;
    status_ = ::exit_status(Progress::Quit);
    return KeyAction::Quit;
  }
  if (run_ && waits_for_console(ui_)) return KeyAction::None;
  if (key == 'e') return toggle_elbow() ? KeyAction::Redraw : KeyAction::None;
  if (key == 'z') return undo() ? KeyAction::Redraw : KeyAction::None;
  if (is_condition_key(key)) {
    supersede();
    // A change from the console: the ghost of a window change is gone, and
    // so is what the window last said.
    s_.ghost_points = 0;
    s_.window_note = nullptr;
    if (const std::optional<DialogueEntry> entry = begin_condition_key(s_, ui_, key))
      return start_dialogue(*entry);
  }
  const KeyAction action = apply_key(s_, ui_, key, now);
  refresh_sweep();
  return action;
}

KeyAction Session::tick(double now) {
  KeyAction action = KeyAction::None;
  if (run_) {
    if (waits_for_console(ui_)) ui_.con.take_available(waits_for_key(ui_));
    action = advance();
    if (action == KeyAction::Quit) return action;
  }
  if (take_sweep()) action = KeyAction::Redraw;
  if (apply_tick(s_, now) == KeyAction::Redraw) action = KeyAction::Redraw;
  return action;
}

KeyAction Session::start_dialogue(DialogueEntry entry) {
  window_change_ = entry == DialogueEntry::Window;
  // The task changes: what the sweep still computes is of the old one.
  sweep_.cancel();
  s_.sweeping = false;
  run_.emplace(dialogue_(s_, ui_, entry));
  return advance();
}

bool Session::poll(Question& q) {
  if (!solve_.running()) {
    solve_.start(*q.scenario, ui_.solver, ui_.pool);
    s_.computing = true;
  }
  if (!solve_.ready()) return false;
  q.solution = solve_.take(*q.scenario);
  s_.computing = false;
  return true;
}

KeyAction Session::advance() {
  const long reads = ui_.con.reads();
  const bool was_pending = s_.answer_pending, was_computing = s_.computing;
  const Progress p = run_->advance(ui_);
  if (p == Progress::Waiting) {
    s_.answer_pending = waits_for_console(ui_);
    // Redrawn when the readout's note changes or an answer changed something.
    const bool changed = s_.answer_pending != was_pending || s_.computing != was_computing ||
                         ui_.con.reads() != reads;
    return changed ? KeyAction::Redraw : KeyAction::None;
  }
  run_.reset();
  s_.answer_pending = false;
  s_.computing = false;
  if (p == Progress::Done) {
    // A change made in the window that gives no motion is taken back: the
    // console has said so, and asked nothing.
    if (window_change_ && !s_.outcome.found && !undo_.empty()) {
      undo();
      s_.window_note = "No motion for that change: nothing changed.";
    }
    refresh_sweep();
    return KeyAction::Redraw;
  }
  status_ = ::exit_status(p);
  return KeyAction::Quit;
}

bool Session::supersede() {
  if (run_ && waits_for_console(ui_)) return false;
  run_.reset();
  ui_.question = Question{};
  solve_.drop();
  s_.computing = false;
  return true;
}

KeyAction Session::mouse(const MouseEvent& e) {
  if ((run_ && waits_for_console(ui_)) || e.button == MouseButton::Middle ||
      e.button == MouseButton::Other) {
    grip_ = Grip::None;
    return KeyAction::None;
  }
  if (s_.view_mode == ViewMode::Sweep) {
    grip_ = Grip::None;
    return sweep_click(e);
  }
  if (e.button == MouseButton::Right) {
    return e.phase == MousePhase::Press && undo() ? KeyAction::Redraw : KeyAction::None;
  }
  if (grip_ == Grip::Start || grip_ == Grip::Goal ||
      (e.phase == MousePhase::Press &&
       task_point_at(s_, e.x, e.y, e.width, e.height) != TaskPoint::None))
    return drag_point(e);
  if (s_.view_mode != ViewMode::Lesson) {
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
