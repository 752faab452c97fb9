// Derived conditions of the default tasks and their edge cases.
#include <gtest/gtest.h>

#include <cmath>

#include "robot/kinematics.h"
#include "robot/conditions.h"

namespace {

// Defaults, then the given robot and gravity recomputed as the dialogue would.
Scenario defaults_for(char robot, char gravity) {
  Scenario s{};
  compute_default_conditions(s);
  select_robot(s, robot);
  select_gravity(s, gravity);
  compute_conditions(s);
  return s;
}

void set_points(Scenario& s, double x0, double y0, double xf, double yf) {
  s.x0 = x0;
  s.y0 = y0;
  s.xf = xf;
  s.yf = yf;
  cylindrical_ik(x0, y0, s.cyl.Phi0);
  cylindrical_ik(xf, yf, s.cyl.Phif);
}

}  // namespace

TEST(DerivedConditions, DefaultMotorTorquesFollowTheMatchingRule) {
  Scenario s{};
  compute_default_conditions(s);
  EXPECT_NEAR(s.cyl.tau1_motor, PI / 50, 1e-15);
  EXPECT_NEAR(s.cyl.tau2_motor, 0.04, 1e-15);
  EXPECT_NEAR(s.scara.tau1_motor, 2.62323 / 50, 1e-7);
  EXPECT_NEAR(s.scara.tau2_motor, 2.13628 / 50, 1e-7);
  EXPECT_NEAR(s.cyl.IM1_motor, 0.0004, 1e-18);
  EXPECT_NEAR(s.scara.IM2_motor, 0.000064, 1e-18);
  EXPECT_DOUBLE_EQ(s.layout.mass_size, 0.1);
  EXPECT_DOUBLE_EQ(s.layout.cyl_arm_draw_len, 0.88);
  EXPECT_NEAR(s.pid.omega1, 31.4159, 1e-4);
}

TEST(DerivedConditions, DefaultCylindricalTaskHitsTheCentrifugalLimit) {
  for (char gravity : {'h', 'g'}) {
    Scenario s = defaults_for('a', gravity);
    const CylConditions& c = s.cyl;
    EXPECT_DOUBLE_EQ(c.J1, 1.0);
    EXPECT_DOUBLE_EQ(c.M2, 1.36);
    EXPECT_NEAR(c.tf1, 1.92450, 1e-5);
    EXPECT_EQ(c.tf2, 0.0);
    EXPECT_NEAR(c.tf3, 2.56510, 1e-5);
    EXPECT_EQ(c.tf, c.tf3);
    EXPECT_EQ(s.tfm, c.tf);
    EXPECT_NEAR(c.alpha1, 0.95493, 1e-5);
    EXPECT_EQ(c.a2, 0.0);
    EXPECT_NEAR(c.Kp1, 1018.376, 1e-3);
    EXPECT_NEAR(c.Kd1, 63.332, 1e-3);
    EXPECT_NEAR(c.Ki1, 493.480, 1e-3);
    // joint 2 with M2 = 1.36
    EXPECT_NEAR(c.Kp2, 1.36 * c.Kp1, 1e-9);
  }
}

TEST(DerivedConditions, ReversedCylindricalMoveKeepsTimesAndFlipsAcceleration) {
  Scenario fwd = defaults_for('a', 'h');
  Scenario rev = defaults_for('a', 'h');
  set_points(rev, 0.0, 0.8, 0.8, 0.0);
  compute_conditions(rev);
  EXPECT_DOUBLE_EQ(rev.cyl.tf3, fwd.cyl.tf3);
  EXPECT_DOUBLE_EQ(rev.cyl.tf, fwd.cyl.tf);
  EXPECT_DOUBLE_EQ(rev.cyl.alpha1, -fwd.cyl.alpha1);
}

TEST(DerivedConditions, PurelyRadialMoveNeverTriggersTheCentrifugalLimit) {
  Scenario s = defaults_for('a', 'h');
  s.cyl.tf3 = 7.5;  // whatever an earlier run left
  set_points(s, 0.3, 0.0, 0.9, 0.0);
  compute_conditions(s);
  EXPECT_EQ(s.cyl.tf1, 0.0);
  EXPECT_EQ(s.cyl.tf3, 7.5);
  // D2 = 0.6, A2 = 0.9 * 1.2 / 1.36
  EXPECT_NEAR(s.cyl.tf2, 2 * std::sqrt(0.6 / (0.9 * 1.2 / 1.36)), 1e-12);
  EXPECT_EQ(s.tfm, s.cyl.tf2);
  EXPECT_EQ(s.cyl.alpha1, 0.0);
}

TEST(DerivedConditions, RadiusZeroKeepsTf3) {
  Scenario s = defaults_for('a', 'h');
  const double before = s.cyl.tf3;
  set_points(s, 0.0, 0.0, 0.0, 0.0);
  const TaskReach reach = compute_conditions(s);  // 0/0 everywhere: NaNs carried on, no stop
  EXPECT_FALSE(reach.start);  // the SCARA cannot reach its own base
  EXPECT_FALSE(reach.end);
  EXPECT_EQ(s.cyl.tf3, before);
  EXPECT_EQ(s.cyl.tf1, 0.0);
  EXPECT_TRUE(std::isnan(s.cyl.alpha1));
}

TEST(DerivedConditions, DefaultScaraTask) {
  Scenario s = defaults_for('b', 'h');
  const ScaraConditions& b = s.scara;
  EXPECT_NEAR(b.Phi0[0], -0.42144, 1e-5);
  EXPECT_NEAR(b.Phi0[1], 0.95819, 1e-5);
  EXPECT_NEAR(b.Phif[0], 1.14935, 1e-5);
  EXPECT_NEAR(b.Phif[1], 0.95819, 1e-5);
  EXPECT_NEAR(b.J11, 0.98, 1e-12);
  EXPECT_NEAR(b.J22, 0.2176, 1e-12);
  EXPECT_NEAR(b.J12, 0.16 + 0.2 * 0.575, 1e-12);
  EXPECT_NEAR(b.tau1max_h, 1.57394, 1e-5);
  EXPECT_NEAR(b.tf1, 2.08491, 1e-5);
  EXPECT_EQ(b.tf2, 0.0);
  EXPECT_NEAR(s.tfm, 2.08491, 1e-5);
  EXPECT_NEAR(b.alpha1, 1.44545, 1e-5);
}

TEST(DerivedConditions, GravityLimitsAddTheStaticLoads) {
  Scenario s = defaults_for('b', 'g');
  EXPECT_NEAR(s.scara.tau1max_g, (0.5 + 0.9) * 9.8 + s.scara.tau1max_h, 1e-12);
  EXPECT_NEAR(s.scara.tau2max_g, 9.8 * 0.4 + s.scara.tau2max_h, 1e-12);
  // the available accelerations, hence the times, are those without gravity
  EXPECT_NEAR(s.tfm, 2.08491, 1e-5);
}

TEST(DerivedConditions, OnlyTheSelectedSetChanges) {
  Scenario s = defaults_for('b', 'h');
  const double cyl_tf = s.cyl.tf;
  s.cyl.u1 = 60;
  s.scara.u1 = 60;
  compute_conditions(s);
  EXPECT_EQ(s.cyl.tf, cyl_tf);
  EXPECT_EQ(s.cyl.tau1max_h, s.cyl.tau1_motor * 30);
  EXPECT_EQ(s.scara.tau1max_h, s.scara.tau1_motor * 60);
}

TEST(DerivedConditions, UnknownRobotRefreshesOnlyScaraAngles) {
  Scenario s = defaults_for('a', 'h');
  select_robot(s, 'q');
  s.elbow = parse_elbow('2');
  const double tfm = s.tfm;
  compute_conditions(s);
  EXPECT_EQ(s.tfm, tfm);
  EXPECT_NEAR(s.scara.Phi0[0], 0.42144, 1e-5);  // elbow up mirrors the pair
  EXPECT_NEAR(s.scara.Phi0[1], -0.95819, 1e-5);
}

TEST(DerivedConditions, ZeroRatiosCarryInfinitiesOn) {
  Scenario s = defaults_for('a', 'h');
  s.cyl.u1 = 0;
  s.cyl.u2 = 0;
  compute_conditions(s);
  EXPECT_EQ(s.cyl.tau1max_h, 0.0);
  EXPECT_TRUE(std::isinf(s.cyl.tf1));
  EXPECT_FALSE(std::isfinite(s.tfm));
}
