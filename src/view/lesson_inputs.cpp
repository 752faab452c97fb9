#include "view/lesson_inputs.h"

#include "robot/torque_laws.h"
#include "view/scales.h"

LessonInputs gather_lesson_inputs(const Scenario& s) {
  LessonInputs in{};
  in.robot = s.robot;
  in.gravity = s.gravity;
  in.outcome = s.outcome;
  in.frame_count = s.frame_count < kRecordCapacity ? s.frame_count : kRecordCapacity - 1;
  in.shown = clamped_frame(s.frame_index);
  if (in.shown > in.frame_count) in.shown = in.frame_count;
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
  in.figures = &s;
  const RobotRecord* r = selected_record(s);
  if (r == nullptr) return in;
  in.tf = r->tt[3];
  for (int k = 0; k < 3; ++k) in.switching[k] = r->tt[k];
  for (int j = 0; j < 2; ++j) {
    in.start[j] = r->Phi0[j];
    in.goal[j] = r->Phif[j];
    in.limit[j] = torque_limit(*r, s.gravity, j);
  }
  in.toc_q = r->toc_phi;
  in.toc_dq = r->toc_dq;
  in.toc_tau = r->toc_tau;
  in.fb_q = r->fb_phi;
  in.fb_dq = r->fb_dq;
  in.fb_tau = r->fb_tau;
  in.toc_tip = r->toc_tip;
  in.fb_tip = r->fb_tip;
  return in;
}
