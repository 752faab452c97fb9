// Curves beyond the plotted range stay inside their graph: the neighbouring
// graphs, the robot area and the text around them are not touched, and inside
// the graph the curve is drawn as before.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "robot/graph_scales.h"
#include "view/graphs.h"
#include "view/viewport.h"
#include "view_harness.h"

namespace {

using namespace viewtest;

class Clipping : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { window(); }
};

bool in_box(const PixelBox& b, int x, int y) {
  return x >= b.x && x < b.x + b.width && y >= b.y && y < b.y + b.height;
}

// Pixels that differ between two frames, counted inside and outside `box`.
struct Changes {
  int inside = 0, outside = 0;
};
Changes compare(const Image& a, const Image& b, const PixelBox& box) {
  Changes c;
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      const Rgb p = a.at(x, y), q = b.at(x, y);
      if (p.r == q.r && p.g == q.g && p.b == q.b) continue;
      (in_box(box, x, y) ? c.inside : c.outside)++;
    }
  return c;
}

// A SCARA robot whose feedback run ramps over 0 .. 1 (both joints) and whose
// time-optimal run follows it, or leaves the range (wild) before the sample
// shown, where both stand at the same posture.
std::unique_ptr<Scenario> ramps(bool wild) {
  auto s = make_scenario('b', 'h');
  for (int i = 0; i < kRecordCapacity; ++i) {
    const double t = std::min(i, 200) / 200.0;
    const bool away = wild && i < 200;
    s->scara_run.fb_phi[i][0] = s->scara_run.fb_phi[i][1] = t;
    s->scara_run.toc_phi[i][0] = away ? 30.0 * std::sin(0.3 * i) : t;  // 30 times the range
    s->scara_run.toc_phi[i][1] = away ? -5.0 - 20.0 * t : t;            // far below it
  }
  s->scara.Phif[0] = s->scara.Phif[1] = 1.0;
  s->tfm = s->scara_run.tt[3] = 10.0;
  s->frame_index = 200;
  update_graph_scales(*s, *s, s->layout);
  return s;
}

TEST_F(Clipping, DisplacementCurvesBeyondTheirRangeStayInTheirGraph) {
  auto tame = ramps(false);
  auto wild = ramps(true);
  const Image calm = render(*tame);
  const Image im = render(*wild);
  const PixelBox panel = pixel_box(displacement_panel(wild->layout), SquareViewport{0, 0, kSize});
  const Changes c = compare(calm, im, panel);
  EXPECT_GT(c.inside, 500);  // the wild curves show inside
  EXPECT_EQ(c.outside, 0);   // and nowhere else
  // They reach the panel's top and bottom edges but no further: the title
  // line above and the torque graph below are as they were.
  EXPECT_GT(im.count(panel.x, panel.y + panel.height - 2, panel.x + panel.width - 1,
                     panel.y + panel.height - 1, is_blue),
            0);
  EXPECT_GT(im.count(panel.x, panel.y, panel.x + panel.width - 1, panel.y + 1, is_blue), 0);
}

TEST_F(Clipping, TorqueCurvesBeyondTheirLimitsStayInTheirGraph) {
  for (int j = 0; j < 2; ++j) {
    auto tame = make_scenario('a', 'g');
    tame->cyl.tau1max_g = tame->cyl.tau2max_g = 1.0;
    tame->frame_index = 200;
    tame->tfm = tame->cyl_run.tt[3] = 10.0;
    auto wild = make_scenario('a', 'g');
    *wild = *tame;
    for (int i = 0; i < kRecordCapacity; ++i) {
      wild->cyl_run.fb_tau[i][j] = (i % 3 == 0) ? 1e6 : -9.0;  // steep, far beyond +-1
      wild->cyl_run.toc_tau[i][j] = 1e300;
    }
    update_graph_scales(*tame, *tame, tame->layout);
    update_graph_scales(*wild, *wild, wild->layout);
    const Image calm = render(*tame);
    const Image im = render(*wild);
    const PixelBox panel = pixel_box(torque_panel(wild->layout, j), SquareViewport{0, 0, kSize});
    const Changes c = compare(calm, im, panel);
    EXPECT_GT(c.inside, 500) << j;
    EXPECT_EQ(c.outside, 0) << j;
  }
}

TEST_F(Clipping, CurvesInsideTheirRangeAreNotCut) {
  // A curve along the bottom edge and the first and last samples keeps its
  // full width: the panel is the axes' box widened by half a curve width.
  auto s = ramps(false);
  for (int i = 0; i < kRecordCapacity; ++i) s->scara_run.fb_phi[i][1] = 0.0;  // the minimum
  update_graph_scales(*s, *s, s->layout);
  const Image im = render(*s);
  const PixelBox panel = pixel_box(displacement_panel(s->layout), SquareViewport{0, 0, kSize});
  EXPECT_EQ(panel.y, pixel_of(0.5) - 2);
  // Below the origin row the red curve's lower half shows (3.2 pixels wide).
  EXPECT_GT(im.count(pixel_of(0.6), pixel_of(0.5) - 2, pixel_of(0.8), pixel_of(0.5) - 1, is_red),
            0);
}

}  // namespace
