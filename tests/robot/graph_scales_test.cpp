// The scales of the time graphs, worked out once from the records and the
// torque limits: the range of the feedback joint values, the height per unit
// displacement and torque, and which torque curves have a scale at all.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

#include "model/defaults.h"
#include "robot/graph_scales.h"

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

// The window's layout, 200 samples, all records zero, robot and gravity by key.
std::unique_ptr<Scenario> make_scenario(char robot, char gravity) {
  auto s = std::make_unique<Scenario>();  // a few hundred kilobytes of records
  s->layout = default_layout();
  select_robot(*s, robot);
  select_gravity(*s, gravity);
  s->frame_count = 200;
  return s;
}

TEST(JointRange, CoversBothFeedbackJointsUpToTheLastSampleButOne) {
  auto s = make_scenario('a', 'h');
  s->frame_count = 10;
  for (int i = 0; i <= 10; ++i) {
    s->cyl_run.fb_phi[i][0] = 0.1 * i;  // 0 .. 0.9 before the last sample
    s->cyl_run.fb_phi[i][1] = 0.5;
  }
  s->cyl_run.fb_phi[10][0] = 50.0;   // the last sample is left out
  s->cyl_run.fb_phi[3][1] = -0.25;   // joint 2 counts too
  s->cyl_run.toc_phi[2][0] = -7.0;   // the time-optimal run does not
  s->scara_run.fb_phi[0][0] = 99.0;  // nor the other robot
  JointRange r = joint_range(*s, s->robot, s->frame_count);
  EXPECT_DOUBLE_EQ(r.max, 0.9);
  EXPECT_DOUBLE_EQ(r.min, -0.25);

  s->scara_run.fb_phi[4][1] = -2.0;
  select_robot(*s, 'b');
  r = joint_range(*s, s->robot, s->frame_count);
  EXPECT_DOUBLE_EQ(r.max, 99.0);
  EXPECT_DOUBLE_EQ(r.min, -2.0);
}

TEST(JointRange, StartsFromPlusMinusThousandAndSkipsNonNumbers) {
  auto s = make_scenario('a', 'h');
  s->frame_count = 0;  // no sample before the last
  JointRange r = joint_range(*s, s->robot, s->frame_count);
  EXPECT_EQ(r.max, -1000.0);
  EXPECT_EQ(r.min, 1000.0);

  s->frame_count = 3;
  for (int i = 0; i < 3; ++i) s->cyl_run.fb_phi[i][0] = s->cyl_run.fb_phi[i][1] = -2000.0;
  r = joint_range(*s, s->robot, s->frame_count);
  EXPECT_EQ(r.max, -1000.0);
  EXPECT_EQ(r.min, -2000.0);

  s->cyl_run.fb_phi[1][0] = kNaN;
  s->cyl_run.fb_phi[1][1] = 3.0;
  r = joint_range(*s, s->robot, s->frame_count);
  EXPECT_EQ(r.max, 3.0);
  EXPECT_EQ(r.min, -2000.0);

  // A count beyond the record's capacity reads only the record.
  s->frame_count = 1000000;
  r = joint_range(*s, s->robot, s->frame_count);
  EXPECT_EQ(r.max, 3.0);
  select_robot(*s, 'x');
  EXPECT_EQ(joint_range(*s, s->robot, s->frame_count).max, -1000.0);
}

TEST(Scales, DisplacementScaleMapsTheRangeOntoTheSpan) {
  EXPECT_DOUBLE_EQ(displacement_scale({2.0, 1.0}, 0.4), 0.4);
  EXPECT_DOUBLE_EQ(displacement_scale({1.5, -0.5}, 0.4), 0.2);
  // No usable range: every value on the base line.
  EXPECT_EQ(displacement_scale({1.0, 1.0}, 0.4), 0.0);
  EXPECT_EQ(displacement_scale({-1000.0, 1000.0}, 0.4), 0.0);
  EXPECT_EQ(displacement_scale({kInf, 0.0}, 0.4), 0.0);
  EXPECT_EQ(displacement_scale({1.0, 1.0 - 1e-320}, 0.4), 0.0);
  EXPECT_EQ(displacement_scale({kNaN, kNaN}, 0.4), 0.0);
}

TEST(Scales, TorqueScalePutsTheLimitOnTheLimitLine) {
  EXPECT_DOUBLE_EQ(*torque_scale(0.25, 2.0), 0.125);
  EXPECT_DOUBLE_EQ(*torque_scale(0.25, -0.5), -0.5);
  EXPECT_FALSE(torque_scale(0.25, 0.0).has_value());
  EXPECT_FALSE(torque_scale(0.25, -0.0).has_value());
  EXPECT_FALSE(torque_scale(0.25, kNaN).has_value());
  EXPECT_FALSE(torque_scale(0.25, kInf).has_value());
  EXPECT_FALSE(torque_scale(0.25, 1e-320).has_value());
}

TEST(GraphScales, TakeTheLimitsOfTheGravitySelection) {
  auto s = make_scenario('a', 'h');
  s->cyl.tau1max_h = 2.0;
  s->cyl.tau2max_h = 0.5;
  s->cyl.tau1max_g = 4.0;
  s->cyl.tau2max_g = 0.0;  // no scale: no curve of joint 2 with gravity
  GraphScales g = graph_scales(s->cyl, s->cyl_run, Gravity::Off, s->frame_count, s->layout);
  EXPECT_TRUE(g.torque_shown[0]);
  EXPECT_TRUE(g.torque_shown[1]);
  EXPECT_DOUBLE_EQ(g.torque_per_unit[0], 0.25 / 2.0);
  EXPECT_DOUBLE_EQ(g.torque_per_unit[1], 0.25 / 0.5);
  g = graph_scales(s->cyl, s->cyl_run, Gravity::On, s->frame_count, s->layout);
  EXPECT_DOUBLE_EQ(g.torque_per_unit[0], 0.25 / 4.0);
  EXPECT_FALSE(g.torque_shown[1]);
  // A selection that is neither takes the limits without gravity.
  g = graph_scales(s->cyl, s->cyl_run, Gravity::Other, s->frame_count, s->layout);
  EXPECT_DOUBLE_EQ(g.torque_per_unit[1], 0.25 / 0.5);
  // Each graph's own half height.
  s->layout.torque2_graph_half_height = 0.1;
  g = graph_scales(s->cyl, s->cyl_run, Gravity::Off, s->frame_count, s->layout);
  EXPECT_DOUBLE_EQ(g.torque_per_unit[0], 0.25 / 2.0);
  EXPECT_DOUBLE_EQ(g.torque_per_unit[1], 0.1 / 0.5);
}

TEST(GraphScales, MapTheFeedbackRangeOntoTheDisplacementSpan) {
  auto s = make_scenario('b', 'h');
  for (int i = 0; i <= 200; ++i) {
    s->scara_run.fb_phi[i][0] = -0.5 + 0.01 * std::min(i, 150);  // -0.5 .. 1.0
    s->scara_run.fb_phi[i][1] = 0.25;
  }
  const GraphScales g = graph_scales(s->scara, s->scara_run, Gravity::Off, s->frame_count, s->layout);
  EXPECT_DOUBLE_EQ(g.displacement_min, -0.5);
  EXPECT_DOUBLE_EQ(g.displacement_per_unit, 0.4 / 1.5);
  // Records that never moved: everything on the base line.
  const GraphScales flat = graph_scales(s->cyl, s->cyl_run, Gravity::Off, s->frame_count, s->layout);
  EXPECT_EQ(flat.displacement_per_unit, 0.0);
  EXPECT_FALSE(flat.torque_shown[0]);
  EXPECT_FALSE(flat.torque_shown[1]);
}

TEST(GraphScales, AreKeptWithEachRecordWhateverRobotIsSelected) {
  auto s = make_scenario('x', 'g');  // no robot selected
  s->cyl.tau1max_g = 1.0;
  s->scara.tau1max_g = 4.0;
  s->scara.tau1max_h = 8.0;
  s->cyl_run.fb_phi[3][1] = 2.0;
  s->scara_run.fb_phi[5][0] = -1.0;
  update_graph_scales(*s, *s, s->layout);
  EXPECT_DOUBLE_EQ(s->cyl_run.scales.torque_per_unit[0], 0.25);
  EXPECT_DOUBLE_EQ(s->scara_run.scales.torque_per_unit[0], 0.0625);
  EXPECT_DOUBLE_EQ(s->cyl_run.scales.displacement_per_unit, 0.4 / 2.0);
  EXPECT_DOUBLE_EQ(s->scara_run.scales.displacement_min, -1.0);
  // A gravity change shows after the next update, not before.
  select_gravity(*s, 'h');
  EXPECT_DOUBLE_EQ(s->scara_run.scales.torque_per_unit[0], 0.0625);
  update_graph_scales(*s, *s, s->layout);
  EXPECT_DOUBLE_EQ(s->scara_run.scales.torque_per_unit[0], 0.03125);
  EXPECT_FALSE(s->cyl_run.scales.torque_shown[0]);  // no limit without gravity
}

}  // namespace
