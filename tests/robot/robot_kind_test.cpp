#include "robot/robot_kind.h"

#include <gtest/gtest.h>

#include <memory>

#include "robot/kinematics.h"

// A selection reaches its own robot's table and conditions; no selection has
// no table, and the models then fall back to the cylindrical robot's, as the
// conditions and runs they read do.
TEST(RobotKind, SelectionReachesItsOwnTable) {
  auto s = std::make_unique<Conditions>();
  EXPECT_EQ(robot_kind(Robot::Cylindrical), &cylindrical_kind());
  EXPECT_EQ(robot_kind(Robot::Scara), &scara_kind());
  EXPECT_EQ(robot_kind(Robot::Other), nullptr);
  EXPECT_EQ(&model_kind(Robot::Other), &cylindrical_kind());
  EXPECT_EQ(&cylindrical_kind().conditions(*s), &s->cyl);
  EXPECT_EQ(&scara_kind().conditions(*s), &s->scara);
  EXPECT_EQ(&scara_kind().const_conditions(*s), &model_conditions(*s, Robot::Scara));
  EXPECT_FALSE(cylindrical_kind().scara_plant);
  EXPECT_TRUE(scara_kind().scara_plant);
}

// Each table's tip is its robot's forward kinematics, the SCARA's with the
// link lengths of the conditions.
TEST(RobotKind, TipIsTheRobotsKinematics) {
  auto s = std::make_unique<Conditions>();
  s->scara.l1 = 0.5;
  s->scara.l2 = 0.4;
  double got[2], want[2];
  cylindrical_kind().tip(*s, 0.3, 0.7, got);
  cylindrical_tip(0.3, 0.7, want);
  EXPECT_EQ(got[0], want[0]);
  EXPECT_EQ(got[1], want[1]);
  scara_kind().tip(*s, 0.3, 0.7, got);
  scara_tip(0.5, 0.4, 0.3, 0.7, want);
  EXPECT_EQ(got[0], want[0]);
  EXPECT_EQ(got[1], want[1]);
}

// The reference's joint-2 acceleration is each robot's own field.
TEST(RobotKind, JointTwoReferenceIsTheRobotsOwn) {
  auto s = std::make_unique<Conditions>();
  s->cyl.a2 = 1.25;
  s->scara.alpha2 = -2.5;
  EXPECT_EQ(cylindrical_kind().joint2_reference_acceleration(*s), 1.25);
  EXPECT_EQ(scara_kind().joint2_reference_acceleration(*s), -2.5);
}
