// The program once the window is open: window keys, the playback clock, the
// condition dialogue a key may start (its questions wait on the console while
// the window goes on drawing), changes of the task made in the window itself,
// and the solve that runs on a thread of its own meanwhile.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "app/background_solve.h"
#include "app/background_sweep.h"
#include "app/dialogue.h"
#include "app/key_table.h"
#include "view/primitives.h"

// Where a dialogue's solve runs: where it is asked for (scripted sessions,
// whose results must be there when a key returns), or on a thread of its own
// while the window goes on.
enum class SolveIn { Place, Background };

// Whether the selected arm reaches both points on its elbow branch (an arm
// without one reaches every point it is asked to).
bool task_reachable(const Conditions& c, double x0, double y0, double xf, double yf);

class Session final : private SolveRunner {
 public:
  Session(Scenario& s, Ui& ui, ConditionDialogue dialogue = run_condition_dialogue,
          SolveIn solve_in = SolveIn::Place);
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // A key pressed in the window at clock reading `now` [s]. While a console
  // question waits, every key but ESC is ignored. While a new motion is
  // computed, the old one can still be played and looked at, and a key that
  // changes the conditions drops that computation for its own.
  KeyAction key(int key, double now);

  // About every 10 ms while the motion plays, a question waits or a motion is
  // computed: the input that has come answers the question, a finished
  // computation is shown, the next sample is due.
  KeyAction tick(double now);

  // Task changes made in the window (the same change as k with these
  // points, or as the elbow question with the other branch). Both answer
  // whether the change was made: not while a console question waits, nor
  // to a point the SCARA cannot reach.
  bool move_points(double x0, double y0, double xf, double yf);
  bool toggle_elbow();
  // Puts back the conditions and the motion from before the last change made
  // in the window; false when there is none.
  bool undo();

  // A mouse press, drag or release in the window. In the lesson view a press
  // in a time graph, and the drag that follows it, shows the sample at the
  // time under the pointer and pauses the playback. Other presses are left
  // to whatever part of the picture may take them later: a grip on the robot
  // area's start or goal would find its point in metres with
  // robot_placement(gather_lesson_inputs(s)).unapply (view/lesson_inputs.h).
  // Ignored while a console question waits.
  KeyAction mouse(const MouseEvent& event);

  // Whether a condition dialogue is under way (a question or a solve waits).
  bool in_dialogue() const { return run_.has_value(); }

  // Makes ratio `index` of a sweep axis the current one, as the u key with
  // those two ratios typed would (the same console text): a click on a
  // point of the sweep view. False when a dialogue is under way.
  bool pick_ratio(int axis, int index);

  // Whether undo() has a change to take back.
  bool can_undo() const { return !undo_.empty(); }

  // The status the program ends with after Quit.
  int exit_status() const { return status_; }

 private:
  bool poll(Question& q) override;
  KeyAction advance();
  KeyAction start_dialogue(DialogueEntry entry);
  // Drops a dialogue that waits only for its solve; false when a console
  // question waits (then nothing may change).
  bool supersede();
  // The state before a change from the window, kept for undo, and the
  // ghost of the motion it replaces.
  void remember();
  // The sweep view's computation: started for the task when the view is
  // shown and the task is not the one swept (the axis whose points are
  // still the same kept), cancelled when a dialogue starts, and its points
  // taken as they come.
  void refresh_sweep();
  bool take_sweep();
  KeyAction sweep_click(const MouseEvent& e);

  Scenario& s_;
  Ui& ui_;
  ConditionDialogue dialogue_;
  SolveIn solve_in_;
  std::optional<DialogueRun> run_;
  BackgroundSolve solve_;
  BackgroundSweep sweep_;
  Conditions swept_{};         // the task of the last sweep started
  bool swept_valid_ = false;
  unsigned sweep_generation_ = 0;
  std::vector<std::unique_ptr<Scenario>> undo_;  // oldest first
  // What the press being dragged holds on to.
  enum class Grip { None, TimeGraph, Start, Goal };
  KeyAction show_time_at(const Point& p);
  KeyAction drag_point(const MouseEvent& e);
  Grip grip_ = Grip::None;
  bool window_change_ = false;  // the dialogue running was started by a change in the window
  int status_ = 0;
};
