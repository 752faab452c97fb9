// Multi-start search for switching times, for tasks where neither Newton pass
// finds a solution: projected Levenberg-Marquardt runs from a fixed list of
// scaled starting vectors, both signs of the first joint-2 torque each, until
// one start gives a solution that passes check_solution().
#pragma once

#include "toc/shooting.h"

class WorkerPool;

constexpr int kSearchScales = 9;   // multiples of tf0
constexpr int kSearchShapes = 7;   // relative switching times
constexpr int kSearchStarts = kSearchScales * kSearchShapes;

// Start i (0 .. kSearchStarts-1): scale i / kSearchShapes, shape i % kSearchShapes;
// z = c tf0 (f0, f1, f2, 1).
void search_start(int i, double tf0, double z[4]);

struct SearchResult {
  bool found;
  SwitchingPlan plan;  // of the accepted solution; tt[3] = 1e10 when none
  double z[4];         // its trial vector
  int s2;              // its first joint-2 torque sign; 0 when none
  int start;           // the start that gave it; -1 when none
  int runs;            // Levenberg-Marquardt runs made
  long simulations;    // shooting simulations, those of the acceptance checks included
};

// Same task and signs as the Newton passes: start state, target, joint-1
// direction s1 and the time scale tf0 of their initial estimate. With a pool
// the starts run side by side; the result (counts included) is the one of
// trying them one after the other.
SearchResult search_switching_times(const ShootingModel& m, const double y_start[4],
                                    const double x_target[4], int s1, double tf0,
                                    WorkerPool* pool = nullptr);
