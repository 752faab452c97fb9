// The computations one dialogue run makes, in order, without any console:
// derived conditions and the time grid, the time-optimal solution with its
// record, the feedback run, and the positioning check.
#pragma once

#include "model/scenario.h"
#include "robot/conditions.h"
#include "toc/switching_solver.h"

// Derived conditions of the selected robot and the sample step that follows
// from its positioning time.
TaskReach recompute_conditions(Scenario& s);

// The switching times of the selected robot (find_switching_times, on the
// pool's threads when one is given) and, when found, its time-optimal
// record: samples 0..frame_count of s.dt. Nothing is changed when no solution
// was found.
SwitchingSolution recompute_time_optimal(Scenario& s, SolverChoice choice,
                                         WorkerPool* pool = nullptr);

// The feedback (PID) record of the selected robot: from rest at its start
// point, samples 0..frame_count of s.dt (at most the record's capacity).
void recompute_feedback(Scenario& s);

// Whether the feedback arm is still more than 0.1 from its joint-1 goal at the
// positioning time. A time outside the record (beyond frame_count samples, or
// not a number after an unreachable point) has no sample to test: false. So
// is no robot selected.
bool feedback_misses_goal(const Conditions& s, const Runs& runs);
