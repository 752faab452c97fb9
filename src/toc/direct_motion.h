// The direct method turned into a motion: the grid solved from the quintic
// start, read as bang-bang and refined by shooting where that holds, or kept
// as torques over time where an arc lies inside the limits, solved once more
// on a finer grid.
#pragma once

#include "model/motion.h"
#include "toc/direct_method.h"

// Grid sizes: the structure is found on the coarse one, the other two are
// tried where the coarse one's motion needs a second opinion; a motion with
// an arc inside the limits is solved again on the fine one.
constexpr int kCoarseGrid = 12;
constexpr int kSecondGrid = 16;
constexpr int kThirdGrid = 24;
constexpr int kFineGrid = 32;

// The optimiser's evaluation limits: the coarse grid is cheap and long
// motions under gravity need many; the other grids fewer.
constexpr int kCoarseEvaluations = 2500;
constexpr int kMoreEvaluations = 800;
constexpr int kFineEvaluations = 400;

struct DirectMotion {
  bool found;
  Motion motion;     // bang-bang, or with its grid (grid_count > 0)
  double end_error;  // 1-norm: at kStepsPerInterval steps per arc, or on the grid
  int evaluations;   // simulations of the direct method and the refinement
  // A bang-bang motion read off a grid: that grid (n = 0 otherwise), and
  // whether its runs inside the limits were long enough for an arc inside
  // them, so that the grid may lead to a faster motion with such an arc on
  // the fine grid.
  bool ambiguous;
  TorqueGrid source;
};

// The direct method on a grid of n steps from the quintic start (peaks 0.95,
// then lower ones while it does not converge).
DirectResult grid_solution(const ShootingModel& m, const double y_start[4],
                           const double x_target[4], int n, int max_evaluations);

// The motion a converged grid gives without solving it again: bang-bang and
// refined when every run inside the limits reads as a switch or a pulse and
// shooting on those times ends no slower than the grid, else the grid itself.
DirectMotion read_grid(const ShootingModel& m, const double y_start[4], const double x_target[4],
                       const DirectResult& grid);

// A grid motion solved again on the fine grid from its own torques, and read
// again (it may turn out bang-bang there); the motion itself when that is not
// faster. An ambiguous bang-bang motion is compared with its source grid
// solved again the same way.
DirectMotion polish_grid(const ShootingModel& m, const double y_start[4],
                         const double x_target[4], const DirectMotion& coarse);

// Whether two motions have the same arcs (kinds, per joint).
bool same_structure(const Motion& a, const Motion& b);

// All of it on one grid: grid_solution, read_grid, polish_grid.
DirectMotion direct_motion(const ShootingModel& m, const double y_start[4],
                           const double x_target[4], int n = kCoarseGrid);
