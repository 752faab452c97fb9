// Time-optimal driver: two Newton passes, the faster solution stored as tt and
// torque_sign of the selected robot, then the motion recorded sample by sample.
#pragma once

#include "console/console.h"
#include "scenario/scenario.h"

// Prints the computation's title lines. Returns 1 when switching times were
// found (tt, torque_sign and the time-optimal record are then fresh), 0 when
// there is no solution (nothing is changed).
int solve_switching_times(Scenario& s, Console& con);
int compute_time_optimal(Scenario& s, Console& con);

// Fills sample k of the selected robot's time-optimal record from state x.
void store_toc_frame(Scenario& s, int k, const double x[6]);
