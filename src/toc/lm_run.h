// One projected Levenberg-Marquardt run on the shooting residual
// r(z) = x_target - y_end(z), the residual the Newton pass drives to zero.
// Every trial vector is projected onto the times the ordering rules turn into
// forward intervals, so a run never integrates backwards.
#pragma once

#include "toc/shooting.h"

constexpr int kLmMaxIterations = 60;       // Jacobian evaluations per run
constexpr double kLmStopResidual = 1e-10;  // on the residual's 1-norm
constexpr double kLmFdRelStep = 1e-6;      // h_k = 1e-6 max(1, |z_k|)
constexpr int kLmMaxRetries = 30;          // damping increases per iteration
constexpr int kLmSlowSteps = 6;            // accepted steps in a row that hardly help...
constexpr double kLmSlowFraction = 1e-12;  // ...each lowering F by less than this part of F

// z0, z1 >= 0; z2 >= z0 (both moved to their mean, at least 0, when not);
// z3 >= z1, z2. Such a z orders into 0 <= tt0 <= tt1 <= tt2 <= tt3.
void project_switching_times(double z[4]);

struct LmRunResult {
  double z[4];          // the last accepted trial vector (the start when none was)
  ShootingTrace trace;  // its simulation: plan and terminal state
  double F;             // half the squared 2-norm of its residual; +inf when not finite
  int iterations;       // Jacobians evaluated
  int accepted_steps;
  int simulations;
};

// Runs from z_start (taken as it is, not projected).
void lm_run(const ShootingModel& m, const double y_start[4], const double x_target[4], int s1,
            int s2, const double z_start[4], LmRunResult& out);
