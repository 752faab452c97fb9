// Inverse kinematics with branch selection and reach failure, forward kinematics.
#include "robot/kinematics.h"

#include <gtest/gtest.h>

#include <cmath>

#include "model/scenario.h"

TEST(Kinematics, CylindricalInverse) {
  double q[2];
  cylindrical_ik(0.0, -0.8, q);
  EXPECT_NEAR(q[0], -PI / 2, 1e-13);
  EXPECT_DOUBLE_EQ(q[1], 0.8);
  cylindrical_ik(-0.8, 0.0, q);
  EXPECT_NEAR(q[0], PI, 1e-14);
  cylindrical_ik(0.0, 0.0, q);
  EXPECT_EQ(q[0], 0.0);
  EXPECT_EQ(q[1], 0.0);
}

TEST(Kinematics, ScaraBranchesMirrorEachOther) {
  const double ref[2] = {0, 0};
  double down[2], up[2];
  EXPECT_TRUE(scara_ik_elbow_down(0.5, 0.4, 0.8, 0.0, ref, down));
  EXPECT_TRUE(scara_ik_elbow_up(0.5, 0.4, 0.8, 0.0, ref, up));
  EXPECT_NEAR(down[0], -std::acos(0.73 / 0.8), 1e-12);
  EXPECT_NEAR(down[1], PI - std::acos(-0.575), 1e-12);
  EXPECT_NEAR(down[1], 0.9582, 1e-4);
  EXPECT_NEAR(up[0], -down[0], 1e-12);
  EXPECT_NEAR(up[1], -down[1], 1e-12);
  // forward kinematics brings both branches back to the point
  for (const double* q : {down, up}) {
    double p[2];
    scara_tip(0.5, 0.4, q[0], q[1], p);
    EXPECT_NEAR(p[0], 0.8, 1e-12);
    EXPECT_NEAR(p[1], 0.0, 1e-12);
  }
}

TEST(Kinematics, NearestBranchShiftsByWholeTurns) {
  double out[2];
  const double cand[2] = {-3.0, -3.0};
  const double ref1[2] = {3.0, 10.0};
  nearest_branch_angles(ref1, cand, out);
  EXPECT_NEAR(out[0], -3.0 + 2 * PI, 1e-12);
  EXPECT_NEAR(out[1], -3.0 + 4 * PI, 1e-12);
  const double ref2[2] = {20.0, -3.0};
  nearest_branch_angles(ref2, cand, out);
  EXPECT_NEAR(out[0], -3.0 + 4 * PI, 1e-12);  // no larger shift exists
  EXPECT_EQ(out[1], -3.0);
  // a tie keeps the value already chosen: v = pi from ref 0 is as far as v - 2 pi
  const double cand_tie[2] = {PI, -PI};
  const double ref0[2] = {0, 0};
  nearest_branch_angles(ref0, cand_tie, out);
  EXPECT_EQ(out[0], PI);
  EXPECT_EQ(out[1], -PI);
}

TEST(Kinematics, FullReachIsNoFailure) {
  const double ref[2] = {0, 0};
  double q[2];
  EXPECT_TRUE(scara_ik_elbow_down(0.5, 0.4, 0.9, 0.0, ref, q));
  EXPECT_NEAR(q[1], 0.0, 1e-6);
}

TEST(Kinematics, UnreachablePointGoesOnWithNaN) {
  const double ref[2] = {0, 0};
  double q[2];
  EXPECT_FALSE(scara_ik_elbow_up(0.5, 0.4, 1.0, 0.5, ref, q));
  EXPECT_TRUE(std::isnan(q[0]));
  EXPECT_TRUE(std::isnan(q[1]));
}

TEST(Kinematics, BasePointIsOutOfReachForUnequalLinks) {
  const double ref[2] = {0, 0};
  double q[2];
  EXPECT_FALSE(scara_ik_elbow_down(0.5, 0.4, 0.0, 0.0, ref, q));
  EXPECT_TRUE(std::isnan(q[1]));
}

TEST(Kinematics, CylindricalForward) {
  double p[2];
  cylindrical_tip(PI / 2, 0.8, p);
  EXPECT_NEAR(p[0], 0.0, 1e-14);
  EXPECT_DOUBLE_EQ(p[1], 0.8);
}
