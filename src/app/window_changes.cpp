// Changes of the task made in the window: points dragged, the elbow branch
// switched, and undoing them. Each runs the dialogue's recomputation with
// its console report, as the same change made through the console would.
#include <algorithm>
#include <cmath>

#include "app/session.h"
#include "view/robot_area_map.h"
#include "robot/conditions.h"
#include "robot/robot_kind.h"

namespace {

constexpr std::size_t kUndoDepth = 20;  // changes that can be undone, latest first

// A coordinate as the user would type it: 4 decimals. round(v 10^4) and 10^4
// are exact, so the quotient is the double closest to the decimal, as strtod
// reads it.
double as_typed(double v) { return std::round(v * 1e4) / 1e4; }

}  // namespace

bool task_reachable(const Conditions& c, double x0, double y0, double xf, double yf) {
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

void Session::remember() {
  s_.window_note = nullptr;
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
  if (!task_reachable(s_, x0, y0, xf, yf)) return false;
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
  const bool sigma_panel = s_.sigma_panel;
  const RatioSweep sweep = s_.sweep;  // the sweep's own computation decides what is kept
  s_ = *undo_.back();
  undo_.pop_back();
  s_.view_mode = mode;
  s_.sigma_panel = sigma_panel;
  s_.playback = playback;
  s_.sweep = sweep;
  pause(s_.playback);
  s_.frame_index = 0;
  s_.view_scale = 1.0;
  s_.answer_pending = false;
  s_.computing = false;
  refresh_sweep();
  return true;
}

KeyAction Session::drag_point(const MouseEvent& e) {
  const Point p = pointer_in_metres(s_, e.x, e.y, e.width, e.height);
  if (e.phase == MousePhase::Press) {
    grip_ = task_point_at(s_, e.x, e.y, e.width, e.height) == TaskPoint::Start ? Grip::Start
                                                                                : Grip::Goal;
    s_.window_note = nullptr;
  }
  // The task as it would be with the point dropped here.
  const RobotRun& run = model_run(s_, s_.robot);
  const bool start = grip_ == Grip::Start;
  const double x0 = start ? p.x : run.toc_tip[0][0], y0 = start ? p.y : run.toc_tip[0][1];
  const double xf = start ? s_.xf : p.x, yf = start ? s_.yf : p.y;
  const bool reachable = task_reachable(s_, as_typed(x0), as_typed(y0), as_typed(xf), as_typed(yf));
  if (e.phase != MousePhase::Release) {
    s_.drag_point = start ? 1 : 2;
    s_.drag_x = p.x;
    s_.drag_y = p.y;
    s_.drag_reachable = reachable;
    return KeyAction::Redraw;
  }
  grip_ = Grip::None;
  s_.drag_point = 0;
  if (!move_points(x0, y0, xf, yf) && !reachable)
    s_.window_note = "The arm cannot reach that point: nothing changed.";
  return KeyAction::Redraw;
}
