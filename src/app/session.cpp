#include "app/session.h"

namespace {
constexpr int kEscape = 27;
}  // namespace

Session::Session(Scenario& s, Ui& ui, ConditionDialogue dialogue, SolveIn solve_in)
    : s_(s), ui_(ui), dialogue_(dialogue), solve_in_(solve_in) {
  if (solve_in_ == SolveIn::Background) ui_.solve_runner = this;
}

Session::~Session() {
  run_.reset();
  if (ui_.solve_runner == this) ui_.solve_runner = nullptr;
}

KeyAction Session::key(int key, double now) {
  if (key == kEscape) {
    run_.reset();  // the questions are dropped; main restores the terminal
    solve_.drop();
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
    // A change from the console: the ghost of a window change is gone.
    s_.ghost_points = 0;
    if (const std::optional<DialogueEntry> entry = begin_condition_key(s_, ui_, key))
      return start_dialogue(*entry);
  }
  return apply_key(s_, ui_, key, now);
}

KeyAction Session::tick(double now) {
  KeyAction action = KeyAction::None;
  if (run_) {
    if (waits_for_console(ui_)) ui_.con.take_available(waits_for_key(ui_));
    action = advance();
    if (action == KeyAction::Quit) return action;
  }
  if (apply_tick(s_, now) == KeyAction::Redraw) action = KeyAction::Redraw;
  return action;
}

KeyAction Session::start_dialogue(DialogueEntry entry) {
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
  if (p == Progress::Done) return KeyAction::Redraw;
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
