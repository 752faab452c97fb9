// Refinement of a bang-bang structure: shooting on its switching times and
// final time with the exact sensitivities of the arc simulation, until the
// motion ends at rest on the goal to within kRefineTolerance at
// kStepsPerInterval steps per arc. With four unknowns that is Newton's method
// on the end conditions; with more, the final time is minimised under them
// (SQP) and the result brought onto them by minimum-norm Newton steps. Two
// switches of a joint that meet are dropped together, and the rest refined
// again.
#pragma once

#include "model/motion.h"
#include "toc/arc_shooting.h"

constexpr double kRefineTolerance = 1e-8;

struct Refinement {
  bool converged;      // the end conditions hold within kRefineTolerance
  Motion motion;       // bang-bang, grid_count = 0
  double end_error;    // 1-norm at kStepsPerInterval steps per arc
  int simulations;     // simulations with sensitivities
};

Refinement refine_switching(const ShootingModel& m, const double y_start[4],
                            const double x_target[4], const Motion& guess);

// The terminal state of a bang-bang motion at kStepsPerInterval steps per arc
// and its derivatives with respect to the motion's unknowns: joint 1's
// switching times, joint 2's, then tf (J[c][v], n = the unknowns' count).
// False when the motion has an arc inside the limits.
constexpr int kMaxUnknowns = 2 * (kMaxJointArcs - 1) + 1;
bool motion_jacobian(const ShootingModel& m, const double y_start[4], const Motion& motion,
                     double y_end[4], double J[4][kMaxUnknowns], int& n);

// The arcs of a bang-bang motion (arc_plan_of) simulated at kStepsPerInterval
// steps per arc: its end-point error, 1-norm.
double motion_end_error(const ShootingModel& m, const double y_start[4],
                        const double x_target[4], const Motion& motion);
