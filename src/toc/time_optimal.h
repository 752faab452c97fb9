// Time-optimal computation as the dialogue runs it: the title lines, the
// switching times (switching_solver.h) stored as tt and torque_sign of the
// selected robot, then the motion recorded sample by sample.
#pragma once

#include "console/console.h"
#include "scenario/scenario.h"
#include "toc/switching_solver.h"

// Prints the computation's title lines, then find_switching_times(): when
// found, tt and torque_sign are fresh (and, for compute_time_optimal, the
// time-optimal record); otherwise nothing is changed.
SwitchingSolution solve_switching_times(Scenario& s, Console& con, SolverChoice choice);
SwitchingSolution compute_time_optimal(Scenario& s, Console& con, SolverChoice choice);
// The same with the extended solver: 1 when switching times were found, 0 when not.
int solve_switching_times(Scenario& s, Console& con);
int compute_time_optimal(Scenario& s, Console& con);

// Records the motion under the stored tt and torque_sign, sample by sample.
void record_time_optimal_motion(Scenario& s);

// Fills sample k of the selected robot's time-optimal record from state x.
void store_toc_frame(Scenario& s, int k, const double x[6]);
