// The truly fastest motion, whatever its switching structure. The two Newton
// passes run first; where their motion satisfies Pontryagin's principle (its
// switching functions change sign exactly at its switches) it is kept as it
// is. Otherwise the direct method finds the motion and its structure, and
// shooting on that structure's switching times refines it; an arc inside the
// limits keeps the direct method's torques on a finer grid. The passes'
// motion stays where the direct method finds nothing faster.
#pragma once

#include "toc/switching_solver.h"

class WorkerPool;

SwitchingSolution solve_optimal(const Conditions& s, Robot robot, WorkerPool* pool = nullptr);

// The direct method and the refinement alone, from the task's start state
// to its target.
struct DirectMotion {
  bool found;
  Motion motion;
  double end_error;  // 1-norm: at kStepsPerInterval steps per arc, or on the grid
  int evaluations;   // simulations with derivatives
};
DirectMotion direct_motion(const ShootingModel& m, const double y_start[4],
                           const double x_target[4], int grid = 16, double peak = 0.95);

// Grid sizes: the structure is found on the coarse one; a motion with an arc
// inside the limits is solved again on the fine one.
constexpr int kCoarseGrid = 16;
constexpr int kFineGrid = 32;
