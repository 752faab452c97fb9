// What the console says differently per robot kind: its heading, ratio
// question, solver title and lines of the condition report. One table per kind,
// looked up where the dialogue needs it, beside the models' RobotKind.
#pragma once

#include "app/text_catalog.h"
#include "app/ui.h"
#include "model/scenario.h"

struct RobotTexts {
  Text heading;        // before the question whether to change anything
  Text ratios_prompt;  // the ratio question, with the current ratios
  Text solver_title;   // the line before the solver's gravity line
  void (*report)(const Conditions& s, Ui& out);  // the kind's condition report
};

// The texts of a selection, or none when no robot is selected.
const RobotTexts* robot_texts(Robot robot);
