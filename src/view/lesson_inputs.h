// What the lesson view shows, gathered from the scenario in one place: the
// lesson describer reads nothing else, so a change in how the state is kept
// meets the lesson view here only. Header only, like the layout: the
// program's mouse handling can find where the robot area puts a point
// without linking the drawing code.
#pragma once

#include <algorithm>
#include <cmath>

#include "model/scenario.h"
#include "robot/torque_laws.h"
#include "view/lesson_layout.h"

struct LessonInputs {
  Robot robot;  // Other: no robot selected, nothing to plot
  Gravity gravity;
  SolveOutcome outcome;
  int frame_count;  // last stored sample
  int shown;        // sample shown, 0 .. frame_count
  double dt;        // between samples [s]
  double tfm;       // positioning time of the PID run [s]
  double tf;        // time-optimal terminal time [s]
  // The time-optimal run's torque, per joint: its arcs in time order, at a
  // limit or inside the limits (model/motion.h); count 0 without a motion.
  JointArcs arcs[2];
  double start[2], goal[2];  // joint values at the start and goal point
  double limit[2];           // joint torque (force) limits for the gravity selected
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
  bool computing;           // a new motion is being computed, the old one shown
  const char* window_note;  // why a dropped point changed nothing, or none
  double ghost_tf;          // final time before the last change made in the window; NaN: none
  // Where the time-optimal motion breaks Pontryagin's rule: a joint's
  // switching function changes sign away from its switches (joint 0 or 1).
  bool rule_broken;
  int rule_joint;
  double rule_at;  // [s]
  // The switching-function panel (key f): whether it is on, whether the
  // functions were worked out, and the time-optimal run's sigma_j by sample,
  // each joint's scaled to +-1 by its own largest magnitude.
  bool sigma_panel;
  bool sigma_valid;
  const double (*toc_sigma)[2];
  // The robot figures are those of the classic picture, drawn from the scenario.
  const Scenario* figures;
};

inline LessonInputs gather_lesson_inputs(const Scenario& s) {
  LessonInputs in{};
  in.robot = s.robot;
  in.gravity = s.gravity;
  in.outcome = s.outcome;
  in.frame_count = std::clamp(s.frame_count, 0, kRecordCapacity - 1);
  in.shown = std::clamp(s.frame_index, 0, in.frame_count);
  in.dt = s.dt;
  in.tfm = s.tfm;
  in.start_point[0] = s.x0;
  in.start_point[1] = s.y0;
  in.goal_point[0] = s.xf;
  in.goal_point[1] = s.yf;
  in.view_scale = s.view_scale;
  in.robot_base[0] = s.layout.robot_base[0];
  in.robot_base[1] = s.layout.robot_base[1];
  in.speed_log2 = s.playback.speed_log2;
  in.playing = s.playback.playing;
  in.answer_pending = s.answer_pending;
  in.computing = s.computing;
  in.window_note = s.window_note;
  in.ghost_tf = s.ghost_points > 0 ? s.ghost_tf : NAN;
  in.figures = &s;
  in.sigma_panel = s.sigma_panel;
  const RobotConditions* c = selected_conditions(s);
  const RobotRun* r = selected_run(s, s.robot);
  if (c == nullptr || r == nullptr) return in;
  in.tf = r->tt[3];
  in.rule_broken = r->sigma_valid && r->rule_broken;
  in.rule_joint = r->rule_joint;
  in.rule_at = r->rule_at;
  in.sigma_valid = r->sigma_valid;
  for (int j = 0; j < 2; ++j) {
    // The motion holds the arcs whatever its structure (tt[0..2] only for
    // the four intervals of the Newton passes); a count out of range is none.
    const JointArcs& a = r->motion.joint[j];
    if (a.count >= 1 && a.count <= kMaxJointArcs) in.arcs[j] = a;
    in.start[j] = c->Phi0[j];
    in.goal[j] = c->Phif[j];
    in.limit[j] = torque_limit(*c, s.gravity, j);
  }
  in.toc_q = r->toc_phi;
  in.toc_dq = r->toc_dq;
  in.toc_tau = r->toc_tau;
  in.fb_q = r->fb_phi;
  in.fb_dq = r->fb_dq;
  in.fb_tau = r->fb_tau;
  in.toc_tip = r->toc_tip;
  in.fb_tip = r->fb_tip;
  in.toc_sigma = r->toc_sigma;
  return in;
}

// Time of the last sample [s].
inline double time_span(const LessonInputs& in) { return in.frame_count * in.dt; }

// Whether there are records of a solution to plot.
inline bool has_motion(const LessonInputs& in) {
  return in.robot != Robot::Other && in.outcome.found && in.toc_q != nullptr;
}

// Room about the motion in the robot area: the figures reach past the tip.
inline constexpr double kRobotAreaMargin = 0.2;

// How the robot area's picture is placed: the square about the start, the
// goal, joint 1 and every recorded tip position (with room for the figures)
// fitted into the area.
inline lesson::Placement robot_placement(const LessonInputs& in) {
  const double vs = in.view_scale;
  double x0 = 0.0, x1 = 0.0, y0 = 0.0, y1 = 0.0;  // joint 1 is always in
  const auto take = [&](const double p[2]) {
    if (!std::isfinite(p[0]) || !std::isfinite(p[1])) return;
    x0 = std::min(x0, p[0]), x1 = std::max(x1, p[0]);
    y0 = std::min(y0, p[1]), y1 = std::max(y1, p[1]);
  };
  take(in.start_point);
  take(in.goal_point);
  if (has_motion(in))
    for (int i = 0; i <= in.frame_count; ++i) take(in.toc_tip[i]), take(in.fb_tip[i]);
  const double half = vs * (std::max(x1 - x0, y1 - y0) / 2.0 + kRobotAreaMargin);
  const Point centre{vs * (in.robot_base[0] + (x0 + x1) / 2.0),
                     vs * (in.robot_base[1] + (y0 + y1) / 2.0)};
  const DrawingRect& a = lesson::kRobotArea;
  const double fit = std::min(a.x1 - a.x0, a.y1 - a.y0) / 2.0;
  return lesson::Placement{centre, Point{(a.x0 + a.x1) / 2.0, (a.y0 + a.y1) / 2.0}, fit / half};
}
