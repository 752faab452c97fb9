// One damped Newton (shooting) pass for the switching times: adjusts the trial
// vector z until the bang-bang motion from rest at the start ends at rest at
// the target.
#pragma once

#include <atomic>

#include "toc/shooting.h"

class WorkerPool;

constexpr double kNewtonTolerance = 0.0001;  // on the 1-norm of the residual
constexpr int kNewtonMaxIterations = 300;    // updates before a pass gives up
constexpr double kFdStep = 0.005;            // forward-difference step [s]
constexpr double kFailedFinalTime = 1e10;    // final time reported by a failed pass [s]

// A Jacobian whose |determinant| is at or below this counts as singular and
// is not inverted.
constexpr double kSingularDeterminant = 1e-6;

// Sum of the absolute values of x[0..n-1], added in index order.
double sum_abs(int n, const double* x);

// Step length factor for a Newton step d with rho = sum_abs(4, d).
double damping_factor(double rho);

// Forward-difference Jacobian of the terminal state with respect to z, from
// the simulation `base` at z itself, inverted in place when its |determinant|
// exceeds kSingularDeterminant (left as it is otherwise, a determinant that is
// not a number included). Returns the Jacobian's determinant. The columns'
// simulations run on the pool when one is given.
double switching_jacobian(const ShootingModel& m, const double y_start[4], const double z[4],
                          int s1, int s2, const ShootingTrace& base, double J[4][4],
                          WorkerPool* pool = nullptr);

struct NewtonPassResult {
  SwitchingPlan plan;  // of the pass's last simulation; tt[3] = 1e10 when failed
  double y_end[4];     // terminal state of that simulation
  double z[4];         // trial vector at the stop
  int updates;         // number of Newton updates made
  bool failed;
};

// Runs one pass from z_init; its Jacobians' columns on the pool when one is given.
// With `cancel`, the pass also stops (failed) before any update once it is set.
NewtonPassResult newton_pass(const ShootingModel& m, const double y_start[4],
                             const double x_target[4], int s1, int s2, const double z_init[4],
                             WorkerPool* pool = nullptr,
                             const std::atomic<bool>* cancel = nullptr);
