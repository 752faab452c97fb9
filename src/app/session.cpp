#include "app/session.h"

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
