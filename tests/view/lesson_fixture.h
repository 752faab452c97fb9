// Solved motions for the lesson view's tests: the default task of a robot,
// computed as the start-up dialogue computes it, for a gravity selection.
#pragma once

#include <memory>
#include <string>

#include "app/dialogue_run.h"
#include "app/startup.h"
#include "console/console.h"
#include "model/scenario.h"

namespace viewtest {

// The start-up dialogue answered with `input` (the default solver); the
// last sample shown, lesson view. Null when it did not end in a motion.
inline std::unique_ptr<Scenario> solved_lesson_from(const std::string& input,
                                                    SolverChoice solver = SolverChoice::Optimal) {
  auto s = std::make_unique<Scenario>();
  Console con(input, Encoding::Utf8);
  Ui out{con, Lang::En};
  out.solver = solver;
  if (DialogueRun(run_startup(*s, out)).finish(out) != Progress::Done) return nullptr;
  s->frame_index = s->frame_count;
  s->view_mode = ViewMode::Lesson;
  return s;
}

// Robot 'a' or 'b', gravity 'g' or 'h': the default task.
inline std::unique_ptr<Scenario> solved_lesson(char robot, char gravity) {
  return solved_lesson_from(std::string(1, robot) + " " + gravity + " n");
}

// Tasks whose time-optimal motions have other structures than the Newton
// passes' four intervals (no gravity, ratios kept):
// half a turn of the cylindrical robot: joint 1 "+ s -" (an arc inside its
// limits), joint 2 "-", found by the direct method alone;
inline constexpr const char* kHalfTurn = "a h y z h y 0.8 0 -0.8 0.01\n";
// the SCARA: joint 2 "+ - + s + - +", faster than the passes' motion;
inline constexpr const char* kScaraSingular = "b h y z h y 0.1421 -0.4560 -0.3619 -0.2460\n1\n";
// the cylindrical robot: joint 1 "- s - s + - +", two arcs inside the
// limits and two switches 6 ms apart.
inline constexpr const char* kTwoArcs = "a h y z h y 0.4469 0.2615 -0.3420 -0.2889\n";

}  // namespace viewtest
