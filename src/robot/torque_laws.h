// Joint torque laws shared by both simulations: the bang-bang law with its
// end-point hold (control mode 'T'), the PID tracking law (mode 'F'), the torque
// saturation and the reference trajectory of the tracking law.
//
// Arithmetic is written in the order of the formulas below (products left to
// right), so that every number comes out bit for bit the same wherever a law is
// evaluated: inside the integrator or in the recorders.
#pragma once

#include <cmath>

#include "scenario/scenario.h"

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

// saturate() with the limit of joint 1 or 2 of the robot ('b' SCARA, else
// cylindrical) for the gravity selector ('g' with gravity, else without).
double saturate_torque(const Scenario& s, char robot, char gravity, int joint, double u);

// Reference of both joints at time t: joint j uses Phi0, Phif, tf and alpha1
// (joint 1) or a2 / alpha2 (joint 2) of the robot's record.
void reference_trajectory(const Scenario& s, char robot, double t, ReferencePoint ref[2]);

// Torque of one joint (joint selector 2 = joint 1, 3 = joint 2, as the state
// indices of the accelerations) for control mode 'T' or 'F' at time t and state
// y (six components). Other modes and other selectors give 0.
double joint_torque(const Scenario& s, char robot, char mode, int joint_selector, double t,
                    const double y[6]);

// One robot's torque law with everything that stays fixed during a run looked up
// once. Gives the same numbers as joint_torque().
class TorqueLaw {
 public:
  TorqueLaw(const Scenario& s, char robot, char mode);

  char mode() const { return mode_; }

  // Both joints' torques at (t, y); in mode 'F' also the reference positions,
  // which the integral-error rates use. Modes other than 'T'/'F' give 0 torques
  // and leave ref_pos alone.
  void both(double t, const double* y, double tau[2], double ref_pos[2]) const {
    if (mode_ == 'T') {
      time_optimal(t, y, tau);
    } else if (mode_ == 'F') {
      tau[0] = feedback(0, t, y, ref_pos[0]);
      tau[1] = feedback(1, t, y, ref_pos[1]);
    } else {
      tau[0] = 0.0;
      tau[1] = 0.0;
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
  void time_optimal(double t, const double* y, double tau[2]) const {
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

  char mode_;
  double limit_[2];     // joint limits for the current gravity mode
  double tt_[4];        // switching times, final time
  double bang_[4][2];   // torque_sign[k][j] * limit_[j]
  double phi0_[2], phif_[2];
  double Kp_[2], Kd_[2], Ki_[2];
  double T_, t_half_, A_[2];  // reference trajectory
};
