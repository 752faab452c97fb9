#include "robot/motion_sample.h"

#include "robot/dynamics.h"
#include "robot/robot_kind.h"
#include "robot/torque_laws.h"

MotionTrack motion_track(RobotRun& rec, ControlMode mode) {
  if (mode == ControlMode::TimeOptimal) return {rec.toc_phi, rec.toc_tip, rec.toc_tau, rec.toc_dq};
  return {rec.fb_phi, rec.fb_tip, rec.fb_tau, rec.fb_dq};
}

void record_motion_sample(const Conditions& s, const RobotRun& run, Robot robot, ControlMode mode,
                          double t, const double y[6], const MotionTrack& track, int k) {
  if (k < 0 || k >= kRecordCapacity) return;
  double* phi = track.phi[k];
  double* tip = track.tip[k];
  double* tau = track.tau[k];
  phi[0] = y[0];
  phi[1] = y[1];
  track.dq[k][0] = y[2];
  track.dq[k][1] = y[3];
  model_kind(robot).tip(s, y[0], y[1], tip);
  const TorqueLaw law(s, run, robot, mode);
  tau[0] = law.joint(0, t, y);
  tau[1] = law.joint(1, t, y);
}

void record_motion(const Conditions& s, RobotRun& run, Robot robot, ControlMode mode,
                   const double phi0[2]) {
  const MotionTrack track = motion_track(run, mode);
  const int last = last_sample(s.frame_count);
  double y[6] = {phi0[0], phi0[1], 0.0, 0.0, 0.0, 0.0};
  record_motion_sample(s, run, robot, mode, 0 * s.dt, y, track, 0);

  const RobotDerivative deriv(s, run, robot, mode);
  double t = 0.0;
  for (int k = 1; k <= last; ++k) {
    advance_one_sample(deriv, t, s.dt, y);
    t = t + s.dt;
    record_motion_sample(s, run, robot, mode, k * s.dt, y, track, k);
  }
}
