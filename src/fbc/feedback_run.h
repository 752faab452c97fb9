// Feedback (PID) run of a robot, recorded on the common time grid.
#pragma once

#include "model/scenario.h"

// Integrates from rest at the robot's start point with ten Runge-Kutta-Gill
// steps per sample of s.dt and fills samples 0..frame_count (at most the
// record's capacity) of the robot's feedback record.
void run_feedback_simulation(Scenario& s, Robot robot);
