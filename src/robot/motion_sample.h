// What both recorded runs (time-optimal and feedback) share: the step from one
// stored sample to the next, and the contents of one stored sample.
#pragma once

#include "robot/runge_kutta_gill.h"
#include "scenario/scenario.h"

constexpr int kSubstepsPerSample = 10;  // integration steps between stored samples

// Last sample index the records can hold for a given frame_count.
inline int last_sample(int frame_count) {
  return frame_count > kRecordCapacity - 1 ? kRecordCapacity - 1 : frame_count;
}

// Advances the robot state y from time t by one sample of length dt: ten
// Runge-Kutta-Gill steps of dt/10, the time carried on by repeated addition.
template <class Deriv>
inline void advance_one_sample(const Deriv& deriv, double t, double dt, double (&y)[6]) {
  const double h = dt / kSubstepsPerSample;
  double ts = t;
  for (int step = 0; step < kSubstepsPerSample; ++step) {
    runge_kutta_gill(deriv, ts, h, y, y);
    ts = ts + h;
  }
}

// One stored sample at time t: joint displacements, tip position relative to
// joint 1 and both joint torques of the control mode's law ('T' or 'F').
void record_motion_sample(const Scenario& s, char robot, char mode, double t, const double y[6],
                          double phi[2], double tip[2], double tau[2]);
