// The switching functions of a run's time-optimal motion, kept with its
// records for the views and the files.
#pragma once

#include "model/scenario.h"

// Works out the switching functions of run.motion and stores them at the
// record's samples (frame_count + 1 of dt), each joint's scaled to its own
// largest magnitude, with the costates at tf and the first place where the
// motion breaks Pontryagin's rule. Without them (a singular end-point
// Jacobian) sigma_valid is false and the samples are 0.
void record_switching_functions(const Conditions& s, RobotRun& run, Robot robot);
