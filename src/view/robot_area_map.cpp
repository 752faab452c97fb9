#include "view/robot_area_map.h"

#include <cmath>

#include "robot/robot_kind.h"
#include "view/viewport.h"

namespace {

// Drawing coordinates (-1 .. 1 across the picture's square) of the window
// pixel centre (px, py) from the top left, and back.
Point window_to_drawing(double px, double py, int width, int height) {
  const SquareViewport vp = square_viewport(width, height);
  const double from_bottom = height - py;
  return Point{2.0 * (px - vp.x) / vp.side - 1.0, 2.0 * (from_bottom - vp.y) / vp.side - 1.0};
}

Point drawing_to_window(const Point& d, int width, int height) {
  const SquareViewport vp = square_viewport(width, height);
  const double from_bottom = vp.y + (d.y + 1.0) * vp.side / 2.0;
  return Point{vp.x + (d.x + 1.0) * vp.side / 2.0, height - from_bottom};
}

// The start of the motion shown: its tip at the first sample.
Point start_point(const Scenario& s) {
  const RobotRun& rec = model_run(s, s.robot);
  return Point{rec.toc_tip[0][0], rec.toc_tip[0][1]};
}

}  // namespace

Point pointer_in_metres(const Scenario& s, int px, int py, int width, int height) {
  // Drawn at view_scale x (robot base + p): p = drawing / view_scale - base.
  // The pointer stands at its pixel's top left corner: in an 800 x 800
  // window whole pixels are then multiples of 2.5 mm, so a point can be put
  // exactly on a round position such as (0.2, 0.8).
  const Point d = window_to_drawing(px, py, width, height);
  return Point{d.x / s.view_scale - s.layout.robot_base[0], d.y / s.view_scale - s.layout.robot_base[1]};
}

Point metres_in_window(const Scenario& s, const Point& p, int width, int height) {
  const Point d{s.view_scale * (s.layout.robot_base[0] + p.x),
                s.view_scale * (s.layout.robot_base[1] + p.y)};
  return drawing_to_window(d, width, height);
}

TaskPoint task_point_at(const Scenario& s, int px, int py, int width, int height) {
  if (robot_kind(s.robot) == nullptr) return TaskPoint::None;
  if (width <= 0 || height <= 0) return TaskPoint::None;
  const Point pointer{px + 0.5, py + 0.5};
  auto distance = [&](const Point& p) {
    const Point w = metres_in_window(s, p, width, height);
    return std::hypot(w.x - pointer.x, w.y - pointer.y);
  };
  const double to_start = distance(start_point(s));
  const double to_goal = distance(Point{s.xf, s.yf});
  if (!(to_start <= kGrabPixels) && !(to_goal <= kGrabPixels)) return TaskPoint::None;
  return to_goal <= to_start ? TaskPoint::Goal : TaskPoint::Start;
}
