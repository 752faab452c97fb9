// The console lines that say what motion the solver found (after the line
// of the search, which the dialogue prints): the switching
// times (the tt[] line for the Newton passes' four intervals, otherwise each
// joint's sign sequence with its times), how it was found, and each arc
// inside the limits.
#pragma once

#include <string>

#include "app/ui.h"

// Joint j's arcs as the report writes them: the signs in time order ("s" for
// an arc inside the limits), then the switching times at 4 decimals, as in
// "+ - +: 0.2000  0.9000".
std::string joint_sequence(const JointArcs& a);

void report_motion(const RobotRun& run, const SolveOutcome& outcome, Ui& out);
