// The time-optimal solution as the dialogue computes it (recompute.h) on the
// reference tasks: the winning pass, stored switching times and signs, and the
// recorded motion.
#include "app/recompute.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "robot/motion_sample.h"
#include "toc/newton.h"
#include "toc/reference_cases.h"

namespace {

struct Case {
  std::unique_ptr<Scenario> s = std::make_unique<Scenario>();
  Case(char robot, char gravity) { setup_default_case(*s, robot, gravity); }
  RobotRun& rec() { return model_run(*s, s->robot); }
};

void expect_solution(const RobotRun& rec, const double (&tt)[4], const double (&sign)[4][2]) {
  for (int k = 0; k < 4; ++k) {
    EXPECT_NEAR(rec.tt[k], tt[k], 5e-4) << "tt[" << k << "]";
    EXPECT_EQ(rec.torque_sign[k][0], sign[k][0]) << "interval " << k;
    EXPECT_EQ(rec.torque_sign[k][1], sign[k][1]) << "interval " << k;
  }
}

// The pass for s2 from the driver's estimate: 0.6 of joint 1's rest-to-rest time
// at full torque with the start inertia I1.
NewtonPassResult pass_from_estimate(const Scenario& s, double I1, int s2) {
  const RobotConditions& rec = model_conditions(s, s.robot);
  const double tf0 = 0.6 * (2 * std::sqrt(std::fabs(rec.Phif[0] - rec.Phi0[0]) * I1 / rec.tau1max_h));
  const double z[4] = {0.25 * tf0, 0.5 * tf0, 0.75 * tf0, tf0};
  const double start[4] = {rec.Phi0[0], rec.Phi0[1], 0, 0}, target[4] = {rec.Phif[0], rec.Phif[1], 0, 0};
  return newton_pass(ShootingModel(s, s.robot), start, target, 1, s2, z);
}

const double kCylSigns[4][2] = {{1, -1}, {1, 1}, {-1, 1}, {-1, -1}};

}  // namespace

TEST(TimeOptimal, CylindricalWithoutGravityKeepsPassOne) {
  Case c('a', 'h');
  const SwitchingSolution r = recompute_time_optimal(*c.s, SolverChoice::Extended);
  ASSERT_TRUE(r.found);
  EXPECT_TRUE(r.pass[0].accepted);
  EXPECT_LT(r.pass[0].final_time, r.pass[1].final_time);  // pass 1 wins
  const RobotRun& rec = c.rec();
  expect_solution(rec, {0.704, 0.827, 0.950, 1.654}, kCylSigns);
  EXPECT_NEAR(rec.tt[1], rec.tt[3] / 2, 1e-3);  // a swing symmetric in time
  EXPECT_NEAR(rec.tt[0] + rec.tt[2], rec.tt[3], 1e-3);
  const NewtonPassResult p2 = pass_from_estimate(*c.s, 0.64 + 0.36, +1);
  EXPECT_FALSE(p2.failed);
  EXPECT_NEAR(p2.plan.tt[3], 1.825, 5e-4);
}

TEST(TimeOptimal, CylindricalWithGravityLosesPassTwo) {
  Case c('a', 'g');
  const SwitchingSolution r = recompute_time_optimal(*c.s, SolverChoice::Extended);
  ASSERT_TRUE(r.found);
  EXPECT_FALSE(r.pass[1].converged);
  EXPECT_EQ(r.pass[1].final_time, kFailedFinalTime);
  expect_solution(c.rec(), {0.207, 0.502, 0.631, 0.750}, kCylSigns);
  const NewtonPassResult p2 = pass_from_estimate(*c.s, 0.64 + 0.36, +1);
  EXPECT_TRUE(p2.failed);
  EXPECT_EQ(p2.updates, kNewtonMaxIterations);
  EXPECT_TRUE(p2.z[0] < 0 || p2.z[1] < 0 || p2.z[2] < 0);
}

TEST(TimeOptimal, ScaraWithoutGravityKeepsPassTwo) {
  Case c('b', 'h');
  const SwitchingSolution r = recompute_time_optimal(*c.s, SolverChoice::Extended);
  ASSERT_TRUE(r.found);
  EXPECT_LT(r.pass[1].final_time, r.pass[0].final_time);  // pass 2 wins
  expect_solution(c.rec(), {0.401, 0.695, 1.083, 1.390}, {{1, 1}, {1, -1}, {-1, -1}, {-1, 1}});
  const ScaraConditions& b = c.s->scara;
  const RobotRun& b_run = c.s->scara_run;
  const double reach = b.l1 + b.l2 * std::cos(b.Phi0[1]);
  const NewtonPassResult p1 = pass_from_estimate(*c.s, reach * reach + b.IM1 + b.IJ1, -1);
  EXPECT_FALSE(p1.failed);
  EXPECT_NEAR(p1.plan.tt[3], 1.658, 5e-4);
  // The record runs from (0.8, 0) to (0, 0.8).
  EXPECT_NEAR(b_run.toc_tip[0][0], 0.8, 1e-12);
  EXPECT_NEAR(b_run.toc_tip[200][1], 0.8, 1e-3);
}

TEST(TimeOptimal, MotionRecordFollowsTheBangBangLawThenHolds) {
  Case c('a', 'h');
  ASSERT_TRUE(recompute_time_optimal(*c.s, SolverChoice::Extended).found);
  const Scenario& s = *c.s;
  const CylConditions& rec = s.cyl;
  const RobotRun& rec_run = s.cyl_run;
  const double limit[2] = {rec.tau1max_h, rec.tau2max_h};
  EXPECT_EQ(rec_run.toc_phi[0][0], 0.0);
  EXPECT_EQ(rec_run.toc_phi[0][1], 0.8);
  for (int k = 0; k <= s.frame_count; ++k) {
    EXPECT_NEAR(rec_run.toc_tip[k][0], rec_run.toc_phi[k][1] * std::cos(rec_run.toc_phi[k][0]), 1e-15);
    EXPECT_NEAR(rec_run.toc_tip[k][1], rec_run.toc_phi[k][1] * std::sin(rec_run.toc_phi[k][0]), 1e-15);
    int interval = 0;  // intervals are closed on the left
    while (interval < 4 && k * s.dt >= rec_run.tt[interval]) ++interval;
    for (int j = 0; j < 2; ++j) {
      if (interval < 4) {
        EXPECT_EQ(rec_run.toc_tau[k][j], rec_run.torque_sign[interval][j] * limit[j]) << k;
      } else {
        EXPECT_LT(std::fabs(rec_run.toc_tau[k][j]), limit[j]) << k;  // the PID hold
      }
    }
  }
  EXPECT_NEAR(rec_run.toc_phi[200][0], PI / 2, 1e-4);  // held at the end point up to 4 s
  EXPECT_NEAR(rec_run.toc_phi[200][1], 0.8, 1e-4);
  EXPECT_LT(std::fabs(rec_run.toc_tau[200][0]), 0.01);
}

TEST(TimeOptimal, NoJointOneMotionStoresPassTwoOnEqualTimes) {
  // Start equals end: T = 0, both passes converge at once on four zeros, s1 = -1.
  Case c('a', 'h');
  CylConditions& rec = c.s->cyl;
  RobotRun& rec_run = c.s->cyl_run;
  rec.Phif[0] = rec.Phi0[0];
  rec.Phif[1] = rec.Phi0[1];
  ASSERT_TRUE(find_switching_times(*c.s, model_run(*c.s, c.s->robot), c.s->robot).found);
  // Rule 3 with s1 = -1 and pass 2's s2 = +1 (pass 1 would start with (-1, -1)).
  expect_solution(rec_run, {0, 0, 0, 0}, {{-1, 1}, {-1, -1}, {-1, 1}, {1, 1}});
}

TEST(TimeOptimal, NoSolutionChangesNothing) {
  Case c('a', 'h');
  CylConditions& rec = c.s->cyl;
  RobotRun& rec_run = c.s->cyl_run;
  rec.tau1max_h = rec.tau2max_h = 0.0;  // nothing moves: both passes hit the limit
  rec_run.tt[2] = 7.0;
  rec_run.torque_sign[2][1] = 5.0;
  rec_run.toc_phi[3][0] = 42.0;
  EXPECT_FALSE(recompute_time_optimal(*c.s, SolverChoice::Extended).found);
  EXPECT_EQ(rec_run.tt[2], 7.0);
  EXPECT_EQ(rec_run.torque_sign[2][1], 5.0);
  EXPECT_EQ(rec_run.toc_phi[3][0], 42.0);
}

TEST(TimeOptimal, FramesBeyondTheRecordsAreNotWritten) {
  Case c('a', 'h');
  c.s->frame_count = 600;
  c.s->cyl_run.fb_phi[0][0] = -123.0;  // the array after toc_tau
  ASSERT_TRUE(recompute_time_optimal(*c.s, SolverChoice::Extended).found);
  const MotionTrack track = motion_track(c.s->cyl_run, ControlMode::TimeOptimal);
  record_motion_sample(*c.s, c.s->cyl_run, Robot::Cylindrical, ControlMode::TimeOptimal, 0.0,
                       c.s->cyl_run.toc_phi[0], track, kRecordCapacity);
  record_motion_sample(*c.s, c.s->cyl_run, Robot::Cylindrical, ControlMode::TimeOptimal, 0.0,
                       c.s->cyl_run.toc_phi[0], track, -1);
  EXPECT_EQ(c.s->cyl_run.fb_phi[0][0], -123.0);
  EXPECT_NEAR(c.s->cyl_run.toc_phi[kRecordCapacity - 1][0], PI / 2, 1e-3);
}
