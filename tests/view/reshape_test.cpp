// The real window resized: the picture keeps its shape in a centred square of
// side min(width, height), the rest of the window stays white, dots stay round,
// text keeps its place in the picture, and curves stay inside their graphs.
#include <gtest/gtest.h>

#include <GL/freeglut.h>
#include <GL/gl.h>

#include <algorithm>
#include <climits>
#include <cmath>

#include "robot/graph_scales.h"
#include "view/frame.h"
#include "view/graphs.h"
#include "view/viewport.h"
#include "view_harness.h"

namespace {

using namespace viewtest;

class Reshape : public ::testing::TestWithParam<std::pair<int, int>> {
 protected:
  static void SetUpTestSuite() { window(); }
  void TearDown() override {
    EXPECT_TRUE(resize_window(kSize, kSize));
    reshape_view(kSize, kSize);
  }
};

// Pixel column (row) of drawing coordinate v in the square `vp`.
int column(const SquareViewport& vp, double v) {
  return vp.x + static_cast<int>(std::floor((v + 1.0) * vp.side / 2.0));
}
int row(const SquareViewport& vp, double v) {
  return vp.y + static_cast<int>(std::floor((v + 1.0) * vp.side / 2.0));
}

struct Extent {
  int x0 = INT_MAX, x1 = INT_MIN, y0 = INT_MAX, y1 = INT_MIN;
  int width() const { return x1 - x0 + 1; }
  int height() const { return y1 - y0 + 1; }
};

// Bounding box of the blue pixels within `radius` of pixel (cx, cy).
Extent blue_extent(const Image& im, int cx, int cy, int radius) {
  Extent e;
  for (int y = cy - radius; y <= cy + radius; ++y)
    for (int x = cx - radius; x <= cx + radius; ++x)
      if (im.count(x, y, x, y, is_blue) == 1) {
        e.x0 = std::min(e.x0, x), e.x1 = std::max(e.x1, x);
        e.y0 = std::min(e.y0, y), e.y1 = std::max(e.y1, y);
      }
  return e;
}

bool not_white(const Rgb& c) { return !is_white(c); }

// A cylindrical robot at rest with one path dot and the goal marker on open
// ground, and torque curves far beyond their limits (or at zero if not wild).
std::unique_ptr<Scenario> scene(bool wild = true) {
  auto s = make_scenario('a', 'h');
  s->cyl_run.fb_tip[0][0] = s->cyl_run.toc_tip[0][0] = 0.35;  // dot at (-0.15, 0.15)
  s->cyl_run.fb_tip[0][1] = s->cyl_run.toc_tip[0][1] = 0.65;
  s->xf = 0.25;  // goal marker at (-0.25, 0.35)
  s->yf = 0.85;
  s->cyl.tau1max_h = s->cyl.tau2max_h = 1.0;
  for (int i = 0; i < kRecordCapacity; ++i) {
    s->cyl_run.toc_tau[i][0] = !wild ? 0.0 : (i % 2) ? 40.0 : -40.0;  // far beyond +-1
    s->cyl_run.fb_tau[i][1] = !wild ? 0.0 : (i % 2) ? -40.0 : 40.0;
  }
  s->frame_index = 200;
  s->tfm = s->cyl_run.tt[3] = 10.0;
  update_graph_scales(*s, *s, s->layout);
  return s;
}

TEST_P(Reshape, PictureStaysSquareCentredAndRound) {
  const auto [w, h] = GetParam();
  ASSERT_TRUE(resize_window(w, h)) << w << " x " << h;
  // The reshape callback has set the centred square.
  const SquareViewport vp = square_viewport(w, h);
  EXPECT_EQ(vp.side, std::min(w, h));
  GLint gl_vp[4];
  glGetIntegerv(GL_VIEWPORT, gl_vp);
  EXPECT_EQ(gl_vp[0], vp.x);
  EXPECT_EQ(gl_vp[1], vp.y);
  EXPECT_EQ(gl_vp[2], vp.side);
  EXPECT_EQ(gl_vp[3], vp.side);

  auto s = scene();
  const Image im = render_window(*s);
  ASSERT_EQ(im.width, w);
  ASSERT_EQ(im.height, h);

  // White beside the square, the picture inside it.
  EXPECT_EQ(im.count(0, 0, vp.x - 1, h - 1, not_white), 0);
  EXPECT_EQ(im.count(vp.x + vp.side, 0, w - 1, h - 1, not_white), 0);
  EXPECT_EQ(im.count(0, 0, w - 1, vp.y - 1, not_white), 0);
  EXPECT_EQ(im.count(0, vp.y + vp.side, w - 1, h - 1, not_white), 0);
  // The grid lines through the robot base (-0.5, -0.5) at a quarter of the square.
  EXPECT_GT(im.count(column(vp, -0.5) - 1, row(vp, 0.2), column(vp, -0.5) + 1, row(vp, 0.2),
                     is_black),
            0);
  EXPECT_GT(im.count(column(vp, 0.2), row(vp, -0.5) - 1, column(vp, 0.2), row(vp, -0.5) + 1,
                     is_black),
            0);

  // The path dot (radius 0.008) and the goal marker (0.01) are round: as
  // many pixels across as up and down, in proportion to the square.
  const Extent dot = blue_extent(im, column(vp, -0.15), row(vp, 0.15), 8);
  EXPECT_EQ(dot.width(), dot.height());
  EXPECT_NEAR(dot.width(), 0.016 * vp.side / 2.0, 1.0);
  const Extent goal = blue_extent(im, column(vp, -0.25), row(vp, 0.35), 8);
  EXPECT_EQ(goal.width(), goal.height());
  EXPECT_NEAR(goal.width(), 0.02 * vp.side / 2.0, 1.0);

  // The title keeps its place at (-0.99, 0.95) of the picture, in its own
  // pixel size.
  EXPECT_GT(im.count(column(vp, -0.99), row(vp, 0.95) - 6, column(vp, -0.99) + 80,
                     row(vp, 0.95) + 16, is_text_grey),
            50);

  // The torque curves run far beyond their limits but stay inside their
  // graphs: outside the graphs' panels the picture is the one with the
  // curves on their zero lines.
  EXPECT_GT(im.count(column(vp, 0.42), row(vp, -0.2), column(vp, 0.9), row(vp, 0.4), is_blue), 100);
  EXPECT_GT(im.count(column(vp, 0.42), row(vp, -0.9), column(vp, 0.9), row(vp, -0.3), is_red), 100);
  auto tame = scene(false);
  const Image calm = render_window(*tame);
  const PixelBox panels[] = {pixel_box(displacement_panel(s->layout), vp),
                             pixel_box(torque_panel(s->layout, 0), vp),
                             pixel_box(torque_panel(s->layout, 1), vp)};
  int outside = 0, changed = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      bool in_panel = false;
      for (const PixelBox& b : panels)
        in_panel = in_panel || (x >= b.x && x < b.x + b.width && y >= b.y && y < b.y + b.height);
      if (in_panel) continue;
      ++outside;
      const Rgb a = im.at(x, y), c = calm.at(x, y);
      if (a.r != c.r || a.g != c.g || a.b != c.b) ++changed;
    }
  EXPECT_GT(outside, w * h / 2);
  EXPECT_EQ(changed, 0);
}

INSTANTIATE_TEST_SUITE_P(Windows, Reshape,
                         ::testing::Values(std::make_pair(1200, 700), std::make_pair(500, 800)),
                         [](const auto& info) {
                           return std::to_string(info.param.first) + "x" +
                                  std::to_string(info.param.second);
                         });

TEST_F(Reshape, AtEightHundredSquareNothingMoves) {
  ASSERT_TRUE(resize_window(kSize, kSize));
  const SquareViewport vp = square_viewport(kSize, kSize);
  EXPECT_EQ(vp.x, 0);
  EXPECT_EQ(vp.y, 0);
  EXPECT_EQ(vp.side, kSize);
  auto s = scene();
  const Image whole = render_window(*s);
  const Image same = render(*s);
  EXPECT_EQ(whole.px, same.px);
}

}  // namespace
