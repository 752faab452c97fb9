// Running a dialogue: its questions answered from the console as the input
// comes, either by the window's event loop (a little at a time, never
// waiting) or by a plain loop that waits for the input (no window).
#pragma once

#include "app/task.h"
#include "app/ui.h"

// How a dialogue ends: normally, or with the user's wish to stop the program
// (n after a failed solve).
enum class DialogueEnd { Done, Quit };

enum class Progress {
  Waiting,     // a question waits for input that has not come yet
  Done,        // the dialogue ended normally
  Quit,        // the dialogue ended and the program is to end (status 0)
  InputEnded,  // the input ended during a question (the console said so; status 1)
};

class DialogueRun {
 public:
  explicit DialogueRun(Task<DialogueEnd> task) : task_(std::move(task)) {}

  // Runs the dialogue as far as the input that has arrived allows.
  Progress advance(Ui& ui);

  // Runs the dialogue to its end, waiting for input as it needs.
  Progress finish(Ui& ui);

 private:
  Task<DialogueEnd> task_;
  bool started_ = false;
};

// Whether the question waiting, if any, is answered by one key.
inline bool waits_for_key(const Ui& ui) { return ui.question.kind == Question::Kind::Key; }

// Whether the dialogue waits for the console (not for a solve).
inline bool waits_for_console(const Ui& ui) {
  return ui.question.kind == Question::Kind::Key || ui.question.kind == Question::Kind::Numbers;
}

// Program exit status after a dialogue that ended the program.
int exit_status(Progress p);
