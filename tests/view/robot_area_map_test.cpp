// The pointer in the robot area: pixels to metres and back as the area is
// drawn, in square and other windows and at any zoom, and which task point
// the pointer takes hold of.
#include "view/robot_area_map.h"

#include <gtest/gtest.h>

#include <cmath>

#include "view/figures.h"
#include "view/viewport.h"
#include "view_harness.h"

namespace {

struct WindowSize {
  int width, height;
};

// The window pixel (from the top left) whose centre is nearest to p.
void pixel_of(const Scenario& s, const Point& p, WindowSize w, int& px, int& py) {
  const Point at = metres_in_window(s, p, w.width, w.height);
  px = static_cast<int>(std::floor(at.x));
  py = static_cast<int>(std::floor(at.y));
}

TEST(RobotAreaMap, PixelsAndMetresBothWays) {
  auto s = viewtest::make_scenario('a', 'h');
  for (WindowSize w : {WindowSize{800, 800}, WindowSize{1200, 700}, WindowSize{600, 900}}) {
    for (double scale : {1.0, 0.5, 1.9}) {
      s->view_scale = scale;
      const SquareViewport vp = square_viewport(w.width, w.height);
      // The pointer stands at a pixel corner: within one pixel of the point.
      const double metres_per_pixel = 2.0 / vp.side / scale * (1 + 1e-9);
      for (Point p : {Point{0.0, 0.8}, Point{0.8, 0.0}, Point{-0.31, 0.27}}) {
        int px, py;
        pixel_of(*s, p, w, px, py);
        const Point back = pointer_in_metres(*s, px, py, w.width, w.height);
        EXPECT_NEAR(back.x, p.x, metres_per_pixel) << w.width << "x" << w.height << " " << scale;
        EXPECT_NEAR(back.y, p.y, metres_per_pixel);
      }
    }
  }
  // Whole pixels of an 800 x 800 window are multiples of 2.5 mm: the pointer
  // puts a point on (0.2, 0.8), to rounding, which 4 decimals take away.
  s->view_scale = 1.0;
  const Point round = pointer_in_metres(*s, 280, 280, 800, 800);
  EXPECT_NEAR(round.x, 0.2, 1e-12);
  EXPECT_NEAR(round.y, 0.8, 1e-12);
  // The same point as the drawing puts the goal marker: drawing coordinates
  // view_scale (base + p), mapped into the square viewport.
  s->view_scale = 1.0;
  const Point goal = metres_in_window(*s, Point{0.0, 0.8}, 800, 800);
  EXPECT_NEAR(goal.x, (s->layout.robot_base[0] + 1.0) * 400.0, 1e-9);
  EXPECT_NEAR(goal.y, 800.0 - (s->layout.robot_base[1] + 0.8 + 1.0) * 400.0, 1e-9);
}

TEST(RobotAreaMap, TheSquareIsTheViewportsSquare) {
  for (int w : {0, 1, 599, 600, 801, 1200, 1920})
    for (int h : {0, 1, 700, 800, 901, 1080}) {
      const SquareViewport a = square_viewport(w, h), b = robot_area_detail::picture_square(w, h);
      EXPECT_TRUE(a.x == b.x && a.y == b.y && a.side == b.side) << w << "x" << h;
    }
}

TEST(RobotAreaMap, PointerTakesHoldWithinEightPixels) {
  auto s = viewtest::make_scenario('b', 'h');
  s->xf = 0.0;
  s->yf = 0.8;
  s->scara_run.toc_tip[0][0] = 0.8;  // the motion shown starts here
  s->scara_run.toc_tip[0][1] = 0.0;
  const WindowSize w{1200, 700};
  int gx, gy, sx, sy;
  pixel_of(*s, Point{s->xf, s->yf}, w, gx, gy);
  pixel_of(*s, Point{s->scara_run.toc_tip[0][0], s->scara_run.toc_tip[0][1]}, w, sx, sy);
  EXPECT_EQ(task_point_at(*s, gx, gy, w.width, w.height), TaskPoint::Goal);
  EXPECT_EQ(task_point_at(*s, gx + 5, gy - 5, w.width, w.height), TaskPoint::Goal);
  EXPECT_EQ(task_point_at(*s, gx + 10, gy, w.width, w.height), TaskPoint::None);
  EXPECT_EQ(task_point_at(*s, sx, sy, w.width, w.height), TaskPoint::Start);
  EXPECT_EQ(task_point_at(*s, sx - 7, sy + 7, w.width, w.height), TaskPoint::None);  // ~10 px
  EXPECT_EQ(task_point_at(*s, sx - 4, sy + 4, w.width, w.height), TaskPoint::Start);  // ~5.7 px
  EXPECT_EQ(task_point_at(*s, 0, 0, 0, 0), TaskPoint::None);
  select_robot(*s, 'x');
  EXPECT_EQ(task_point_at(*s, gx, gy, w.width, w.height), TaskPoint::None);
}

}  // namespace
