// The program once the window is open: window keys, the playback clock, and
// the condition dialogue a key may start, whose questions wait on the console
// while the window goes on drawing.
#pragma once

#include <optional>

#include "app/dialogue.h"
#include "app/key_table.h"
#include "view/primitives.h"

class Session {
 public:
  Session(Scenario& s, Ui& ui, ConditionDialogue dialogue = run_condition_dialogue)
      : s_(s), ui_(ui), dialogue_(dialogue) {}

  // A key pressed in the window at clock reading `now` [s]. While a console
  // question waits, every key but ESC is ignored.
  KeyAction key(int key, double now);

  // About every 10 ms while the motion plays or a question waits: the input
  // that has come answers the question; otherwise the next sample is due.
  KeyAction tick(double now);

  // A mouse press, drag or release in the window. In the lesson view a press
  // in a time graph, and the drag that follows it, shows the sample at the
  // time under the pointer and pauses the playback. Other presses are left
  // to whatever part of the picture may take them later: a grip on the robot
  // area's start or goal would find its point in metres with
  // robot_placement(gather_lesson_inputs(s)).unapply (view/lesson_inputs.h).
  // Ignored while a console question waits.
  KeyAction mouse(const MouseEvent& event);

  // Whether a condition dialogue is under way (a question waits).
  bool in_dialogue() const { return run_.has_value(); }

  // The status the program ends with after Quit.
  int exit_status() const { return status_; }

 private:
  KeyAction advance();

  Scenario& s_;
  Ui& ui_;
  ConditionDialogue dialogue_;
  // What the press being dragged holds on to.
  enum class Grip { None, TimeGraph };
  KeyAction show_time_at(const Point& p);

  std::optional<DialogueRun> run_;
  Grip grip_ = Grip::None;
  int status_ = 0;
};
