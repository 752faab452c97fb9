// Time-optimal driver: the switching times of a robot (switching_solver.h)
// stored as its tt and torque_sign, then its motion recorded sample by sample.
#pragma once

#include "model/scenario.h"
#include "toc/switching_solver.h"

// find_switching_times(), then, when found, the time-optimal record: samples
// 0..frame_count of s.dt. Nothing is changed when no solution was found.
SwitchingSolution compute_time_optimal(Scenario& s, Robot robot,
                                       SolverChoice choice = SolverChoice::Extended);
