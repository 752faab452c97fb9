// What the lesson view shows, gathered from the scenario in one place: the
// lesson describer reads nothing else, so a change in how the state is kept
// meets the lesson view here only.
#pragma once

#include "model/scenario.h"

struct LessonInputs {
  Robot robot;      // Other: no robot selected, nothing to plot
  Gravity gravity;
  SolveOutcome outcome;
  int frame_count;  // last stored sample
  int shown;        // sample shown, 0 .. frame_count
  double dt;        // between samples [s]
  double tfm;       // positioning time of the PID run [s]
  double tf;        // time-optimal terminal time [s]
  double switching[3];  // the time-optimal run's switching times [s]
  double start[2], goal[2];      // joint values at the start and goal point
  double limit[2];               // joint torque (force) limits for the gravity selected
  // The records, samples 0 .. frame_count (null without a robot).
  const double (*toc_q)[2];
  const double (*toc_dq)[2];
  const double (*toc_tau)[2];
  const double (*fb_q)[2];
  const double (*fb_dq)[2];
  const double (*fb_tau)[2];
  const double (*toc_tip)[2];
  const double (*fb_tip)[2];
  double start_point[2], goal_point[2];  // tip positions [m], relative to joint 1
  double view_scale;
  double robot_base[2];
  // Readout.
  int speed_log2;
  bool playing;
  bool answer_pending;
  // The robot figures are those of the classic picture, drawn from the scenario.
  const Scenario* figures;
};

LessonInputs gather_lesson_inputs(const Scenario& s);

// Time of the last sample [s].
inline double time_span(const LessonInputs& in) { return in.frame_count * in.dt; }

// Whether there are records of a solution to plot.
inline bool has_motion(const LessonInputs& in) {
  return in.robot != Robot::Other && in.outcome.found && in.toc_q != nullptr;
}
