// The time graphs: axes and ticks, positioning-time markers, goal and limit
// lines, curves growing with the displayed sample, and what they show when
// the records or limits give no usable scale.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "robot/graph_scales.h"
#include "view/frame.h"
#include "view/graphs.h"
#include "view_harness.h"

namespace {

using namespace viewtest;

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

TEST(TimeTicks, OnePerWholeSecondOfTheAxis) {
  const TimeTicks four = time_ticks(4.0 / 200, 200, 0.5);  // 50 samples a second
  EXPECT_EQ(four.count, 4);
  EXPECT_DOUBLE_EQ(four.step, 0.125);
  EXPECT_EQ(four.label, 4);
  EXPECT_DOUBLE_EQ(four.label_x, 0.5);

  const TimeTicks eight = time_ticks(8.0 / 200, 200, 0.5);  // 25 samples a second
  EXPECT_EQ(eight.count, 8);
  EXPECT_DOUBLE_EQ(eight.step, 0.0625);
  EXPECT_EQ(eight.label, 8);

  const TimeTicks odd = time_ticks(0.03, 200, 0.5);  // 33 samples a second: 6 s
  EXPECT_EQ(odd.count, 6);
  EXPECT_NEAR(odd.label_x, 6 * 33 * 0.5 / 200, 1e-12);
}

TEST(TimeTicks, StayBoundedForSampleTimesWithoutWholeSeconds) {
  // No sample time at all, not a number, or less than one sample a second.
  for (double dt : {0.0, kNaN, kInf, 1e300, 1.5, -0.02, -kInf}) {
    const TimeTicks t = time_ticks(dt, 200, 0.5);
    EXPECT_EQ(t.count, 0) << dt;
    EXPECT_EQ(t.label, 0) << dt;
    EXPECT_EQ(t.label_x, 0.0) << dt;
  }
  // No samples.
  EXPECT_EQ(time_ticks(0.02, 0, 0.5).count, 0);
  EXPECT_EQ(time_ticks(0.02, -5, 0.5).count, 0);
  // One sample a second over 200 samples: 200 seconds, more than one digit.
  const TimeTicks slow = time_ticks(0.9, 200, 0.5);
  EXPECT_EQ(slow.count, 200);
  EXPECT_EQ(slow.label, 9);
  EXPECT_NEAR(slow.label_x, 0.5, 1e-12);
  // Tiny steps are capped.
  const TimeTicks dense = time_ticks(0.5, 100000, 0.5);
  EXPECT_EQ(dense.count, kMaxTicks);
  EXPECT_EQ(dense.label, 9);
}

TEST(FrameIndex, IsKeptInsideTheRecord) {
  EXPECT_EQ(clamped_frame(-1), 0);
  EXPECT_EQ(clamped_frame(0), 0);
  EXPECT_EQ(clamped_frame(200), 200);
  EXPECT_EQ(clamped_frame(499), 499);
  EXPECT_EQ(clamped_frame(500), 499);
}

class Graphs : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { window(); }
};

bool is_red_or_blue(const Rgb& c) { return is_red(c) || is_blue(c); }

// Columns from x0 to x1 with a matching pixel within 2 pixels of height y.
template <class Pred>
int along(const Image& im, double x0, double x1, double y, Pred pred) {
  int n = 0;
  for (int x = pixel_of(x0); x <= pixel_of(x1); ++x)
    if (im.count(x, pixel_of(y) - 2, x, pixel_of(y) + 2, pred) > 0) ++n;
  return n;
}

int red_along(const Image& im, double x0, double x1, double y) { return along(im, x0, x1, y, is_red); }

TEST_F(Graphs, AxesTicksAndSecondsLabel) {
  auto s = make_scenario('a', 'h');
  s->tfm = s->cyl.tt[3] = 3.2;  // both markers at 0.8
  const Image im = render(*s);
  // Time axes of the three graphs, 0.5 long, from x = 0.4.
  for (double oy : {0.5, 0.1, -0.6}) {
    EXPECT_GE(red_along(im, 0.4, 0.9, oy), 199) << oy;
    EXPECT_EQ(im.near(0.93, oy, 2, is_red), 0) << oy;
    // Ticks every second (0.125), 0.02 high.
    for (double x : {0.525, 0.65, 0.775, 0.9}) {
      EXPECT_GT(im.near(x, oy + 0.015, 1, is_red), 0) << x;
    }
    EXPECT_EQ(im.near(0.5875, oy + 0.015, 1, is_red), 0);
    // "4" left of the last tick and "s" at it.
    EXPECT_GT(im.count(pixel_of(0.88), pixel_of(oy + 0.01), pixel_of(0.9) - 2,
                       pixel_of(oy + 0.05), is_text_grey),
              10);
    EXPECT_GT(im.count(pixel_of(0.9) + 1, pixel_of(oy + 0.01), pixel_of(0.93),
                       pixel_of(oy + 0.05), is_text_grey),
              10);
  }
  // Vertical axes: 0.45 up from the displacement origin, +-0.3 about the zero lines.
  EXPECT_GT(im.near(0.4, 0.93, 1, is_red), 0);
  EXPECT_EQ(im.near(0.4, 0.97, 1, is_red), 0);
  for (double oy : {0.1, -0.6}) {
    EXPECT_GT(im.near(0.4, oy + 0.29, 1, is_red), 0);  // h + 0.05
    EXPECT_GT(im.near(0.4, oy - 0.29, 1, is_red), 0);
    EXPECT_EQ(im.near(0.4, oy - 0.32, 1, is_red), 0);
  }
  EXPECT_EQ(im.near(0.4, 0.45, 1, is_red), 0);  // the displacement axis is one-sided

  // Eight seconds: ticks every 0.0625.
  s->dt = 8.0 / 200;
  const Image eight = render(*s);
  EXPECT_GT(eight.near(0.4625, 0.515, 1, is_red), 0);
  EXPECT_GT(eight.near(0.5875, -0.585, 1, is_red), 0);
  EXPECT_EQ(im.near(0.4625, 0.515, 1, is_red), 0);
}

TEST_F(Graphs, PositioningTimeMarkersStandAtTheirTimes) {
  auto s = make_scenario('a', 'h');
  s->tfm = 2.5;       // 0.4 + 0.5 x 2.5 / 4
  s->cyl.tt[3] = 1.0;  // 0.4 + 0.5 x 1.0 / 4
  const Image im = render(*s);
  EXPECT_GT(im.near(0.7125, 0.7, 1, is_red), 0);
  EXPECT_GT(im.near(0.7125, 0.94, 1, is_red), 0);
  EXPECT_GT(im.near(0.525, 0.7, 1, is_blue), 0);
  EXPECT_EQ(im.near(0.6, 0.7, 3, is_red_or_blue), 0);

  // A time beyond the axis puts the marker to its right; SCARA reads its own tt.
  select_robot(*s, 'b');
  s->scara.tt[3] = 4.4;
  const Image b = render(*s);
  EXPECT_GT(b.near(0.95, 0.7, 1, is_blue), 0);
  EXPECT_EQ(b.near(0.525, 0.7, 1, is_blue), 0);
}

// Both runs of one robot between 0 and 1 for joint 1 and 2 for joint 2.
void fill_ramps(RobotRecord& r) {
  for (int i = 0; i < kRecordCapacity; ++i) {
    const double t = std::min(i, 200) / 200.0;
    r.fb_phi[i][0] = t;
    r.fb_phi[i][1] = 2.0 * t;
    r.toc_phi[i][0] = std::sqrt(t);
    r.toc_phi[i][1] = 2.0;
  }
  r.toc_phi[0][1] = 0.0;
}

TEST_F(Graphs, DisplacementCurvesGrowWithTheDisplayedSample) {
  auto s = make_scenario('a', 'h');
  fill_ramps(s->cyl);
  s->cyl.Phif[0] = 1.0;
  s->cyl.Phif[1] = 0.0;  // the minimum of the history: on the origin height
  s->tfm = 10.0;
  s->cyl.tt[3] = 10.0;  // markers off the picture
  update_graph_scales(*s);
  // Range 0 .. 2 (up to sample 199) over 0.4: y = 0.5 + 0.2 v.
  s->frame_index = 100;
  const Image half = render(*s);
  // Feedback joint 2 at sample 50 (v = 0.5) and time-optimal joint 1 (v = 0.5).
  EXPECT_GT(half.near(0.4 + 50 * 0.0025, 0.5 + 0.2 * 0.5, 2, is_red), 0);
  EXPECT_GT(half.near(0.4 + 50 * 0.0025, 0.5 + 0.2 * std::sqrt(0.25), 2, is_blue), 0);
  // Time-optimal joint 2 at 2.0: the top of the span.
  EXPECT_GT(half.near(0.5, 0.9, 2, is_blue), 0);
  // Nothing beyond sample 100.
  EXPECT_EQ(half.count(pixel_of(0.4 + 101 * 0.0025) + 2, pixel_of(0.55), pixel_of(0.9),
                       pixel_of(0.88), is_blue),
            0);
  // The goal of joint 1 (v = 1): a red line at 0.7 across the graph with its label.
  EXPECT_GE(red_along(half, 0.7, 0.9, 0.7), 70);
  EXPECT_GT(half.count(pixel_of(0.6), pixel_of(0.71), pixel_of(0.66), pixel_of(0.74),
                       is_text_grey),
            5);

  s->frame_index = 200;
  const Image full = render(*s);
  EXPECT_GT(full.near(0.4 + 150 * 0.0025, 0.5 + 0.2 * 1.5, 2, is_red), 0);
  EXPECT_GT(full.near(0.9, 0.9, 2, is_blue), 0);  // ends at origin + width

  s->frame_index = 0;
  const Image none = render(*s);
  EXPECT_EQ(none.count(pixel_of(0.41), pixel_of(0.51), pixel_of(0.95), pixel_of(0.95), is_blue),
            0);

  // For the SCARA robot the goal-2 line is blue.
  auto b = make_scenario('b', 'h');
  fill_ramps(b->scara);
  b->scara.Phif[0] = 1.0;
  b->scara.Phif[1] = 1.5;
  b->tfm = b->scara.tt[3] = 10.0;
  update_graph_scales(*b);
  const Image bi = render(*b);
  EXPECT_GT(bi.near(0.85, 0.8, 1, is_blue), 0);
  EXPECT_GT(bi.near(0.85, 0.7, 1, is_red), 0);
}

TEST_F(Graphs, ConstantOrBrokenHistoryDrawsOnTheBaseLine) {
  auto s = make_scenario('a', 'h');
  for (int i = 0; i < kRecordCapacity; ++i) {
    s->cyl.fb_phi[i][0] = s->cyl.fb_phi[i][1] = 0.3;
    s->cyl.toc_phi[i][0] = s->cyl.toc_phi[i][1] = 0.7;
  }
  s->cyl.Phif[0] = s->cyl.Phif[1] = 0.7;
  s->frame_index = 200;
  s->tfm = s->cyl.tt[3] = 10.0;
  update_graph_scales(*s);
  const Image im = render(*s);
  EXPECT_GT(im.count(pixel_of(0.45), pixel_of(0.5) - 3, pixel_of(0.85), pixel_of(0.5) + 3, is_blue),
            300);
  EXPECT_EQ(im.count(pixel_of(0.41), pixel_of(0.52), pixel_of(0.95), pixel_of(0.95), is_blue), 0);

  // Not-a-number and infinite samples: the rest of the picture still shows.
  s->cyl.fb_phi[40][0] = kNaN;
  s->cyl.fb_phi[41][1] = kInf;
  s->cyl.fb_phi[42][1] = -kInf;
  s->cyl.toc_phi[60][0] = kNaN;
  s->cyl.Phif[0] = kNaN;
  update_graph_scales(*s);
  const Image broken = render(*s);
  EXPECT_GE(red_along(broken, 0.4, 0.9, 0.1), 199);
  EXPECT_GT(broken.near(0.4 + 100 * 0.0025, 0.5, 3, is_blue), 0);
  EXPECT_TRUE(is_white(broken.at(pixel_of(0.95), pixel_of(0.3))));
}

TEST_F(Graphs, TorqueLimitLinesAndCurves) {
  auto s = make_scenario('a', 'h');
  s->cyl.tau1max_h = 2.0;
  s->cyl.tau2max_h = 1.0;
  s->cyl.tau1max_g = 4.0;
  s->cyl.tau2max_g = 0.5;
  for (int i = 0; i < kRecordCapacity; ++i) {
    s->cyl.toc_tau[i][0] = 2.0;   // at the joint-1 limit
    s->cyl.toc_tau[i][1] = -1.0;  // at minus the joint-2 limit
    s->cyl.fb_tau[i][0] = 1.0;
    s->cyl.fb_tau[i][1] = 0.5;
  }
  s->frame_index = 200;
  update_graph_scales(*s);
  const Image im = render(*s);
  // Limit lines 0.25 above and below each zero line, across the graph (the
  // blue curves lie on two of them).
  EXPECT_GE(along(im, 0.41, 0.9, 0.35, is_red_or_blue), 190);
  EXPECT_GE(along(im, 0.41, 0.9, -0.15, is_red), 190);
  EXPECT_GE(along(im, 0.41, 0.9, -0.35, is_red), 190);
  EXPECT_GE(along(im, 0.41, 0.9, -0.85, is_red_or_blue), 190);
  // Curves at tau x 0.25 / limit: on the limit lines and half way.
  EXPECT_GE(along(im, 0.41, 0.9, 0.35, is_blue), 190);
  EXPECT_GE(along(im, 0.41, 0.9, -0.85, is_blue), 190);
  EXPECT_GE(along(im, 0.41, 0.9, 0.225, is_red), 190);
  EXPECT_GE(along(im, 0.41, 0.9, -0.475, is_red), 190);
  EXPECT_EQ(im.near(0.7, 0.1 - 0.125, 3, is_red_or_blue), 0);
  // "T1max" and "T2max" above the upper lines.
  EXPECT_GT(im.count(pixel_of(0.4), pixel_of(0.36), pixel_of(0.5), pixel_of(0.39), is_text_grey), 10);
  EXPECT_GT(im.count(pixel_of(0.4), pixel_of(-0.34), pixel_of(0.5), pixel_of(-0.31), is_text_grey), 10);

  // With gravity the limits with gravity set the scale; the lines stay put.
  select_gravity(*s, 'g');
  update_graph_scales(*s);
  const Image g = render(*s);
  EXPECT_GE(along(g, 0.41, 0.9, 0.225, is_blue), 190);     // 2.0 of 4.0
  EXPECT_GE(along(g, 0.41, 0.9, 0.1625, is_red), 190);     // 1.0 of 4.0
  EXPECT_EQ(along(g, 0.41, 0.9, 0.35, is_blue), 0);
  EXPECT_GE(along(g, 0.41, 0.9, 0.35, is_red), 190);
  EXPECT_GE(along(g, 0.41, 0.9, -0.85, is_red), 190);
  // Joint 2 at -1.0 of 0.5 runs below the window: no blue in graph 2.
  EXPECT_EQ(g.count(pixel_of(0.41), pixel_of(-0.9), pixel_of(0.9), pixel_of(-0.3), is_blue), 0);
}

TEST_F(Graphs, TorqueCurvesGrowWithTheDisplayedSample) {
  auto s = make_scenario('b', 'h');
  s->scara.tau1max_h = s->scara.tau2max_h = 1.0;
  for (int i = 0; i < kRecordCapacity; ++i) {
    s->scara.toc_tau[i][0] = 0.5;
    s->scara.toc_tau[i][1] = -0.5;
  }
  update_graph_scales(*s);
  for (int shown : {0, 1, 80, 199}) {
    s->frame_index = shown;
    const Image im = render(*s);
    const int end = pixel_of(0.4 + shown * 0.0025);
    EXPECT_EQ(im.count(pixel_of(0.4), pixel_of(0.2), end + 3, pixel_of(0.25), is_blue) > 0,
              shown > 0);
    EXPECT_EQ(im.count(end + 4, pixel_of(-0.2), pixel_of(0.95), pixel_of(0.25), is_blue), 0);
    EXPECT_EQ(im.count(end + 4, pixel_of(-0.8), pixel_of(0.95), pixel_of(-0.3), is_blue), 0);
    if (shown > 0) {
      EXPECT_GT(im.near(0.4 + shown * 0.0025 - 0.005, -0.725, 2, is_blue), 0);
    }
  }
}

TEST_F(Graphs, TorqueLimitWithoutValueDrawsNoCurve) {
  auto s = make_scenario('a', 'h');
  for (int i = 0; i < kRecordCapacity; ++i) {
    s->cyl.toc_tau[i][0] = s->cyl.toc_tau[i][1] = 0.3;
    s->cyl.fb_tau[i][0] = s->cyl.fb_tau[i][1] = -0.3;
  }
  s->frame_index = 150;
  for (double limit : {0.0, kNaN, kInf}) {
    s->cyl.tau1max_h = limit;
    s->cyl.tau2max_h = limit;
    update_graph_scales(*s);
    const Image im = render(*s);
    EXPECT_EQ(im.count(pixel_of(0.41), pixel_of(-0.9), pixel_of(0.95), pixel_of(0.4), is_blue), 0);
    EXPECT_EQ(im.near(0.6, 0.2, 5, is_red), 0);
    EXPECT_EQ(im.near(0.6, -0.5, 5, is_red), 0);
    // The frame around them is still there.
    EXPECT_GE(along(im, 0.41, 0.9, 0.35, is_red), 190);
    EXPECT_GE(along(im, 0.41, 0.9, -0.85, is_red), 190);
  }
}

TEST_F(Graphs, SurviveSampleTimesAndCountsOutsideTheirRange) {
  auto s = make_scenario('b', 'g');
  fill_ramps(s->scara);
  s->scara.Phif[0] = 1.0;
  s->scara.Phif[1] = 1.5;
  s->scara.tau1max_g = s->scara.tau2max_g = 1.0;
  const Layout layout = s->layout;
  struct Case {
    double dt;
    int frame_count, frame_index;
  } cases[] = {{0.0, 200, 100},     {kNaN, 200, 100},      {1e300, 200, 100},
               {-0.02, 200, 100},   {0.02, 0, 0},          {0.02, 0, 300},
               {0.02, 100000, 450}, {0.02, 200, 1000000},  {0.02, 200, -7},
               {1e-300, 200, 200},  {0.02, -10, 5}};
  for (const Case& c : cases) {
    s->dt = c.dt;
    s->frame_count = c.frame_count;
    s->frame_index = c.frame_index;
    update_graph_scales(*s);
    const Image im = render(*s);
    // Axes, text and the robot are drawn whatever the numbers (without a
    // usable range the blue goal-2 line lies on the time axis).
    EXPECT_GE(along(im, 0.41, 0.9, 0.5, is_red_or_blue), 190) << c.dt << " " << c.frame_count;
    EXPECT_GE(along(im, 0.41, 0.9, 0.35, is_red), 190) << c.dt << " " << c.frame_count;
    EXPECT_GT(im.count(0, pixel_of(0.9), pixel_of(0.0), kSize - 1, is_text_grey), 100);
    EXPECT_GT(im.near(-0.5, -0.5, 3, is_blue), 0);
    // Drawing only reads the scenario: the layout is the window's one still.
    EXPECT_EQ(std::memcmp(&s->layout, &layout, sizeof layout), 0);
  }
}

}  // namespace
