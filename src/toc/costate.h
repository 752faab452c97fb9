// Pontryagin's principle on a bang-bang motion. The multipliers nu of the
// end conditions come from the motion's end-point Jacobian (the final time is
// stationary under them: e_tf + J^T nu = 0); the costates lambda are nu carried
// back through the simulation's own step Jacobians, and each joint's
// switching function is sigma_j = (M^-1 lambda_v)_j, the coefficient of its
// torque in the Hamiltonian. An optimal motion has tau_j = -tau_jmax sign(sigma_j):
// sigma_j changes sign at joint j's switching times and nowhere else.
#pragma once

#include <vector>

#include "model/motion.h"
#include "toc/arc_shooting.h"
#include "toc/direct_method.h"

struct SigmaSample {
  double t;
  double sigma[2];
};

struct SwitchingFunctions {
  bool computed;                     // the multipliers were found
  double nu[4];                      // lambda at tf
  std::vector<SigmaSample> samples;  // at every integration step, in time order
};

// At kStepsPerInterval steps per arc of a bang-bang motion, at the direct
// method's steps of a grid motion (its multipliers from the final time's
// stationarity and that of the torques off their limits, in least squares);
// not computed where the end-point Jacobian is singular.
SwitchingFunctions switching_functions(const ShootingModel& m, const double y_start[4],
                                       const Motion& motion);

// Where a motion breaks the rule: the first time a joint's switching
// function has the sign of its torque, away from that joint's switches, by
// more than `slack` of its largest magnitude: kSigmaSlack for the passes'
// motions, which end only within 1e-4 of the goal, kRefinedSlack for motions
// refined to 1e-8.
constexpr double kSigmaSlack = 0.02;
constexpr double kRefinedSlack = 0.002;
struct RuleBreak {
  bool broken;
  int joint;  // 0 or 1
  double at;  // [s]
};
RuleBreak first_rule_break(const SwitchingFunctions& f, const Motion& motion,
                           double slack = kSigmaSlack);
