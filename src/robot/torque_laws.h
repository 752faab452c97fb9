// Joint torque laws shared by both simulations: the bang-bang law with its
// end-point hold (time-optimal control), the PID tracking law (feedback
// control), the torque saturation and the reference trajectory of the tracking law.
//
// Arithmetic is written in the order of the formulas below (products left to
// right), so that every number comes out bit for bit the same wherever a law is
// evaluated: inside the integrator or in the recorders.
#pragma once

#include <cmath>

#include "model/scenario.h"
#include "robot/robot_kind.h"

// Below this magnitude a command passes the saturation unchanged.
constexpr double kSaturationDeadband = 0.0001;

// Position and velocity of one joint's reference.
struct ReferencePoint {
  double position;
  double velocity;
};

// Constant-acceleration rise up to t_half, fall from t_half to T, then rest at qf.
inline ReferencePoint reference_profile(double t, double t_half, double T, double q0, double qf,
                                        double A) {
  // A joint that does not move rests at its start. This gives the same numbers
  // as the formulas whenever A is a number (then A = 0), and a sound reference
  // where a motion of zero length has T = 0 and A = 0/0.
  if (qf == q0) return {q0, 0.0};
  if (t <= t_half) return {0.5 * A * t * t + q0, A * t};
  if (t <= T) return {qf - 0.5 * A * (T - t) * (T - t), (T - t) * A};
  return {qf, 0.0};  // also when t_half or T is not a number
}

// |u| below the dead band, or within the limit: u itself; beyond: the limit with u's sign.
inline double saturate(double u, double limit) {
  const double a = std::fabs(u);
  if (a < kSaturationDeadband) return u;
  if (a > limit) return limit * (u / a);
  return u;  // a <= limit, or a comparison with a value that is not a number
}

// Joint j's (0 or 1) torque limit for the gravity selection.
double torque_limit(const RobotConditions& rec, Gravity gravity, int j);

// One robot's torque law with everything that stays fixed during a run looked up
// once.
class TorqueLaw {
 public:
  // The switching times and signs come from the run, all else from the conditions.
  TorqueLaw(const Conditions& s, const RobotRun& run, Robot robot, ControlMode mode);

  ControlMode mode() const { return mode_; }

  // Both joints' torques at (t, y); under the feedback law also the reference
  // positions, which the integral-error rates use (left alone otherwise).
  void both(double t, const double* y, double tau[2], double ref_pos[2]) const {
    if (mode_ == ControlMode::TimeOptimal) {
      time_optimal(t, y, tau);
    } else {
      tau[0] = feedback(0, t, y, ref_pos[0]);
      tau[1] = feedback(1, t, y, ref_pos[1]);
    }
  }

  // Joint j (0 or 1) alone.
  double joint(int j, double t, const double* y) const;

  // Final time of the bang-bang motion; the end-point hold starts there.
  double final_time() const { return tt_[3]; }
  const double* end_point() const { return phif_; }

 private:
  // Index of the last of the five interval rules that applies at t: 0..3 a
  // bang-bang interval, 4 the end-point hold, -1 none (negative time).
  int interval(double t) const {
    int rule = -1;
    if (0.0 <= t && t < tt_[0]) rule = 0;
    if (tt_[0] <= t && t < tt_[1]) rule = 1;
    if (tt_[1] <= t && t < tt_[2]) rule = 2;
    if (tt_[2] <= t && t < tt_[3]) rule = 3;
    if (t >= tt_[3]) rule = 4;
    return rule;
  }
  // PID tracking of the reference; ref_pos receives the reference position.
  double feedback(int j, double t, const double* y, double& ref_pos) const {
    const ReferencePoint p = reference_profile(t, t_half_, T_, phi0_[j], phif_[j], A_[j]);
    ref_pos = p.position;
    const double u =
        (p.position - y[j]) * Kp_[j] + Ki_[j] * y[j + 4] + (p.velocity - y[j + 2]) * Kd_[j];
    return saturate(u, limit_[j]);
  }
  // Saturated PID hold of the end point after the bang-bang motion.
  double hold(int j, const double* y) const {
    const double u = (phif_[j] - y[j]) * Kp_[j] - Kd_[j] * y[j + 2] + Ki_[j] * y[j + 4];
    return saturate(u, limit_[j]);
  }
  // A motion of any other structure: its arcs' limits, or its grid's torques,
  // up to tf, then the hold.
  void general(double t, const double* y, double tau[2]) const {
    if (t >= tt_[3]) {
      tau[0] = hold(0, y);
      tau[1] = hold(1, y);
      return;
    }
    if (!(t >= 0.0)) {
      tau[0] = 0.0;
      tau[1] = 0.0;
      return;
    }
    const Motion& m = *motion_;
    if (m.grid_count > 0) {
      const double q = t / (m.tf / m.grid_count);
      const int k = q < m.grid_count ? static_cast<int>(q) : m.grid_count - 1;
      tau[0] = m.grid[k][0] * limit_[0];
      tau[1] = m.grid[k][1] * limit_[1];
      return;
    }
    tau[0] = arc_sign_at(m.joint[0], t) * limit_[0];
    tau[1] = arc_sign_at(m.joint[1], t) * limit_[1];
  }
  void time_optimal(double t, const double* y, double tau[2]) const {
    if (motion_ != nullptr) {
      general(t, y, tau);
      return;
    }
    const int rule = interval(t);
    if (rule == 4) {
      tau[0] = hold(0, y);
      tau[1] = hold(1, y);
    } else if (rule >= 0) {
      tau[0] = bang_[rule][0];
      tau[1] = bang_[rule][1];
    } else {
      tau[0] = 0.0;
      tau[1] = 0.0;
    }
  }

  ControlMode mode_;
  const Motion* motion_;  // the run's motion when it is not of four intervals
  double limit_[2];     // joint limits for the current gravity mode
  double tt_[4];        // switching times, final time
  double bang_[4][2];   // torque_sign[k][j] * limit_[j]
  double phi0_[2], phif_[2];
  double Kp_[2], Kd_[2], Ki_[2];
  double T_, t_half_, A_[2];  // reference trajectory
};
