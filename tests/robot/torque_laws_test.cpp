// Saturation, reference profile and both torque laws at their interval edges.
#include "robot/torque_laws.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

// Cylindrical set with distinct limits and gains for every joint and gravity case.
Scenario law_scenario() {
  Scenario s{};
  select_gravity(s, 'h');
  CylConditions& c = s.cyl;
  RobotRun& c_run = s.cyl_run;
  c.tau1max_h = 2.0, c.tau2max_h = 1.5, c.tau1max_g = 12.0, c.tau2max_g = 11.5;
  const double tt[4] = {0.2, 0.5, 0.7, 1.0}, sign[4][2] = {{1, -1}, {1, 1}, {-1, 1}, {-1, -1}};
  for (int k = 0; k < 4; ++k) {
    c_run.tt[k] = tt[k];
    c_run.torque_sign[k][0] = sign[k][0];
    c_run.torque_sign[k][1] = sign[k][1];
  }
  c.Phi0[1] = 0.8, c.Phif[0] = 1.0, c.Phif[1] = 0.6;
  c.Kp1 = 100, c.Kd1 = 20, c.Ki1 = 50, c.Kp2 = 10, c.Kd2 = 2, c.Ki2 = 3;
  c.tf = 2.0, c.alpha1 = 1.0, c.a2 = -0.2;  // 4 D / T^2
  s.scara.tau1max_h = 7, s.scara.tau2max_h = 8, s.scara.tau1max_g = 9, s.scara.tau2max_g = 10;
  return s;
}

}  // namespace

TEST(TorqueLaw, Saturation) {
  EXPECT_EQ(saturate(0.00005, 1.0), 0.00005);
  EXPECT_EQ(saturate(-0.00005, 0.0), -0.00005);  // the dead band wins even over a zero limit
  EXPECT_EQ(saturate(-3.0, 2.0), -2.0);
  EXPECT_EQ(saturate(2.0, 2.0), 2.0);
  EXPECT_TRUE(std::isnan(saturate(std::numeric_limits<double>::quiet_NaN(), 2.0)));
  const Scenario s = law_scenario();
  const struct { char robot, gravity; int joint; double limit; } cases[] = {
      {'a', 'h', 1, 2.0}, {'a', 'h', 2, 1.5}, {'a', 'g', 1, 12.0}, {'a', 'g', 2, 11.5},
      {'x', 'x', 2, 1.5}, {'b', 'h', 1, 7.0}, {'b', 'h', 2, 8.0},  {'b', 'g', 1, 9.0},
      {'b', 'g', 2, 10.0}};
  for (const auto& c : cases) {
    EXPECT_EQ(saturate(-100.0, torque_limit(model_conditions(s, parse_robot(c.robot)),
                                           parse_gravity(c.gravity), c.joint - 1)),
              -c.limit)
        << c.robot << c.gravity << c.joint;
  }
}

TEST(TorqueLaw, ReferenceProfile) {
  // q0 = 1, qf = 3, T = 2, A = 2.
  const auto at = [](double t) { return reference_profile(t, 1.0, 2.0, 1.0, 3.0, 2.0); };
  const double expect[][3] = {{0.0, 1.0, 0.0}, {1.0, 2.0, 2.0}, {1.5, 2.75, 1.0},
                              {2.0, 3.0, 0.0}, {7.0, 3.0, 0.0}};
  for (const auto& e : expect) {
    EXPECT_EQ(at(e[0]).position, e[1]) << e[0];
    EXPECT_EQ(at(e[0]).velocity, e[2]) << e[0];
  }
  EXPECT_EQ(reference_profile(0.7, 1.0, 2.0, 0.8, 0.8, 0.0).position, 0.8);  // joint at rest
  // No motion at all (T = 0, A = 0/0): the joint rests at its start, at t = 0 too.
  const double nan = std::numeric_limits<double>::quiet_NaN();
  for (double t : {0.0, 0.02}) {
    EXPECT_EQ(reference_profile(t, 0.0, 0.0, 0.5, 0.5, nan).position, 0.5) << t;
    EXPECT_EQ(reference_profile(t, 0.0, 0.0, 0.5, 0.5, nan).velocity, 0.0) << t;
  }
}

TEST(TorqueLaw, BangBangIntervalsAreClosedOnTheLeft) {
  Scenario s = law_scenario();
  const double y[6] = {0.3, 0.7, 0.0, 0.0, 0.0, 0.0};
  const auto tau = [&](int sel, double t) {
    return TorqueLaw(s, model_run(s, Robot::Cylindrical), Robot::Cylindrical, ControlMode::TimeOptimal).joint(sel - 2, t, y);
  };
  const double expect[][3] = {{0.0, 2.0, -1.5},  {std::nextafter(0.2, 0.0), 2.0, -1.5},
                              {0.2, 2.0, 1.5},   {0.5, -2.0, 1.5},
                              {0.7, -2.0, -1.5}, {std::nextafter(1.0, 0.0), -2.0, -1.5}};
  for (const auto& e : expect) {
    EXPECT_EQ(tau(2, e[0]), e[1]) << e[0];
    EXPECT_EQ(tau(3, e[0]), e[2]) << e[0];
  }
  EXPECT_EQ(tau(2, -0.1), 0.0);  // a negative time matches no rule
  select_gravity(s, 'g');
  EXPECT_EQ(tau(3, 0.0), -11.5);
  s.cyl_run.tt[1] = 0.1;  // out of order: the last rule that applies wins
  EXPECT_EQ(tau(2, 0.15), -12.0);
}

TEST(TorqueLaw, EndPointHoldUsesEachJointsGainsAndLimit) {
  Scenario s = law_scenario();
  // (1 - 0.99) 100 - 20 (0.01) + 50 (0.002) = 0.9;  (0.6 - 0.5) 10 - 2 (0.05) + 3 (0.01) = 0.93
  const double y[6] = {0.99, 0.5, 0.01, 0.05, 0.002, 0.01};
  EXPECT_NEAR(TorqueLaw(s, model_run(s, Robot::Cylindrical), Robot::Cylindrical, ControlMode::TimeOptimal).joint(2 - 2, 1.0, y), 0.9, 1e-12);  // t = tt[3]: holding
  EXPECT_NEAR(TorqueLaw(s, model_run(s, Robot::Cylindrical), Robot::Cylindrical, ControlMode::TimeOptimal).joint(3 - 2, 3.0, y), 0.93, 1e-12);
  s.cyl.tau2max_h = 0.5;
  EXPECT_EQ(TorqueLaw(s, model_run(s, Robot::Cylindrical), Robot::Cylindrical, ControlMode::TimeOptimal).joint(3 - 2, 1.0, y), 0.5);
}

TEST(TorqueLaw, FeedbackTracksTheReference) {
  const Scenario s = law_scenario();
  const double start[6] = {0.0, 0.8, 0.0, 0.0, 0.0, 0.0};
  EXPECT_EQ(TorqueLaw(s, model_run(s, Robot::Cylindrical), Robot::Cylindrical, ControlMode::Feedback).joint(2 - 2, 0.0, start), 0.0);
  EXPECT_EQ(TorqueLaw(s, model_run(s, Robot::Cylindrical), Robot::Cylindrical, ControlMode::Feedback).joint(3 - 2, 0.0, start), 0.0);
  // t = 0.5: references 0.125 (velocity 0.5) and 0.775 (velocity -0.1).
  const double y[6] = {0.1, 0.78, 0.4, -0.1, 0.01, -0.02};
  const TorqueLaw pid(s, model_run(s, Robot::Cylindrical), Robot::Cylindrical, ControlMode::Feedback);
  EXPECT_EQ(pid.joint(0, 0.5, y), 2.0);  // 2.5 + 0.5 + 2.0, saturated
  EXPECT_NEAR(TorqueLaw(s, model_run(s, Robot::Cylindrical), Robot::Cylindrical, ControlMode::Feedback).joint(3 - 2, 0.5, y), -0.11, 1e-12);  // -0.05 - 0.06 + 0
  // Both joints at once (the integrator) give the numbers of one by one (the records).
  for (ControlMode mode : {ControlMode::TimeOptimal, ControlMode::Feedback}) {
    const TorqueLaw law(s, model_run(s, Robot::Cylindrical), Robot::Cylindrical, mode);
    for (double t : {0.0, 0.2, 0.55, 1.0, 1.7, 2.5}) {
      double tau[2], ref[2];
      law.both(t, y, tau, ref);
      EXPECT_EQ(tau[0], law.joint(0, t, y)) << t;
      EXPECT_EQ(tau[1], law.joint(1, t, y)) << t;
    }
  }
}
