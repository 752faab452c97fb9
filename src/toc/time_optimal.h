// Time-optimal driver: two Newton passes, the faster solution stored as tt and
// torque_sign of the robot, then the motion recorded sample by sample.
#pragma once

#include "model/scenario.h"

// Reference: the two Newton passes alone. Extended: when neither finds a
// solution, a multi-start search as well.
enum class SolverChoice { Reference, Extended };

// What one Newton pass did.
struct PassSummary {
  int updates;        // Newton updates made
  bool failed;        // hit the update limit, or times or residual not usable
  double final_time;  // of its last simulation; 1e10 when failed
};

struct TimeOptimalResult {
  bool found;          // tt and torque_sign (and, after compute, the record) are fresh
  PassSummary pass[2]; // joint-2 torque starting negative, then positive
};

// Solves for the switching times of the robot; nothing is changed when no
// solution was found.
TimeOptimalResult solve_switching_times(Scenario& s, Robot robot);

// solve_switching_times, then on success the time-optimal record, samples
// 0..frame_count of s.dt.
TimeOptimalResult compute_time_optimal(Scenario& s, Robot robot);
