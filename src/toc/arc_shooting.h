// Bang-bang motions of any structure as a list of arcs in time order, each
// with both joints' torque signs, integrated with the program's integrator at
// a fixed number of steps per arc; with the exact derivatives of the terminal
// state with respect to every arc's length.
#pragma once

#include "model/motion.h"
#include "toc/shooting.h"

constexpr int kMaxArcs = 2 * kMaxJointArcs;

struct ArcPlan {
  int count;                // arcs, 1 .. kMaxArcs
  double end[kMaxArcs];     // arc i runs from end[i-1] (0 for i = 0) to end[i]
  int sign[kMaxArcs][2];    // joint torque signs on arc i, +1 or -1
};

// The arcs of a bang-bang motion: each switching time of either joint ends
// one (a time both switch at ends a zero-length arc). False when a joint has
// an arc inside its limits.
bool arc_plan_of(const Motion& m, ArcPlan& plan);

// Derivative of the shooting state under constant torques, for any scalar.
template <class T>
struct ConstantTorques {
  const PlantModel& plant;
  T tau1, tau2;
  void operator()(const T& /*t*/, const T* y, T* f) const {
    T acc[2];
    plant.accelerations(y, tau1, tau2, acc);
    f[0] = y[2];
    f[1] = y[3];
    f[2] = acc[0];
    f[3] = acc[1];
  }
};

// The terminal state from y_start with `steps` steps per arc.
void simulate_arcs(const ShootingModel& m, const ArcPlan& plan, const double y_start[4],
                   int steps, double y_end[4]);

// The same, and d[i][c], the derivative of y_end[c] with respect to the length
// of arc i (the arcs after it keep their lengths). The terminal state is bit
// for bit that of simulate_arcs().
void simulate_arcs_sensitivity(const ShootingModel& m, const ArcPlan& plan,
                               const double y_start[4], int steps, double y_end[4],
                               double d[][4]);

// 1-norm of x_target - y.
double end_error(const double x_target[4], const double y[4]);
