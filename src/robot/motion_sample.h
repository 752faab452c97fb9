// What both recorded runs (time-optimal and feedback) share: the step from one
// stored sample to the next, and the contents of one stored sample.
#pragma once

#include "model/sample_step.h"
#include "model/scenario.h"
#include "robot/robot_kind.h"
#include "robot/runge_kutta_gill.h"

constexpr int kSubstepsPerSample = 10;  // integration steps between stored samples

// Advances the robot state y from time t by one sample of length dt: ten
// Runge-Kutta-Gill steps of dt/10.
template <class Deriv>
inline void advance_one_sample(const Deriv& deriv, double t, double dt, double (&y)[6]) {
  runge_kutta_gill_steps(deriv, t, dt / kSubstepsPerSample, kSubstepsPerSample, y);
}

// Which motion record of a robot a run fills.
struct MotionTrack {
  double (*phi)[2];
  double (*tip)[2];
  double (*tau)[2];
  double (*dq)[2];
};
MotionTrack motion_track(RobotRun& run, ControlMode mode);

// One stored sample k at time t: joint displacements, tip position relative to
// joint 1, both joint torques of the control mode's law, and the joint
// velocities of the integrated state. Samples outside
// the record are not stored.
void record_motion_sample(const Conditions& s, const RobotRun& run, Robot robot, ControlMode mode,
                          double t, const double y[6], const MotionTrack& track, int k);

// Fills samples 0..last_sample(frame_count) of the robot's run for `mode`:
// from rest at phi0, one sample of dt after the other.
void record_motion(const Conditions& s, RobotRun& run, Robot robot, ControlMode mode,
                   const double phi0[2]);
