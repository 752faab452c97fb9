// Feedback (PID) run of the selected robot, recorded on the common time grid.
#pragma once

#include "scenario/scenario.h"

// Integrates from rest at phi0 with ten Runge-Kutta-Gill steps per sample and
// fills samples 0..n of the robot's feedback record; control_mode is passed on.
void run_feedback_simulation(Scenario& s, char robot, double dt, int n, const double phi0[2]);

// Fills sample i of the selected robot's feedback record from state y.
void record_feedback_step(Scenario& s, int i, const double y[6]);
