// The time graphs: axes and ticks, positioning-time markers, goal and limit
// lines, curves growing with the displayed sample, and what they show when
// the records or limits give no usable scale; as described, and drawn for
// sample times and counts outside their range.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "robot/graph_scales.h"
#include "view/describe_frame.h"
#include "view/frame.h"
#include "view/graphs.h"
#include "frame_query.h"
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

// The segment of the frame from (x0, y0) to (x1, y1) in colour c and width w.
int lines_of_width(const FrameDescription& f, double x0, double y0, double x1, double y1,
                   const Colour& c, float w) {
  int n = 0;
  for (const SegmentIn& g : segments(f))
    n += g.width == w && same_colour(g.s.colour, c) && near(g.s.a.x, x0) && near(g.s.a.y, y0) &&
         near(g.s.b.x, x1) && near(g.s.b.y, y1);
  return n;
}

const float kAxis = line_pixels(0.006);

TEST(GraphAxes, TimeAxesTicksAndSecondsLabel) {
  auto s = make_scenario('a', 'h');
  s->tfm = s->cyl_run.tt[3] = 3.2;  // both markers at 0.8
  const FrameDescription f = describe_frame(*s);
  for (double oy : {0.5, 0.1, -0.6}) {
    // Time axes of the three graphs, 0.5 long, from x = 0.4.
    EXPECT_EQ(lines_of_width(f, 0.4, oy, 0.9, oy, colour_red, kAxis), 1) << oy;
    // Ticks every second (0.125), 0.02 high, in the plain 2-pixel width.
    for (double x : {0.525, 0.65, 0.775, 0.9}) {
      EXPECT_GE(lines_of_width(f, x, oy, x, oy + 0.02, colour_red, 2.0f), 1) << x;
    }
    EXPECT_EQ(verticals_at(f, 0.5875, colour_red), 0);
  }
  // "4" left of the last tick and "s" at it, 0.01 above each axis.
  const std::vector<const Label*> fours = texts_saying(f, "4\n");
  const std::vector<const Label*> secs = texts_saying(f, "s");
  ASSERT_EQ(fours.size(), 3u);
  ASSERT_EQ(secs.size(), 3u);
  const double oys[3] = {0.5, 0.1, -0.6};
  for (int g = 0; g < 3; ++g) {
    EXPECT_EQ(fours[g]->x, static_cast<float>(0.4 + 0.5 - 0.02));
    EXPECT_EQ(secs[g]->x, static_cast<float>(0.4 + 0.5));
    EXPECT_EQ(secs[g]->y, static_cast<float>(oys[g] + 0.01));
    EXPECT_EQ(secs[g]->font, TextFont::Helvetica18);
  }
  // Vertical axes: 0.45 up from the displacement origin, +-0.3 about the zero lines.
  EXPECT_EQ(lines_of_width(f, 0.4, 0.5, 0.4, 0.95, colour_red, kAxis), 1);
  EXPECT_EQ(lines_of_width(f, 0.4, 0.1 - 0.3, 0.4, 0.1 + 0.3, colour_red, kAxis), 1);
  EXPECT_EQ(lines_of_width(f, 0.4, -0.6 - 0.3, 0.4, -0.6 + 0.3, colour_red, kAxis), 1);

  // Eight seconds: ticks every 0.0625, the digit 8.
  s->dt = 8.0 / 200;
  const FrameDescription eight = describe_frame(*s);
  EXPECT_EQ(lines_of_width(eight, 0.4625, 0.5, 0.4625, 0.52, colour_red, 2.0f), 1);
  EXPECT_EQ(lines_of_width(eight, 0.5875, -0.6, 0.5875, -0.58, colour_red, 2.0f), 1);
  EXPECT_EQ(texts_saying(eight, "8\n").size(), 3u);
  EXPECT_EQ(lines_of_width(f, 0.4625, 0.5, 0.4625, 0.52, colour_red, 2.0f), 0);
}

TEST(GraphAxes, PositioningTimeMarkersStandAtTheirTimes) {
  auto s = make_scenario('a', 'h');
  s->tfm = 2.5;        // 0.4 + 0.5 x 2.5 / 4
  s->cyl_run.tt[3] = 1.0;  // 0.4 + 0.5 x 1.0 / 4
  const FrameDescription f = describe_frame(*s);
  // Across the displacement graph, up to the top of its vertical axis.
  EXPECT_EQ(segments_between(f, 0.7125, 0.5, 0.7125, 0.95, colour_red), 1);
  EXPECT_EQ(segments_between(f, 0.525, 0.5, 0.525, 0.95, colour_blue), 1);
  EXPECT_EQ(verticals_at(f, 0.6, colour_red) + verticals_at(f, 0.6, colour_blue), 0);

  // A time beyond the axis puts the marker to its right; SCARA reads its own tt.
  select_robot(*s, 'b');
  s->scara_run.tt[3] = 4.4;
  const FrameDescription b = describe_frame(*s);
  EXPECT_EQ(segments_between(b, 0.95, 0.5, 0.95, 0.95, colour_blue), 1);
  EXPECT_EQ(verticals_at(b, 0.525, colour_blue), 0);
}

// Both runs of one robot between 0 and 1 for joint 1 and 2 for joint 2.
void fill_ramps(RobotRun& r) {
  for (int i = 0; i < kRecordCapacity; ++i) {
    const double t = std::min(i, 200) / 200.0;
    r.fb_phi[i][0] = t;
    r.fb_phi[i][1] = 2.0 * t;
    r.toc_phi[i][0] = std::sqrt(t);
    r.toc_phi[i][1] = 2.0;
  }
  r.toc_phi[0][1] = 0.0;
}

TEST(GraphCurves, DisplacementCurvesGrowWithTheDisplayedSample) {
  auto s = make_scenario('a', 'h');
  fill_ramps(s->cyl_run);
  s->cyl.Phif[0] = 1.0;
  s->cyl.Phif[1] = 0.0;  // the minimum of the history: on the origin height
  s->tfm = 10.0;
  s->cyl_run.tt[3] = 10.0;
  update_graph_scales(*s, *s, s->layout);
  // Range 0 .. 1.99 (up to sample 199) over 0.4.
  const double sigma = 0.4 / (2.0 * 199 / 200);
  EXPECT_DOUBLE_EQ(s->cyl_run.scales.displacement_per_unit, sigma);
  auto y = [&](double v) { return 0.5 + v * sigma; };
  s->frame_index = 100;
  const FrameDescription half = describe_frame(*s);
  const Lines& c = *curves(half).at(0);
  ASSERT_EQ(c.segments.size(), 4u * 100);
  // Feedback joint 2 and time-optimal joint 1 at sample 50 (both v = 0.5).
  EXPECT_NEAR(c.segments[4 * 49 + 1].b.y, y(0.5), 1e-12);
  EXPECT_NEAR(c.segments[4 * 49 + 2].b.y, y(std::sqrt(0.25)), 1e-12);
  EXPECT_NEAR(c.segments[4 * 49 + 1].b.x, 0.4 + 50 * 0.0025, 1e-12);
  // Time-optimal joint 2 at 2.0, above the span's top (the history stops at 1.99).
  EXPECT_NEAR(c.segments[4 * 49 + 3].b.y, y(2.0), 1e-12);
  // Nothing beyond sample 100.
  EXPECT_NEAR(c.segments.back().b.x, 0.4 + 100 * 0.0025, 1e-12);
  // The goal of joint 1: a red line across the graph with its label; joint 2's on the base line.
  EXPECT_EQ(segments_between(half, 0.4, y(1.0), 0.9, y(1.0), colour_red), 1);
  EXPECT_EQ(segments_between(half, 0.4, 0.5, 0.9, 0.5, colour_red), 2);  // with the time axis
  const std::vector<const Label*> goal1 = texts_saying(half, "goal1");
  ASSERT_EQ(goal1.size(), 1u);
  EXPECT_EQ(goal1[0]->x, static_cast<float>(0.4 + 0.2));
  EXPECT_EQ(goal1[0]->y, static_cast<float>(y(1.0) + 0.01));
  EXPECT_EQ(goal1[0]->font, TextFont::Helvetica12);

  s->frame_index = 200;
  const FrameDescription full = describe_frame(*s);
  ASSERT_EQ(curves(full).at(0)->segments.size(), 4u * 200);
  EXPECT_NEAR(curves(full)[0]->segments.back().b.x, 0.9, 1e-12);  // ends at origin + width

  s->frame_index = 0;
  EXPECT_TRUE(curves(describe_frame(*s)).at(0)->segments.empty());

  // For the SCARA robot the goal-2 line is blue.
  auto b = make_scenario('b', 'h');
  fill_ramps(b->scara_run);
  b->scara.Phif[0] = 1.0;
  b->scara.Phif[1] = 1.5;
  b->tfm = b->scara_run.tt[3] = 10.0;
  update_graph_scales(*b, *b, b->layout);
  const FrameDescription bf = describe_frame(*b);
  EXPECT_EQ(segments_between(bf, 0.4, y(1.5), 0.9, y(1.5), colour_blue), 1);
  EXPECT_EQ(segments_between(bf, 0.4, y(1.0), 0.9, y(1.0), colour_red), 1);
}

TEST(GraphCurves, ConstantOrBrokenHistoryDrawsOnTheBaseLine) {
  auto s = make_scenario('a', 'h');
  for (int i = 0; i < kRecordCapacity; ++i) {
    s->cyl_run.fb_phi[i][0] = s->cyl_run.fb_phi[i][1] = 0.3;
    s->cyl_run.toc_phi[i][0] = s->cyl_run.toc_phi[i][1] = 0.7;
  }
  s->cyl.Phif[0] = s->cyl.Phif[1] = 0.7;
  s->frame_index = 200;
  s->tfm = s->cyl_run.tt[3] = 10.0;
  update_graph_scales(*s, *s, s->layout);
  auto all_on_base_line = [](const Lines& c) {
    for (const Segment& seg : c.segments)
      if (seg.a.y != 0.5 || seg.b.y != 0.5) return false;
    return true;
  };
  const FrameDescription f = describe_frame(*s);
  ASSERT_EQ(curves(f).at(0)->segments.size(), 4u * 200);
  EXPECT_TRUE(all_on_base_line(*curves(f)[0]));

  // Infinite samples leave no usable range either; not-a-number samples and
  // goals change nothing: the curves stay whole, on the base line.
  s->cyl_run.fb_phi[40][0] = kNaN;
  s->cyl_run.fb_phi[41][1] = kInf;
  s->cyl_run.fb_phi[42][1] = -kInf;
  s->cyl_run.toc_phi[60][0] = kNaN;
  s->cyl.Phif[0] = kNaN;
  update_graph_scales(*s, *s, s->layout);
  const FrameDescription broken = describe_frame(*s);
  ASSERT_EQ(curves(broken).at(0)->segments.size(), 4u * 200);
  EXPECT_TRUE(all_on_base_line(*curves(broken)[0]));
  EXPECT_EQ(segments_between(broken, 0.4, 0.1, 0.9, 0.1, colour_red), 1);  // torque axis
  for (const SegmentIn& g : segments(broken)) EXPECT_TRUE(is_finite(g.s.a) && is_finite(g.s.b));
}

TEST(GraphCurves, TorqueLimitLinesAndCurves) {
  auto s = make_scenario('a', 'h');
  s->cyl.tau1max_h = 2.0;
  s->cyl.tau2max_h = 1.0;
  s->cyl.tau1max_g = 4.0;
  s->cyl.tau2max_g = 0.5;
  for (int i = 0; i < kRecordCapacity; ++i) {
    s->cyl_run.toc_tau[i][0] = 2.0;   // at the joint-1 limit
    s->cyl_run.toc_tau[i][1] = -1.0;  // at minus the joint-2 limit
    s->cyl_run.fb_tau[i][0] = 1.0;
    s->cyl_run.fb_tau[i][1] = 0.5;
  }
  s->frame_index = 200;
  update_graph_scales(*s, *s, s->layout);
  const FrameDescription f = describe_frame(*s);
  // Limit lines 0.25 above and below each zero line, across the graph, with
  // "T1max" and "T2max" above the upper ones.
  for (double oy : {0.1, -0.6}) {
    EXPECT_EQ(lines_of_width(f, 0.4, oy + 0.25, 0.9, oy + 0.25, colour_red, 2.0f), 1) << oy;
    EXPECT_EQ(lines_of_width(f, 0.4, oy - 0.25, 0.9, oy - 0.25, colour_red, 2.0f), 1) << oy;
  }
  EXPECT_EQ(texts_saying(f, "T1max").at(0)->y, static_cast<float>(0.1 + 0.25 + 0.01));
  EXPECT_EQ(texts_saying(f, "T2max").at(0)->y, static_cast<float>(-0.6 + 0.25 + 0.01));
  // Curves at tau x 0.25 / limit: on the limit lines and half way.
  std::vector<const Lines*> c = curves(f);
  ASSERT_EQ(c.size(), 3u);
  EXPECT_DOUBLE_EQ(c[1]->segments[1].b.y, 0.1 + 0.25);   // time-optimal joint 1
  EXPECT_DOUBLE_EQ(c[1]->segments[0].b.y, 0.1 + 0.125);  // feedback joint 1
  EXPECT_DOUBLE_EQ(c[2]->segments[1].b.y, -0.6 - 0.25);
  EXPECT_DOUBLE_EQ(c[2]->segments[0].b.y, -0.6 + 0.125);

  // With gravity the limits with gravity set the scale; the lines stay put.
  select_gravity(*s, 'g');
  update_graph_scales(*s, *s, s->layout);
  const FrameDescription g = describe_frame(*s);
  c = curves(g);
  ASSERT_EQ(c.size(), 3u);
  EXPECT_DOUBLE_EQ(c[1]->segments[1].b.y, 0.1 + 2.0 * 0.25 / 4.0);
  EXPECT_DOUBLE_EQ(c[1]->segments[0].b.y, 0.1 + 1.0 * 0.25 / 4.0);
  EXPECT_DOUBLE_EQ(c[2]->segments[1].b.y, -0.6 - 1.0 * 0.25 / 0.5);  // below the graph
  EXPECT_EQ(lines_of_width(g, 0.4, 0.35, 0.9, 0.35, colour_red, 2.0f), 1);
  EXPECT_EQ(texts_saying(g, "Vertical motion").size(), 1u);
}

TEST(GraphCurves, TorqueCurvesGrowWithTheDisplayedSample) {
  auto s = make_scenario('b', 'h');
  s->scara.tau1max_h = s->scara.tau2max_h = 1.0;
  for (int i = 0; i < kRecordCapacity; ++i) {
    s->scara_run.toc_tau[i][0] = 0.5;
    s->scara_run.toc_tau[i][1] = -0.5;
  }
  update_graph_scales(*s, *s, s->layout);
  for (int shown : {0, 1, 80, 199}) {
    s->frame_index = shown;
    const FrameDescription f = describe_frame(*s);
    const std::vector<const Lines*> c = curves(f);
    ASSERT_EQ(c.size(), 3u);
    for (int j = 0; j < 2; ++j) {
      ASSERT_EQ(c[1 + j]->segments.size(), 2u * shown) << shown;
      if (shown == 0) continue;
      const Segment& last = c[1 + j]->segments.back();
      EXPECT_NEAR(last.b.x, 0.4 + shown * 0.0025, 1e-12);
      EXPECT_DOUBLE_EQ(last.b.y, (j == 0 ? 0.1 : -0.6) + (j == 0 ? 0.125 : -0.125));
      EXPECT_TRUE(same_colour(last.colour, colour_blue));
    }
  }
}

TEST(GraphCurves, TorqueLimitWithoutValueDrawsNoCurve) {
  auto s = make_scenario('a', 'h');
  for (int i = 0; i < kRecordCapacity; ++i) {
    s->cyl_run.toc_tau[i][0] = s->cyl_run.toc_tau[i][1] = 0.3;
    s->cyl_run.fb_tau[i][0] = s->cyl_run.fb_tau[i][1] = -0.3;
  }
  s->frame_index = 150;
  for (double limit : {0.0, kNaN, kInf}) {
    s->cyl.tau1max_h = limit;
    s->cyl.tau2max_h = limit;
    update_graph_scales(*s, *s, s->layout);
    const FrameDescription f = describe_frame(*s);
    // Only the displacement curves.
    EXPECT_EQ(curves(f).size(), 1u) << limit;
    // The frame around them is still there.
    EXPECT_EQ(lines_of_width(f, 0.4, 0.35, 0.9, 0.35, colour_red, 2.0f), 1);
    EXPECT_EQ(lines_of_width(f, 0.4, -0.85, 0.9, -0.85, colour_red, 2.0f), 1);
  }
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

TEST_F(Graphs, SurviveSampleTimesAndCountsOutsideTheirRange) {
  auto s = make_scenario('b', 'g');
  fill_ramps(s->scara_run);
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
    update_graph_scales(*s, *s, s->layout);
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
