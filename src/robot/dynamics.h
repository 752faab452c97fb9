// Equations of motion of both robots and the derivative of the six-element
// robot state (q1, q2, q1', q2', e1, e2) that the integrator advances.
//
// Every formula is evaluated in its written order: products left to right, a
// square x^2 as the one factor x*x. Values that never change during a run
// (sums and products of parameters only) are formed once, with the very same
// operations, so the results are bit for bit those of the formulas.
#pragma once

#include <cmath>

#include "robot/torque_laws.h"
#include "robot/dual.h"
#include "robot/trig.h"
#include "model/scenario.h"

// Plant of one robot: the SCARA, or the cylindrical robot for any other
// selection. Gravity acts when it is switched on.
class PlantModel {
 public:
  PlantModel(const Conditions& s, Robot robot);

  bool is_scara() const { return scara_; }

  // Joint accelerations (acc[0], acc[1]) at the state y (y[0..3] are read)
  // under the joint torques tau1, tau2 (tau2 is a force for the sliding joint).
  // T is double, or Dual<K> (robot/dual.h) for the derivatives of the same
  // numbers.
  template <class T>
  void accelerations(const T* y, const T& tau1, const T& tau2, T acc[2]) const {
    if (scara_) {
      scara_accelerations(y, tau1, tau2, acc);
    } else {
      cylindrical_accelerations(y, tau1, tau2, acc);
    }
  }
  void accelerations(const double* y, double tau1, double tau2, double acc[2]) const {
    accelerations<double>(y, tau1, tau2, acc);
  }

 private:
  // theta'' = (tau1 - 2 mw r theta' r' - G1) / (mw r^2 + IM1)
  // r''     = (mw r theta'^2 + F2 - G2) / (mM2 + mw)
  // with G1 = cos(theta) (9.8 mw r), G2 = sin(theta) (9.8 mw) under gravity.
  template <class T>
  void cylindrical_accelerations(const T* y, const T& tau1, const T& tau2, T acc[2]) const {
    const T th = y[0], r = y[1], thd = y[2], rd = y[3];
    T num1 = tau1 - two_mw_ * r * thd * rd;
    T num2 = mw_ * r * (thd * thd) + tau2;
    if (gravity_) {
      T sth, cth;
      trig::sincos(th, sth, cth);
      num1 = num1 - cth * (g_mw_ * r);
      num2 = num2 - sth * g_mw_;
    }
    acc[0] = num1 / (mw_ * (r * r) + IM1_);
    acc[1] = num2 / mass2_;
  }

  template <class T>
  void scara_accelerations(const T* y, const T& tau1, const T& tau2, T acc[2]) const {
    const T q1 = y[0], q2 = y[1], q1d = y[2], q2d = y[3];
    T sq2, cq2;
    trig::sincos(q2, sq2, cq2);
    // Centrifugal and Coriolis terms.
    const T vs = mwl1l2_ * sq2;
    const T V2 = vs * (q1d * q1d);
    const T V1 = V2 - vs * ((q1d + q2d) * (q1d + q2d));
    T b1 = tau1 - V1;
    T b2 = tau2 - V2;
    if (gravity_) {
      const T G2 = trig::cos(q1 + q2) * g2_;
      const T G1 = trig::cos(q1) * g1_ + G2;
      b1 = b1 - G1;
      b2 = b2 - G2;
    }
    // Inertia matrix, symmetric.
    const T D12 = mwl1l2_ * cq2 + IJ2_;
    const T D11 = D11_fixed_ + mwl1_ * (l1_ + two_l2_ * cq2);
    const T det = D11 * D22_ - D12 * D12;
    acc[0] = (D22_ * b1 - D12 * b2) / det;
    acc[1] = (-D12 * b1 + D11 * b2) / det;
  }

  bool scara_;
  bool gravity_;
  // Cylindrical robot.
  double mw_, IM1_;
  double two_mw_;  // 2 mw
  double g_mw_;    // 9.8 mw
  double mass2_;   // mM2 + mw
  // SCARA.
  double mwl1l2_;     // mw l1 l2
  double mwl1_;       // mw l1
  double l1_, two_l2_;
  double IJ2_;
  double D22_;        // IJ2 + IM2
  double D11_fixed_;  // IJ1 + IM1 + IJ2
  double g1_;         // (m1 + mw) 9.8 l1
  double g2_;         // 9.8 mw l2
};

// Derivative of the whole robot state under the torque law of a control mode,
// evaluated once per integrator stage; fills f[0..5]. The rates of the integral
// errors e1, e2 (components 4, 5) are, under the time-optimal law, the end-point
// error once t is past the final time tt[3] and 0 before; under the feedback
// law, the reference position minus the joint position.
class RobotDerivative {
 public:
  RobotDerivative(const Conditions& s, const RobotRun& run, Robot robot, ControlMode mode)
      : plant_(s, robot), law_(s, run, robot, mode) {}

  void operator()(double t, const double* y, double* f) const {
    double tau[2];
    double ref[2] = {0.0, 0.0};  // set by the PID law only
    law_.both(t, y, tau, ref);
    double acc[2];
    plant_.accelerations(y, tau[0], tau[1], acc);
    f[0] = y[2];
    f[1] = y[3];
    f[2] = acc[0];
    f[3] = acc[1];
    if (law_.mode() == ControlMode::TimeOptimal) {
      const bool holding = t > law_.final_time();
      const double* phif = law_.end_point();
      f[4] = holding ? phif[0] - y[0] : 0.0;
      f[5] = holding ? phif[1] - y[1] : 0.0;
    } else {
      f[4] = ref[0] - y[0];
      f[5] = ref[1] - y[1];
    }
  }

 private:
  PlantModel plant_;
  TorqueLaw law_;
};
