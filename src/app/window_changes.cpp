// Changes of the task made in the window: points dragged, the elbow branch
// switched, and undoing them. Each runs the dialogue's recomputation with
// its console report, as the same change made through the console would.
#include <algorithm>
#include <cmath>

#include "app/session.h"
#include "robot/conditions.h"
#include "robot/robot_kind.h"

namespace {

constexpr std::size_t kUndoDepth = 20;  // changes that can be undone, latest first

// A coordinate as the user would type it: 4 decimals. round(v 10^4) and 10^4
// are exact, so the quotient is the double closest to the decimal, as strtod
// reads it.
double as_typed(double v) { return std::round(v * 1e4) / 1e4; }

// Whether the arm reaches both points on its elbow branch (an arm without
// one reaches every point it is asked to).
bool reaches(const Conditions& c, double x0, double y0, double xf, double yf) {
  const RobotKind* kind = robot_kind(c.robot);
  if (kind == nullptr || !kind->has_elbow) return true;
  Conditions trial = c;
  trial.x0 = x0;
  trial.y0 = y0;
  trial.xf = xf;
  trial.yf = yf;
  if (trial.elbow == Elbow::Other) trial.elbow = Elbow::Down;
  const TaskReach reach = compute_scara_task_angles(trial);
  return reach.start && reach.end;
}

}  // namespace

void Session::remember() {
  undo_.push_back(std::make_unique<Scenario>(s_));
  if (undo_.size() > kUndoDepth) undo_.erase(undo_.begin());
  const RobotRun& rec = model_run(s_, s_.robot);
  s_.ghost_points = std::min(s_.frame_count + 1, kRecordCapacity);
  std::copy(&rec.toc_tip[0][0], &rec.toc_tip[0][0] + 2 * s_.ghost_points, &s_.ghost_tip[0][0]);
  s_.ghost_tf = rec.tt[3];
}

bool Session::move_points(double x0, double y0, double xf, double yf) {
  x0 = as_typed(x0);
  y0 = as_typed(y0);
  xf = as_typed(xf);
  yf = as_typed(yf);
  if (!std::isfinite(x0) || !std::isfinite(y0) || !std::isfinite(xf) || !std::isfinite(yf))
    return false;
  if (!reaches(s_, x0, y0, xf, yf)) return false;
  if (!supersede()) return false;
  remember();
  pause(s_.playback);
  s_.x0 = x0;
  s_.y0 = y0;
  s_.xf = xf;
  s_.yf = yf;
  compute_cyl_task_angles(s_);
  s_.frame_index = 0;
  start_dialogue(DialogueEntry::Window);
  return true;
}

bool Session::toggle_elbow() {
  const RobotKind* kind = robot_kind(s_.robot);
  if (kind == nullptr || !kind->has_elbow || !supersede()) return false;
  remember();
  pause(s_.playback);
  s_.elbow = s_.elbow == Elbow::Up ? Elbow::Down : Elbow::Up;
  s_.frame_index = 0;
  start_dialogue(DialogueEntry::Window);
  return true;
}

bool Session::undo() {
  if (undo_.empty() || !supersede()) return false;
  // The conditions and motion come back as they were; how the window shows
  // them stays as it is now.
  const ViewMode mode = s_.view_mode;
  const Playback playback = s_.playback;
  s_ = *undo_.back();
  undo_.pop_back();
  s_.view_mode = mode;
  s_.playback = playback;
  pause(s_.playback);
  s_.frame_index = 0;
  s_.view_scale = 1.0;
  s_.answer_pending = false;
  s_.computing = false;
  return true;
}
