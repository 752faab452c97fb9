// Equations of motion of both robots and the state derivative.
#include "robot/dynamics.h"

#include <gtest/gtest.h>

#include <cmath>

#include "robot/model_fixture.h"

namespace {

// D(q2) acc for the SCARA, written out from the inertia matrix.
void scara_inertia_times(const Scenario& s, double q2, const double acc[2], double out[2]) {
  const ScaraConditions& b = s.scara;
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
  PlantModel(s, Robot::Cylindrical).accelerations(spin, 0.0, 0.0, acc);
  EXPECT_EQ(acc[0], 0.0);
  EXPECT_NEAR(acc[1], 0.8 * 4.0 / 1.36, 1e-14);
  const double extend[4] = {0.0, 0.5, 1.0, 0.2};  // Coriolis slows the rotation
  PlantModel(s, Robot::Cylindrical).accelerations(extend, 1.0, 0.5, acc);
  EXPECT_NEAR(acc[0], (1.0 - 2 * 0.5 * 1.0 * 0.2) / (0.25 + 0.36), 1e-14);
  EXPECT_NEAR(acc[1], (0.5 + 0.5) / 1.36, 1e-14);

  select_gravity(s, 'g');
  const double level[4] = {0.0, 0.8, 0.0, 0.0}, upright[4] = {PI / 2, 0.8, 0.0, 0.0};
  PlantModel(s, Robot::Cylindrical).accelerations(level, 0.0, 0.0, acc);
  EXPECT_NEAR(acc[0], -9.8 * 0.8 / (0.64 + 0.36), 1e-13);
  EXPECT_EQ(acc[1], 0.0);
  PlantModel(s, Robot::Cylindrical).accelerations(upright, 0.0, 0.0, acc);
  EXPECT_NEAR(acc[0], 0.0, 1e-13);
  EXPECT_NEAR(acc[1], -9.8 / 1.36, 1e-13);
}

TEST(Dynamics, ScaraArm) {
  Scenario s = model_scenario('h');
  double acc[2], lhs[2];
  const double rest[4] = {0.4, 1.1, 0.0, 0.0};
  PlantModel(s, Robot::Scara).accelerations(rest, 0.0, 0.0, acc);
  EXPECT_EQ(acc[0], 0.0);
  EXPECT_EQ(acc[1], 0.0);
  for (double q2 : {0.0, 0.9582, -2.0}) {  // stretched arm included: D stays invertible
    const double y[4] = {0.1, q2, 0.0, 0.0};
    PlantModel(s, Robot::Scara).accelerations(y, 1.5, -0.7, acc);
    scara_inertia_times(s, q2, acc, lhs);
    EXPECT_NEAR(lhs[0], 1.5, 1e-12) << q2;
    EXPECT_NEAR(lhs[1], -0.7, 1e-12) << q2;
  }
  const double turning[4] = {0.0, PI / 2, 1.0, 0.0};  // joint 2 feels mw l1 l2 q1'^2
  PlantModel(s, Robot::Scara).accelerations(turning, 0.0, 0.0, acc);
  scara_inertia_times(s, PI / 2, acc, lhs);
  EXPECT_NEAR(lhs[0], 0.0, 1e-12);
  EXPECT_NEAR(lhs[1], -0.2, 1e-12);

  select_gravity(s, 'g');
  const double level[4] = {0.0, 0.0, 0.0, 0.0}, bent[4] = {PI / 2, -PI / 2, 0.0, 0.0};
  PlantModel(s, Robot::Scara).accelerations(level, 0.0, 0.0, acc);
  scara_inertia_times(s, 0.0, acc, lhs);
  EXPECT_NEAR(lhs[0], -(2.0 * 9.8 * 0.5 + 9.8 * 0.4), 1e-12);
  EXPECT_NEAR(lhs[1], -9.8 * 0.4, 1e-12);
  PlantModel(s, Robot::Scara).accelerations(bent, 0.0, 0.0, acc);  // link 1 up: link 2's weight only
  scara_inertia_times(s, -PI / 2, acc, lhs);
  EXPECT_NEAR(lhs[0], -9.8 * 0.4, 1e-12);
  EXPECT_NEAR(lhs[1], -9.8 * 0.4, 1e-12);
}

TEST(Dynamics, IntegralErrorRates) {
  Scenario s = model_scenario();
  CylConditions& c = s.cyl;
  RobotRun& c_run = s.cyl_run;
  c_run.tt[3] = 1.2;
  c.Phi0[1] = 0.8;
  c.Phif[0] = 1.0;
  c.Phif[1] = 0.6;
  c.tf = 2.0;
  c.alpha1 = 1.0;
  c.a2 = -0.2;
  const double y[6] = {0.9, 0.65, 0.3, 0.1, 0.0, 0.0};
  const RobotDerivative toc(s, model_run(s, Robot::Cylindrical), Robot::Cylindrical, ControlMode::TimeOptimal);
  double f[6];
  toc(0.5, y, f);
  EXPECT_EQ(f[0], 0.3);
  EXPECT_EQ(f[1], 0.1);
  EXPECT_EQ(f[4], 0.0);
  toc(1.2, y, f);
  EXPECT_EQ(f[4], 0.0);  // t = tt[3]: not yet
  toc(std::nextafter(1.2, 2.0), y, f);
  EXPECT_NEAR(f[4], 0.1, 1e-15);
  toc(1.3, y, f);
  EXPECT_NEAR(f[5], -0.05, 1e-15);
  // Feedback: reference minus position (references 0.125 and 0.775 at t = 0.5).
  const RobotDerivative fb(s, model_run(s, Robot::Cylindrical), Robot::Cylindrical, ControlMode::Feedback);
  fb(0.5, y, f);
  EXPECT_NEAR(f[4], 0.125 - 0.9, 1e-15);
  EXPECT_NEAR(f[5], 0.775 - 0.65, 1e-15);
}

// Under the bang-bang law, at rest, each joint accelerates with its full torque
// over its inertia: tau1 / (mw r^2 + IM1) and F2 / (mw + mM2) for the cylindrical
// robot, D^-1 tau for the SCARA.
TEST(Dynamics, BangBangStateDerivativeIsFullTorqueOverInertia) {
  Scenario s = model_scenario();
  for (RobotRun* r : {&s.cyl_run, &s.scara_run}) {
    const double tt[4] = {0.2, 0.5, 0.7, 1.0};
    for (int k = 0; k < 4; ++k) {
      r->tt[k] = tt[k];
      r->torque_sign[k][0] = k < 2 ? 1 : -1;
      r->torque_sign[k][1] = (k == 0 || k == 3) ? -1 : 1;
    }
  }
  s.cyl.tau1max_h = 1.9;
  s.cyl.tau2max_h = 1.2;
  const double y[6] = {0.7, 0.75, 0.0, 0.0, 0.0, 0.0};
  double f[6];
  RobotDerivative(s, model_run(s, Robot::Cylindrical), Robot::Cylindrical, ControlMode::TimeOptimal)(0.1, y, f);
  EXPECT_NEAR(f[2], 1.9 / (0.75 * 0.75 + 0.36), 1e-14);
  EXPECT_NEAR(f[3], -1.2 / 1.36, 1e-14);
  RobotDerivative(s, model_run(s, Robot::Cylindrical), Robot::Cylindrical, ControlMode::TimeOptimal)(0.6, y, f);  // interval 2
  EXPECT_NEAR(f[2], -1.9 / (0.75 * 0.75 + 0.36), 1e-14);
  EXPECT_NEAR(f[3], 1.2 / 1.36, 1e-14);

  RobotDerivative(s, model_run(s, Robot::Scara), Robot::Scara, ControlMode::TimeOptimal)(0.1, y, f);
  double lhs[2];
  scara_inertia_times(s, 0.75, &f[2], lhs);
  EXPECT_NEAR(lhs[0], s.scara.tau1max_h, 1e-12);
  EXPECT_NEAR(lhs[1], -s.scara.tau2max_h, 1e-12);
}
