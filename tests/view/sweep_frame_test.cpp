// The gear-ratio sweep's view as a description, from sweeps filled by hand:
// the curves hold the points found and only those, the marks and the
// results panel say what the points show, and a click picks the point drawn.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "model/scenario.h"
#include "view/describe_frame.h"
#include "view/plot_axes.h"
#include "view/sweep_frame.h"
#include "view/sweep_layout.h"
#include "frame_query.h"
#include "text_apart.h"

namespace {

using namespace viewtest;

// Fastest at ratio index 25 (tf 1.598 s) on axis 0, at 12 on axis 1; the PID
// design 40 % slower; no motion at the three smallest ratios of axis 1.
double tf_of(int axis, int i) {
  const int d = i - (axis == 0 ? 25 : 12);
  return (axis == 0 ? 1.598 : 2.25) + 0.004 * d * d;
}

RatioSweep hand_filled(bool gravity) {
  RatioSweep s{};
  s.generation = 7;
  s.robot_selected = true;
  s.gravity = gravity;
  s.current_u[0] = 50.0, s.current_u[1] = 10.0;
  s.matched_u[0] = 40.0, s.matched_u[1] = 6.4;
  for (int axis = 0; axis < 2; ++axis)
    for (int i = 0; i < kSweepRatios; ++i) {
      const bool found = !(axis == 1 && i < 3);
      s.axis[axis][i] = SweepPoint{sweep_ratio(i), found ? tf_of(axis, i) : 0.0,
                                   1.4 * tf_of(axis, i), true, found};
      ++s.done_count;
    }
  return s;
}

std::unique_ptr<Scenario> scenario_of(const RatioSweep& sweep) {
  auto s = std::make_unique<Scenario>();
  s->view_mode = ViewMode::Sweep;
  s->sweep = sweep;
  return s;
}

bool has_text(const FrameDescription& f, const std::string& text) {
  for (const ScaledText& t : f.scaled_texts)
    if (t.text == text) return true;
  return false;
}

// The dots of one colour inside the plot of an axis.
std::vector<Point> dots_in(const FrameDescription& f, int axis, const Colour& c) {
  std::vector<Point> out;
  for (const std::vector<Dot>& dots : f.dots)
    for (const Dot& d : dots)
      if (same_colour(d.colour, c) && lesson::contains(sweep::kPlot[axis], d.centre))
        out.push_back(d.centre);
  return out;
}

// Points of an axis the frame should draw.
int drawn_points(const RatioSweep& s, int axis) {
  int n = 0;
  for (const SweepPoint& p : s.axis[axis]) n += p.done && p.found;
  return n;
}

// Curve segments (2 px) of colour c within the plot of an axis.
std::vector<Segment> curve_segments(const FrameDescription& f, int axis, const Colour& c) {
  std::vector<Segment> out;
  for (const Lines& l : f.lines)
    if (l.width == 2.0f)
      for (const Segment& s : l.segments)
        if (same_colour(s.colour, c) && lesson::contains(sweep::kPlot[axis], s.a)) out.push_back(s);
  return out;
}

TEST(SweepFrame, CurvesHoldThePointsFoundAndBreakWhereThereIsNoMotion) {
  const RatioSweep sw = hand_filled(false);
  const FrameDescription f = describe_frame(*scenario_of(sw));
  for (int axis = 0; axis < 2; ++axis) {
    SCOPED_TRACE("axis " + std::to_string(axis));
    for (const Colour& c : {colour_blue, colour_red}) {
      const std::vector<Point> dots = dots_in(f, axis, c);
      EXPECT_EQ(static_cast<int>(dots.size()), drawn_points(sw, axis));
      // Each dot at its point's ratio, none at a ratio without motion.
      for (const Point& d : dots) {
        int at = -1;
        for (int i = 0; i < kSweepRatios; ++i)
          if (near(d.x, sweep::ratio_x(sw.axis[axis][i].u))) at = i;
        ASSERT_GE(at, 0);
        EXPECT_TRUE(sw.axis[axis][at].found);
      }
      // Joined point to point, one unbroken run (axis 1's starts after the
      // ratios without motion): one segment fewer than points.
      EXPECT_EQ(static_cast<int>(curve_segments(f, axis, c).size()), drawn_points(sw, axis) - 1);
      for (const Segment& s : curve_segments(f, axis, c))
        EXPECT_GE(std::min(s.a.x, s.b.x),
                  sweep::ratio_x(sw.axis[axis][axis == 0 ? 0 : 3].u) - 1e-9);
    }
  }
  EXPECT_TRUE(has_text(f, "no motion at 3 ratios (left out)"));
  EXPECT_FALSE(has_text(f, "computing: 80 of 80"));
}

TEST(SweepFrame, AGapOfNoMotionInsideTheAxisBreaksTheCurve) {
  RatioSweep sw = hand_filled(false);
  sw.axis[0][30].found = false;
  const FrameDescription f = describe_sweep_frame(*scenario_of(sw));
  const std::vector<Segment> blue = curve_segments(f, 0, colour_blue);
  EXPECT_EQ(static_cast<int>(blue.size()), drawn_points(sw, 0) - 2);
  const double gap = sweep::ratio_x(sw.axis[0][30].u);
  for (const Segment& s : blue)
    EXPECT_FALSE(std::min(s.a.x, s.b.x) < gap && std::max(s.a.x, s.b.x) > gap);
  EXPECT_TRUE(has_text(f, "no motion at 4 ratios (left out)"));
}

TEST(SweepFrame, MarksTheFastestTheMatchedAndTheCurrentRatio) {
  const RatioSweep sw = hand_filled(false);
  const FrameDescription f = describe_sweep_frame(*scenario_of(sw));
  // The fastest: a blue ring about its point, its tf beside it.
  int rings = 0;
  for (const Round& r : f.rounds) {
    if (r.filled || !same_colour(r.colour, colour_blue)) continue;
    ++rings;
    EXPECT_TRUE(near(r.centre.x, sweep::ratio_x(sweep_ratio(25))) ||
                near(r.centre.x, sweep::ratio_x(sweep_ratio(12))));
  }
  EXPECT_EQ(rings, 2);
  EXPECT_TRUE(has_text(f, "tf = 1.598 s"));
  EXPECT_TRUE(has_text(f, "tf = 2.250 s"));
  // The matched ratios dashed (several pieces on one vertical), with their values.
  EXPECT_GE(verticals_at(f, sweep::ratio_x(40.0), colour_axis), 5);
  EXPECT_GE(verticals_at(f, sweep::ratio_x(6.4), colour_axis), 5);
  EXPECT_TRUE(has_text(f, "u1* = 40"));
  EXPECT_TRUE(has_text(f, "u2* = 6.4"));
  // The current ratios: one solid line across each plot.
  for (int axis = 0; axis < 2; ++axis) {
    const DrawingRect& a = sweep::kPlot[axis];
    const double x = sweep::ratio_x(sw.current_u[axis]);
    EXPECT_EQ(segments_between(f, x, a.y0, x, a.y1, colour_black), 1);
  }
  EXPECT_TRUE(has_text(f, "current u1 = 50"));
  EXPECT_TRUE(has_text(f, "current u2 = 10"));
  EXPECT_TRUE(has_text(f, "joint 1: tf and tfm [s] over u1 (u2 = 10)"));
}

TEST(SweepFrame, ResultsPanelSaysWhatTheSweepShows) {
  const FrameDescription plain = describe_sweep_frame(*scenario_of(hand_filled(false)));
  const std::vector<std::string> lines = {
      "fastest u1 = 38.7 (tf = 1.598 s); matched u1* = 40 at the start point",
      "fastest u2 = 5.78 (tf = 2.250 s); matched u2* = 6.4 at the start point",
  };
  EXPECT_EQ(sweep_result_lines(hand_filled(false)),
            (std::vector<std::string>{lines[0], lines[1], "no motion at 3 ratios (left out)"}));
  for (const std::string& l : lines) EXPECT_TRUE(has_text(plain, l)) << l;
  EXPECT_FALSE(has_text(plain, "with gravity the holding torque is added to the torque limits"));
  const FrameDescription vertical = describe_sweep_frame(*scenario_of(hand_filled(true)));
  EXPECT_TRUE(has_text(vertical, "with gravity the holding torque is added to the torque limits"));
}

TEST(SweepFrame, APartialSweepDrawsTheDonePointsOnlyAndItsProgress) {
  RatioSweep sw = hand_filled(false);
  for (int axis = 0; axis < 2; ++axis)
    for (int i = 0; i < kSweepRatios; ++i)
      if (i % 3 != 0) {
        sw.axis[axis][i].done = false;
        --sw.done_count;
      }
  ASSERT_EQ(sw.done_count, 28);
  const FrameDescription f = describe_sweep_frame(*scenario_of(sw));
  EXPECT_TRUE(has_text(f, "computing: 28 of 80"));
  for (int axis = 0; axis < 2; ++axis) {
    EXPECT_EQ(static_cast<int>(dots_in(f, axis, colour_blue).size()), drawn_points(sw, axis));
    for (const Point& d : dots_in(f, axis, colour_red)) {
      bool at_done = false;
      for (int i = 0; i < kSweepRatios; i += 3)
        at_done |= near(d.x, sweep::ratio_x(sw.axis[axis][i].u));
      EXPECT_TRUE(at_done);
    }
  }
  // The fastest so far: axis 0's index 24 (25 is not done yet).
  EXPECT_TRUE(has_text(f, "tf = 1.602 s"));
  // Nothing found yet on an axis.
  for (SweepPoint& p : sw.axis[1]) p.found = false;
  EXPECT_EQ(sweep_result_lines(sw)[1],
            "fastest u2: none found yet; matched u2* = 6.4 at the start point");
}

TEST(SweepFrame, WithoutARobotOnlyTheTitleAndAHint) {
  RatioSweep sw{};
  const FrameDescription f = describe_sweep_frame(*scenario_of(sw));
  ASSERT_EQ(f.scaled_texts.size(), 2u);
  EXPECT_EQ(f.scaled_texts[1].text, "choose a robot first");
  EXPECT_TRUE(f.lines.empty());
  EXPECT_TRUE(f.dots.empty());
  EXPECT_FALSE(sweep_pick_at(Point{0.0, 0.4}, sw).has_value());
}

TEST(SweepFrame, TextsStayApartAndInsideInSmallSquares) {
  RatioSweep partial = hand_filled(true);
  partial.done_count = 79;
  partial.axis[1][39].done = false;
  for (const RatioSweep& sw : {hand_filled(true), partial})
    for (int side : {380, 600, 800}) {
      const FrameDescription f = describe_sweep_frame(*scenario_of(sw));
      expect_apart(f, side, "side " + std::to_string(side));
      for (const ScaledText& t : f.scaled_texts) {
        if (t.y < sweep::kResultsPanel.y1) {
          EXPECT_TRUE(inside(text_box(t, side), sweep::kResultsPanel)) << t.text;
        }
      }
    }
}

TEST(SweepPick, PicksTheDrawnPointUnderAClickAndNothingElsewhere) {
  RatioSweep sw = hand_filled(false);
  sw.axis[0][10].done = false;
  const FrameDescription f = describe_sweep_frame(*scenario_of(sw));
  for (int axis = 0; axis < 2; ++axis)
    for (const Point& d : dots_in(f, axis, colour_blue)) {
      const auto pick = sweep_pick_at(d, sw);
      ASSERT_TRUE(pick.has_value());
      EXPECT_EQ(pick->axis, axis);
      EXPECT_TRUE(near(sweep::ratio_x(sw.axis[axis][pick->index].u), d.x));
      // Anywhere up the column picks it too.
      const auto up = sweep_pick_at(Point{d.x > 0.0 ? d.x - 0.004 : d.x + 0.004,
                                          sweep::kPlot[axis].y1 - 0.01}, sw);
      ASSERT_TRUE(up.has_value());
      EXPECT_EQ(up->axis, axis);
      EXPECT_EQ(up->index, pick->index);
    }
  // Columns without a point drawn pick nothing.
  EXPECT_FALSE(sweep_pick_at(Point{sweep::ratio_x(sw.axis[0][10].u), 0.4}, sw).has_value());
  EXPECT_FALSE(sweep_pick_at(Point{sweep::ratio_x(sw.axis[1][1].u), -0.2}, sw).has_value());
  // Outside both plots: title, between them, the panel, beside them.
  for (const Point& p : {Point{0.0, 0.9}, Point{0.0, 0.1}, Point{0.0, -0.8}, Point{-0.9, 0.4},
                         Point{0.98, -0.2}})
    EXPECT_FALSE(sweep_pick_at(p, sw).has_value()) << p.x << " " << p.y;
  // From window pixels (y from the top): in a 380-pixel window the pixel
  // over axis 0's point 20 picks it.
  const Point target{sweep::ratio_x(sw.axis[0][20].u), 0.5};
  const int px = static_cast<int>(std::floor((target.x + 1.0) / 2.0 * 380.0));
  const int py = static_cast<int>(std::floor((1.0 - target.y) / 2.0 * 380.0));
  const auto pick = sweep_pick_at(lesson::drawing_point(px, py, 380, 380), sw);
  ASSERT_TRUE(pick.has_value());
  EXPECT_EQ(pick->axis, 0);
  EXPECT_EQ(pick->index, 20);
}

}  // namespace
