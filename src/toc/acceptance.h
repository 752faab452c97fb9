// Whether a bang-bang plan really solves the rest-to-rest task. A Newton pass
// can converge on times whose ordering integrates an interval backwards, or on
// an end point that only the coarse step size puts on the target; neither is
// a motion the arm can make.
#pragma once

#include "toc/shooting.h"

constexpr double kAcceptResidual = 1e-4;   // 1-norm of the end-point error, kStepsPerInterval
constexpr int kFineStepFactor = 4;         // the re-simulation's steps per interval, relative
constexpr double kAcceptFineError = 1e-3;  // 1-norm of the re-simulated end-point error

struct SolutionCheck {
  bool ordered;       // tt finite and 0 <= tt0 <= tt1 <= tt2 <= tt3
  double residual;    // 1-norm of x_target - y_end at kStepsPerInterval; NaN when not looked at
  double fine_error;  // the same with kFineStepFactor times the steps; NaN when not looked at
  int simulations;    // simulations this check ran (0 to 2)
  bool accepted;      // all three hold
};

// Checks the ordering, then the residual, then the fine re-simulation; a check
// is made only when those before it hold. coarse_end, when given, is the plan's
// terminal state at kStepsPerInterval already known (it is not simulated again).
SolutionCheck check_solution(const ShootingModel& m, const double y_start[4],
                             const double x_target[4], const SwitchingPlan& plan,
                             const double* coarse_end = nullptr);
