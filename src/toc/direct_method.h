// The direct method: the torques piecewise constant on n equal steps of the
// free final time, integrated from rest, the final time minimised under the
// four end conditions (the arm at rest on the goal) by SQP. It assumes no
// switching structure; the structure is read off its result afterwards.
#pragma once

#include "model/motion.h"
#include "toc/arc_shooting.h"

// Torques as fractions of their limits, in [-1, 1], on n steps of tf / n.
struct TorqueGrid {
  int n;
  double tf;
  double u[kMaxTorqueGrid][2];
};

// Integration steps per grid step.
constexpr int kDirectSubsteps = 2;
// Bound on the end-point error of a result (1-norm, in the problem's units).
constexpr double kDirectTolerance = 1e-8;

// Terminal state of the grid's motion from y_start. With jac, also its exact
// derivatives: jac[c][2k + j] with respect to u[k][j], jac[c][2n] with
// respect to tf (rows of 2 kMaxTorqueGrid + 1).
constexpr int kGridVariables = 2 * kMaxTorqueGrid + 1;
void simulate_grid(const ShootingModel& m, const TorqueGrid& g, const double y_start[4],
                   double y_end[4], double (*jac)[kGridVariables] = nullptr);

// A start for the method: each joint on a quintic path from start to goal,
// timed so that its largest torque is `peak` of the limit, its torques read
// off the inverse dynamics at the middle of each step (clipped to the limits).
// False when no such timing exists (the arm cannot hold itself).
bool quintic_start(const ShootingModel& m, const double y_start[4], const double x_target[4],
                   int n, double peak, TorqueGrid& g);

struct DirectResult {
  bool converged;     // end conditions met within kDirectTolerance
  int status;         // the optimiser's result code
  int evaluations;    // simulations with derivatives
  double end_error;   // 1-norm of the end-point error
  TorqueGrid grid;    // the result (the start when not converged)
};

// At most max_evaluations simulations by the optimiser (long motions under
// gravity converge slowly); the start is first brought onto the end
// conditions, and so is the last iterate when the limit stops it.
DirectResult solve_direct(const ShootingModel& m, const double y_start[4],
                          const double x_target[4], const TorqueGrid& start,
                          int max_evaluations);

// The same grid on n steps (n <= kMaxTorqueGrid), each new step taking the
// torque of the old step its middle falls in.
TorqueGrid refine_grid(const TorqueGrid& g, int n);
