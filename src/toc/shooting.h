// Shooting function of the time-optimal solver: a trial vector of switching
// times z = (z0, z1, z2, z3) (joint-2 switch, joint-1 switch, joint-2 switch
// back, final time) becomes four bang-bang intervals, and the arm's motion
// from rest is integrated through them to its terminal state.
#pragma once

#include "robot/dynamics.h"
#include "robot/runge_kutta_gill.h"
#include "model/scenario.h"

// Integration steps per interval, whatever the interval's length.
constexpr int kStepsPerInterval = 50;

// Ordered switching times (tt[3] is the final time) and the torque sign of
// joint j (column) in interval k (row): [0, tt0], [tt0, tt1], [tt1, tt2], [tt2, tt3].
struct SwitchingPlan {
  double tt[4];
  int sign[4][2];
};

// Orders z into intervals. s1: direction of joint 1 (+1/-1); s2: sign of the
// joint-2 torque in interval 0. The three ordering rules are tried one after
// the other and a later rule that applies overwrites an earlier one. A z that
// satisfies no rule (only possible with values that are not numbers) keeps
// the times in the order given, with the signs of that order.
void order_switching_times(const double z[4], int s1, int s2, SwitchingPlan& plan);

// The robot's plant with its joint limits for the current gravity mode.
struct ShootingModel {
  ShootingModel(const Conditions& s, Robot robot);
  PlantModel plant;
  double tau_max[2];
};

// Derivative of the shooting state (q1, q2, q1', q2') under the constant
// torques of one interval; does not depend on time. fills f[0..3].
class BangBangDerivative {
 public:
  BangBangDerivative(const ShootingModel& m, int sigma1, int sigma2)
      : plant_(m.plant), tau1_(sigma1 * m.tau_max[0]), tau2_(sigma2 * m.tau_max[1]) {}

  void operator()(double /*t*/, const double* y, double* f) const {
    double acc[2];
    plant_.accelerations(y, tau1_, tau2_, acc);
    f[0] = y[2];
    f[1] = y[3];
    f[2] = acc[0];
    f[3] = acc[1];
  }

 private:
  const PlantModel& plant_;
  double tau1_, tau2_;
};

// Terminal state y_end of the bang-bang motion for z, started at y_start
// (at rest at the start displacement), with the ordered plan it used.
// No side effects.
void simulate_bang_bang(const ShootingModel& m, const double z[4], const double y_start[4],
                        int s1, int s2, double y_end[4], SwitchingPlan& plan);

// One simulation with the state at the start of every interval kept.
struct ShootingTrace {
  SwitchingPlan plan;
  double entry[4][4];  // state at the start of interval k
  double y_end[4];
};

// simulate_bang_bang() into a trace. With a previous trace of the same model
// and start state, the intervals that come out exactly as before (same bounds
// and signs, bit for bit, from the first interval on) are not integrated again:
// the derivative does not depend on time, so their end states are the ones
// already known. The Jacobian's trial vectors differ from the base vector in
// one component, which leaves the intervals before that switching time alone.
void simulate_bang_bang(const ShootingModel& m, const double z[4], const double y_start[4],
                        int s1, int s2, ShootingTrace& out, const ShootingTrace* previous);

// The motion of an ordered plan from y_start with `steps` integration steps per
// interval, to its terminal state. With kStepsPerInterval it gives bit for bit
// the terminal state of simulate_bang_bang() for a z that orders into the plan;
// a larger count shows how much that state owes to the step size.
void simulate_plan(const ShootingModel& m, const SwitchingPlan& plan, const double y_start[4],
                   int steps, double y_end[4]);
