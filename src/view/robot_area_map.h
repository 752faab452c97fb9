// Between the window's pixels and the robot area's metres: where the pointer
// is in the task's plane, and which task point (the start, the goal) lies
// under it. Header only, so that the dialogue's side can use it without the
// drawing code. Pure arithmetic, the inverse of how the robot area is drawn in
// the view shown (the lesson view fits the area to the motion).
#pragma once

#include <cmath>

#include "model/scenario.h"
#include "robot/robot_kind.h"
#include "view/lesson_inputs.h"
#include "view/primitives.h"
#include "view/viewport.h"

enum class TaskPoint { None, Start, Goal };

// Within this many pixels of a task point the pointer takes hold of it.
constexpr double kGrabPixels = 8.0;

namespace robot_area_detail {

// The picture's square in the window, as view/viewport.h places it (its
// arithmetic repeated here so that this header needs no library).
inline SquareViewport picture_square(int width, int height) {
  const int w = width < 0 ? 0 : width, h = height < 0 ? 0 : height;
  const int side = w < h ? w : h;
  return SquareViewport{(w - side) / 2, (h - side) / 2, side};
}

// Drawing coordinates (-1 .. 1 across the picture's square) of the window
// pixel centre (px, py) from the top left, and back.
inline Point window_to_drawing(double px, double py, int width, int height) {
  const SquareViewport vp = picture_square(width, height);
  const double from_bottom = height - py;
  return Point{2.0 * (px - vp.x) / vp.side - 1.0, 2.0 * (from_bottom - vp.y) / vp.side - 1.0};
}

inline Point drawing_to_window(const Point& d, int width, int height) {
  const SquareViewport vp = picture_square(width, height);
  const double from_bottom = vp.y + (d.y + 1.0) * vp.side / 2.0;
  return Point{vp.x + (d.x + 1.0) * vp.side / 2.0, height - from_bottom};
}

// The start of the motion shown: its tip at the first sample.
inline Point start_point(const Scenario& s) {
  const RobotRun& rec = model_run(s, s.robot);
  return Point{rec.toc_tip[0][0], rec.toc_tip[0][1]};
}

}  // namespace robot_area_detail

// The point of the task plane [m] at the top left corner of window pixel
// (px, py), counted from the window's top left as GLUT reports the pointer,
// in a width x height window.
inline Point pointer_in_metres(const Scenario& s, int px, int py, int width, int height) {
  // Drawn at view_scale x (robot base + p), placed into its area in the
  // lesson view: p = unplaced drawing / view_scale - base. The pointer stands
  // at its pixel's top left corner: in an 800 x 800 window whole pixels of
  // the classic picture are then multiples of 2.5 mm, so a point can be put
  // exactly on a round position such as (0.2, 0.8).
  Point d = robot_area_detail::window_to_drawing(px, py, width, height);
  if (s.view_mode == ViewMode::Lesson) d = robot_placement(gather_lesson_inputs(s)).unapply(d);
  return Point{d.x / s.view_scale - s.layout.robot_base[0], d.y / s.view_scale - s.layout.robot_base[1]};
}

// Window pixel (from the top left) where the task plane's point p [m] is drawn.
inline Point metres_in_window(const Scenario& s, const Point& p, int width, int height) {
  Point d{s.view_scale * (s.layout.robot_base[0] + p.x),
          s.view_scale * (s.layout.robot_base[1] + p.y)};
  if (s.view_mode == ViewMode::Lesson) d = robot_placement(gather_lesson_inputs(s)).apply(d);
  return robot_area_detail::drawing_to_window(d, width, height);
}

// The task point within kGrabPixels of window pixel (px, py): the start (the
// tip at the first sample of the motion shown) or the goal, the nearer one
// when both are; None without a robot shown.
inline TaskPoint task_point_at(const Scenario& s, int px, int py, int width, int height) {
  if (robot_kind(s.robot) == nullptr) return TaskPoint::None;
  if (width <= 0 || height <= 0) return TaskPoint::None;
  const Point pointer{px + 0.5, py + 0.5};
  auto distance = [&](const Point& p) {
    const Point w = metres_in_window(s, p, width, height);
    return std::hypot(w.x - pointer.x, w.y - pointer.y);
  };
  const double to_start = distance(robot_area_detail::start_point(s));
  const double to_goal = distance(Point{s.xf, s.yf});
  if (!(to_start <= kGrabPixels) && !(to_goal <= kGrabPixels)) return TaskPoint::None;
  return to_goal <= to_start ? TaskPoint::Goal : TaskPoint::Start;
}
