// Equations of motion of both robots and the state derivative.
#include "robot/dynamics.h"

#include <gtest/gtest.h>

#include <cmath>

#include "robot/model_fixture.h"

namespace {

// D(q2) acc for the SCARA, written out from the inertia matrix.
void scara_inertia_times(const Scenario& s, double q2, const double acc[2], double out[2]) {
  const ScaraRecord& b = s.scara;
  const double c = std::cos(q2);
  const double d11 = b.IJ1 + b.IM1 + b.IJ2 + s.mw * (b.l1 * b.l1 + 2 * b.l1 * b.l2 * c);
  const double d12 = b.IJ2 + s.mw * b.l1 * b.l2 * c, d22 = b.IJ2 + b.IM2;
  out[0] = d11 * acc[0] + d12 * acc[1];
  out[1] = d12 * acc[0] + d22 * acc[1];
}

}  // namespace

TEST(Dynamics, CylindricalArm) {
  Scenario s = model_scenario('h');
  double acc[2];
  const double spin[4] = {0.3, 0.8, 2.0, 0.0};  // no force: thrown outward
  joint_accelerations(s, 'a', spin, 0.0, 0.0, acc);
  EXPECT_EQ(acc[0], 0.0);
  EXPECT_NEAR(acc[1], 0.8 * 4.0 / 1.36, 1e-14);
  const double extend[4] = {0.0, 0.5, 1.0, 0.2};  // Coriolis slows the rotation
  joint_accelerations(s, 'a', extend, 1.0, 0.5, acc);
  EXPECT_NEAR(acc[0], (1.0 - 2 * 0.5 * 1.0 * 0.2) / (0.25 + 0.36), 1e-14);
  EXPECT_NEAR(acc[1], (0.5 + 0.5) / 1.36, 1e-14);

  s.gravity_mode = 'g';
  const double level[4] = {0.0, 0.8, 0.0, 0.0}, upright[4] = {PI / 2, 0.8, 0.0, 0.0};
  joint_accelerations(s, 'a', level, 0.0, 0.0, acc);
  EXPECT_NEAR(acc[0], -9.8 * 0.8 / (0.64 + 0.36), 1e-13);
  EXPECT_EQ(acc[1], 0.0);
  joint_accelerations(s, 'a', upright, 0.0, 0.0, acc);
  EXPECT_NEAR(acc[0], 0.0, 1e-13);
  EXPECT_NEAR(acc[1], -9.8 / 1.36, 1e-13);
}

TEST(Dynamics, ScaraArm) {
  Scenario s = model_scenario('h');
  double acc[2], lhs[2];
  const double rest[4] = {0.4, 1.1, 0.0, 0.0};
  joint_accelerations(s, 'b', rest, 0.0, 0.0, acc);
  EXPECT_EQ(acc[0], 0.0);
  EXPECT_EQ(acc[1], 0.0);
  for (double q2 : {0.0, 0.9582, -2.0}) {  // stretched arm included: D stays invertible
    const double y[4] = {0.1, q2, 0.0, 0.0};
    joint_accelerations(s, 'b', y, 1.5, -0.7, acc);
    scara_inertia_times(s, q2, acc, lhs);
    EXPECT_NEAR(lhs[0], 1.5, 1e-12) << q2;
    EXPECT_NEAR(lhs[1], -0.7, 1e-12) << q2;
  }
  const double turning[4] = {0.0, PI / 2, 1.0, 0.0};  // joint 2 feels mw l1 l2 q1'^2
  joint_accelerations(s, 'b', turning, 0.0, 0.0, acc);
  scara_inertia_times(s, PI / 2, acc, lhs);
  EXPECT_NEAR(lhs[0], 0.0, 1e-12);
  EXPECT_NEAR(lhs[1], -0.2, 1e-12);

  s.gravity_mode = 'g';
  const double level[4] = {0.0, 0.0, 0.0, 0.0}, bent[4] = {PI / 2, -PI / 2, 0.0, 0.0};
  joint_accelerations(s, 'b', level, 0.0, 0.0, acc);
  scara_inertia_times(s, 0.0, acc, lhs);
  EXPECT_NEAR(lhs[0], -(2.0 * 9.8 * 0.5 + 9.8 * 0.4), 1e-12);
  EXPECT_NEAR(lhs[1], -9.8 * 0.4, 1e-12);
  joint_accelerations(s, 'b', bent, 0.0, 0.0, acc);  // link 1 up: link 2's weight only
  scara_inertia_times(s, -PI / 2, acc, lhs);
  EXPECT_NEAR(lhs[0], -9.8 * 0.4, 1e-12);
  EXPECT_NEAR(lhs[1], -9.8 * 0.4, 1e-12);
}

TEST(Dynamics, IntegralErrorRates) {
  Scenario s = model_scenario();
  CylRecord& c = s.cyl;
  c.tt[3] = 1.2;
  c.Phi0[1] = 0.8;
  c.Phif[0] = 1.0;
  c.Phif[1] = 0.6;
  c.tf = 2.0;
  c.alpha1 = 1.0;
  c.a2 = -0.2;
  const double y[6] = {0.9, 0.65, 0.3, 0.1, 0.0, 0.0};
  EXPECT_EQ(state_derivative(s, 'a', 'T', 0, 0.5, y), 0.3);
  EXPECT_EQ(state_derivative(s, 'a', 'T', 1, 0.5, y), 0.1);
  EXPECT_EQ(state_derivative(s, 'a', 'T', 4, 1.2, y), 0.0);  // t = tt[3]: not yet
  EXPECT_NEAR(state_derivative(s, 'a', 'T', 4, std::nextafter(1.2, 2.0), y), 0.1, 1e-15);
  EXPECT_NEAR(state_derivative(s, 'a', 'T', 5, 1.3, y), -0.05, 1e-15);
  // Feedback: reference minus position (references 0.125 and 0.775 at t = 0.5).
  EXPECT_NEAR(state_derivative(s, 'a', 'F', 4, 0.5, y), 0.125 - 0.9, 1e-15);
  EXPECT_NEAR(state_derivative(s, 'a', 'F', 5, 0.5, y), 0.775 - 0.65, 1e-15);
}

TEST(Dynamics, WholeStageEvaluationMatchesComponentByComponent) {
  Scenario s = model_scenario();
  for (RobotRecord* r : {static_cast<RobotRecord*>(&s.cyl), static_cast<RobotRecord*>(&s.scara)}) {
    const double tt[4] = {0.2, 0.5, 0.7, 1.0}, gains[6] = {1018, 63, 493, 1385, 86, 671};
    for (int k = 0; k < 4; ++k) {
      r->tt[k] = tt[k];
      r->torque_sign[k][0] = k < 2 ? 1 : -1;
      r->torque_sign[k][1] = (k == 0 || k == 3) ? -1 : 1;
    }
    r->tau1max_h = 1.9, r->tau2max_h = 1.2, r->tau1max_g = 11.7, r->tau2max_g = 11.0;
    r->Phi0[0] = 0.1, r->Phi0[1] = 0.8, r->Phif[0] = 1.5, r->Phif[1] = 0.7;
    r->Kp1 = gains[0], r->Kd1 = gains[1], r->Ki1 = gains[2];
    r->Kp2 = gains[3], r->Kd2 = gains[4], r->Ki2 = gains[5];
    r->tf = 2.5;
    r->alpha1 = 4 * 1.4 / 6.25;
  }
  s.cyl.a2 = s.scara.alpha2 = 4 * -0.1 / 6.25;
  const double y[6] = {0.7, 0.75, 0.9, -0.3, 0.02, -0.01};
  for (char robot : {'a', 'b'}) {
    for (char mode : {'T', 'F'}) {
      for (char g : {'h', 'g'}) {
        s.gravity_mode = g;
        const RobotDerivative deriv(s, robot, mode);
        for (double t : {0.0, 0.3, 0.6, 1.0, 1.4, 3.0}) {
          double f[6];
          deriv(t, y, f);
          for (int i = 0; i < 6; ++i)
            EXPECT_EQ(f[i], state_derivative(s, robot, mode, i, t, y)) << robot << mode << g << t << i;
        }
      }
    }
  }
}
