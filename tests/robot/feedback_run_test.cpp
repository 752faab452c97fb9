// The PID-controlled run on the common time grid and its records.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "robot/motion_sample.h"
#include "robot/torque_laws.h"
#include "toc/reference_cases.h"

namespace {

// The feedback run as the dialogue makes it: from rest at the robot's start.
void run_feedback(Scenario& s, Robot robot) {
  record_motion(s, model_run(s, robot), robot, ControlMode::Feedback, model_conditions(s, robot).Phi0);
}

std::unique_ptr<Scenario> run_default(char robot, char gravity, int frame_count = 200) {
  auto s = std::make_unique<Scenario>();
  setup_default_case(*s, robot, gravity);
  s->frame_count = frame_count;
  if (frame_count + 1 < kRecordCapacity) s->cyl_run.fb_phi[frame_count + 1][0] = -7.0;  // must stay
  run_feedback(*s, parse_robot(robot));
  return s;
}

}  // namespace

TEST(FeedbackRun, DefaultCylindricalSwingReachesItsGoalInTime) {
  auto s = run_default('a', 'h');
  const CylConditions& rec = s->cyl;
  const RobotRun& rec_run = s->cyl_run;
  EXPECT_EQ(rec_run.fb_phi[0][0], 0.0);
  EXPECT_EQ(rec_run.fb_phi[0][1], 0.8);
  EXPECT_EQ(rec_run.fb_tau[0][0], 0.0);  // on the reference at rest: no torque
  EXPECT_EQ(rec_run.fb_tau[0][1], 0.0);
  ASSERT_EQ(static_cast<int>(s->tfm / s->dt), 128);  // the dialogue's saturation sample
  EXPECT_NEAR(rec_run.fb_phi[128][0], PI / 2, 0.01);
  for (int i = 0; i <= 200; ++i) {
    EXPECT_NEAR(rec_run.fb_phi[i][1], 0.8, 1e-3) << i;  // r barely moves
    EXPECT_NEAR(rec_run.fb_tip[i][0], rec_run.fb_phi[i][1] * std::cos(rec_run.fb_phi[i][0]), 1e-15);
    EXPECT_NEAR(rec_run.fb_tip[i][1], rec_run.fb_phi[i][1] * std::sin(rec_run.fb_phi[i][0]), 1e-15);
    EXPECT_LE(std::fabs(rec_run.fb_tau[i][0]), rec.tau1max_h);
  }
  EXPECT_NEAR(rec_run.fb_phi[200][0], PI / 2, 1e-3);  // the end point is held after tfm
  EXPECT_LT(std::fabs(rec_run.fb_tau[200][0]), 0.01);
  EXPECT_EQ(rec_run.fb_phi[201][0], -7.0);  // exactly frame_count + 1 records
}

TEST(FeedbackRun, GravitySagsTheArmBeforeThePidCatchesUp) {
  auto s = run_default('a', 'g');
  EXPECT_EQ(s->cyl_run.fb_tau[0][0], 0.0);
  EXPECT_LT(s->cyl_run.fb_phi[1][0], 0.0);  // falls while the reference rises
  EXPECT_NEAR(s->cyl_run.fb_phi[128][0], PI / 2, 0.01);
}

TEST(FeedbackRun, ScaraRunLeavesTheCylindricalRecordAlone) {
  auto s = run_default('b', 'h', 150);
  EXPECT_NEAR(s->scara_run.fb_tip[0][0], 0.8, 1e-12);
  EXPECT_NEAR(s->scara_run.fb_tip[150][1], 0.8, 1e-3);
  EXPECT_EQ(s->cyl_run.fb_phi[5][0], 0.0);
  EXPECT_EQ(s->cyl_run.fb_phi[151][0], -7.0);
}

TEST(FeedbackRun, NothingBeyondTheRecordsIsWritten) {
  auto s = run_default('a', 'h', kRecordCapacity - 1);
  const double following = s->cyl.L;  // the field after the records
  s->frame_count = 700;
  run_feedback(*s, Robot::Cylindrical);
  const MotionTrack track = motion_track(s->cyl_run, ControlMode::Feedback);
  record_motion_sample(*s, s->cyl_run, Robot::Cylindrical, ControlMode::Feedback, 0.0, s->cyl_run.fb_tau[0], track,
                       kRecordCapacity);
  record_motion_sample(*s, s->cyl_run, Robot::Cylindrical, ControlMode::Feedback, 0.0, s->cyl_run.fb_tau[0], track,
                       -1);
  EXPECT_EQ(s->cyl.L, following);
  EXPECT_NEAR(s->cyl_run.fb_phi[kRecordCapacity - 1][0], PI / 2, 1e-3);
}

TEST(FeedbackRun, RecordTimeIsTheIndexTimesTheSampleStep) {
  auto s = run_default('a', 'h');
  // A state on the reference at sample 30 (0.6 s) gets no torque there, but does at 31.
  const CylConditions& c = s->cyl;
  const double t = 30 * s->dt;
  const ReferencePoint ref[2] = {
      reference_profile(t, c.tf / 2, c.tf, c.Phi0[0], c.Phif[0], c.alpha1),
      reference_profile(t, c.tf / 2, c.tf, c.Phi0[1], c.Phif[1], c.a2)};
  const double y[6] = {ref[0].position, ref[1].position, ref[0].velocity, ref[1].velocity, 0, 0};
  const MotionTrack track = motion_track(s->cyl_run, ControlMode::Feedback);
  record_motion_sample(*s, s->cyl_run, Robot::Cylindrical, ControlMode::Feedback, 30 * s->dt, y, track, 30);
  EXPECT_EQ(s->cyl_run.fb_tau[30][0], 0.0);
  record_motion_sample(*s, s->cyl_run, Robot::Cylindrical, ControlMode::Feedback, 31 * s->dt, y, track, 31);
  EXPECT_GT(std::fabs(s->cyl_run.fb_tau[31][0]), 0.1);
}
