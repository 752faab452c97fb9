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

// Robot 'a' or 'b', gravity 'g' or 'h'; the last sample shown, lesson view.
inline std::unique_ptr<Scenario> solved_lesson(char robot, char gravity) {
  auto s = std::make_unique<Scenario>();
  const std::string input = std::string(1, robot) + " " + gravity + " n";
  Console con(input, Encoding::Utf8);
  Ui out{con, Lang::En};
  if (DialogueRun(run_startup(*s, out)).finish(out) != Progress::Done) return nullptr;
  s->frame_index = s->frame_count;
  s->view_mode = ViewMode::Lesson;
  return s;
}

}  // namespace viewtest
