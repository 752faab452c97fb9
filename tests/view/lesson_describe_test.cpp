// The lesson view as a description, without drawing: graph ranges that hold
// every value they plot, round tick steps, the robot area holding the
// motion, and texts that never overlap.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "view/lesson_frame.h"
#include "view/lesson_graphs.h"
#include "view/lesson_layout.h"
#include "view/text_metrics.h"
#include "lesson_fixture.h"
#include "text_apart.h"
#include "view_harness.h"

namespace {

using namespace viewtest;

struct Case {
  char robot, gravity;
};
const Case kCases[] = {{'a', 'h'}, {'a', 'g'}, {'b', 'h'}, {'b', 'g'}};

bool strictly_inside(const ValueRange& r, double v) { return v > r.lo && v < r.hi; }

TEST(LessonRanges, HoldEveryValueOfBothRunsTheGoalAndTheLimitsWithRoomToSpare) {
  for (const Case c : kCases) {
    auto s = solved_lesson(c.robot, c.gravity);
    ASSERT_NE(s, nullptr);
    const LessonInputs in = gather_lesson_inputs(*s);
    ASSERT_TRUE(has_motion(in));
    for (int g = 0; g < lesson::kTimeGraphs; ++g) {
      SCOPED_TRACE(std::string(1, c.robot) + c.gravity + " graph " + std::to_string(g));
      const ValueRange r = time_graph_range(in, g);
      const int j = joint_of(g);
      double lo = 1e300, hi = -1e300;
      const auto shown = [&](double v) {
        EXPECT_TRUE(strictly_inside(r, v)) << v;
        lo = std::min(lo, v), hi = std::max(hi, v);
      };
      for (bool toc : {false, true})
        for (int i = 0; i <= in.frame_count; ++i) shown(series(in, quantity_of(g), toc)[i][j]);
      if (quantity_of(g) == Quantity::Displacement) shown(in.goal[j]);
      if (quantity_of(g) == Quantity::Torque) shown(in.limit[j]), shown(-in.limit[j]);
      // Fitted: a small margin, not room to spare for values never shown.
      EXPECT_GT(r.lo, lo - 0.1 * (hi - lo));
      EXPECT_LT(r.hi, hi + 0.1 * (hi - lo));
    }
  }
}

TEST(LessonRanges, TheScaraDefaultsSecondJointSwingIsInsideItsGraph) {
  auto s = solved_lesson('b', 'h');
  ASSERT_NE(s, nullptr);
  const LessonInputs in = gather_lesson_inputs(*s);
  double most = -1e9;
  for (int i = 0; i <= in.frame_count; ++i) most = std::max(most, in.toc_q[i][1]);
  EXPECT_GT(most, 2.7);  // the swing the classic graph's scale cuts
  EXPECT_TRUE(strictly_inside(time_graph_range(in, 1), most));
}

// Every red or blue segment of the graphs lies within a plot: no curve is cut.
TEST(LessonRanges, CurvesStayInsideTheirPlots) {
  for (const Case c : kCases) {
    auto s = solved_lesson(c.robot, c.gravity);
    ASSERT_NE(s, nullptr);
    const FrameDescription f = describe_lesson_frame(gather_lesson_inputs(*s));
    std::vector<DrawingRect> plots{lesson::phase_plot(0), lesson::phase_plot(1)};
    for (int g = 0; g < lesson::kTimeGraphs; ++g) plots.push_back(lesson::time_plot(g));
    const auto in_a_plot = [&](const Point& p) {
      for (const DrawingRect& r : plots)
        if (lesson::contains(DrawingRect{r.x0 - 1e-9, r.y0 - 1e-9, r.x1 + 1e-9, r.y1 + 1e-9}, p))
          return true;
      return false;
    };
    int curves = 0;
    for (const Lines& l : f.lines) {
      if (l.placed) continue;
      for (const Segment& seg : l.segments) {
        const bool coloured =
            same_colour(seg.colour, colour_red) || same_colour(seg.colour, colour_blue);
        // The robot area and the legend are not graphs.
        if (!coloured || lesson::contains(lesson::kRobotArea, seg.a) || seg.a.y > 0.9) continue;
        ++curves;
        EXPECT_TRUE(in_a_plot(seg.a) && in_a_plot(seg.b))
            << c.robot << c.gravity << " " << seg.a.x << "," << seg.a.y;
      }
    }
    EXPECT_GT(curves, 8 * 200);  // both runs of eight graphs
  }
}

TEST(LessonRanges, ValuesThatAreNotNumbersAreLeftOutOfRangesAndCurves) {
  auto s = solved_lesson('b', 'g');
  ASSERT_NE(s, nullptr);
  s->scara_run.toc_dq[50][0] = NAN;
  s->scara_run.fb_dq[60][0] = INFINITY;
  s->scara_run.toc_phi[70][1] = -INFINITY;
  const LessonInputs in = gather_lesson_inputs(*s);
  for (int g : {1, 2}) {
    const ValueRange r = time_graph_range(in, g);
    EXPECT_TRUE(std::isfinite(r.lo) && std::isfinite(r.hi) && r.hi > r.lo) << g;
    EXPECT_LT(r.hi - r.lo, 20.0) << g;  // the range of the finite values
  }
  const FrameDescription f = describe_lesson_frame(in);
  for (const Lines& l : f.lines)
    for (const Segment& seg : l.segments) EXPECT_TRUE(is_finite(seg.a) && is_finite(seg.b));
}

TEST(LessonRanges, WithoutARobotOrRecordsTheGraphsAreEmptyButScaled) {
  auto s = make_scenario('x', 'h');
  s->view_mode = ViewMode::Lesson;
  const LessonInputs in = gather_lesson_inputs(*s);
  EXPECT_FALSE(has_motion(in));
  for (int g = 0; g < lesson::kTimeGraphs; ++g) {
    const ValueRange r = time_graph_range(in, g);
    EXPECT_TRUE(r.hi > r.lo) << g;
  }
  const FrameDescription f = describe_lesson_frame(in);
  EXPECT_TRUE(f.dots.empty());
  bool said = false;
  for (const ScaledText& t : f.scaled_texts) said = said || t.text == "no robot selected";
  EXPECT_TRUE(said);
  expect_apart(f, 600, "no robot");
}

TEST(LessonTicks, StepsAreOneTwoOrFiveTimesAPowerOfTenAndTheLeastSuch) {
  for (double raw = 1e-4; raw < 1e5; raw *= 1.37) {
    const double step = round_step(raw);
    ASSERT_GE(step, raw * (1 - 1e-12)) << raw;
    const double p = std::pow(10.0, std::floor(std::log10(step) + 1e-9));
    const double m = step / p;
    EXPECT_TRUE(std::fabs(m - 1) < 1e-9 || std::fabs(m - 2) < 1e-9 || std::fabs(m - 5) < 1e-9)
        << raw << " " << step;
    // The next smaller round step would be too small.
    const double smaller = std::fabs(m - 1) < 1e-9   ? 0.5 * step
                           : std::fabs(m - 2) < 1e-9 ? 0.5 * step
                                                     : 0.4 * step;
    EXPECT_LT(smaller, raw) << raw;
  }
  EXPECT_EQ(round_step(0.0), 1.0);
  EXPECT_EQ(round_step(-3.0), 1.0);
  EXPECT_EQ(round_step(NAN), 1.0);
}

TEST(LessonTicks, ValuesAreTheMultiplesInsideTheRangeWrittenAsTheStepNeeds) {
  const std::vector<double> v = tick_values(-0.53, 1.61, 0.5);
  ASSERT_EQ(v.size(), 5u);  // -0.5 0 0.5 1 1.5
  for (std::size_t k = 0; k < v.size(); ++k) {
    EXPECT_GE(v[k], -0.53);
    EXPECT_LE(v[k], 1.61);
    EXPECT_NEAR(v[k] / 0.5, std::round(v[k] / 0.5), 1e-9);
    if (k > 0) {
      EXPECT_NEAR(v[k] - v[k - 1], 0.5, 1e-12);
    }
  }
  EXPECT_TRUE(tick_values(0.0, 1.0, 0.0).empty());
  EXPECT_LE(tick_values(0.0, 1e9, 1.0).size(), 50u);
  EXPECT_EQ(tick_text(-1e-17, 0.5), "0.0");  // no "-0.0"
  EXPECT_EQ(tick_text(-1e-17, 2.0), "0");
  EXPECT_EQ(tick_text(-1.5, 0.5), "-1.5");
  EXPECT_EQ(tick_text(0.25, 0.05), "0.25");
  EXPECT_EQ(tick_text(2000, 500), "2000");
  // Axis steps keep numbers apart: at most `most` ticks, min_gap between them.
  const double step = axis_step(-2.3, 2.9, 0.185, 0.05, 4);
  EXPECT_GE(step / 5.2 * 0.185, 0.05);
  EXPECT_LE(tick_values(-2.3, 2.9, step).size(), 5u);
}

TEST(LessonRobotArea, HoldsTheStartTheGoalAndEveryTipPositionAtAnyZoom) {
  for (const Case c : kCases) {
    for (double zoom : {1.0, 0.9 * 0.9, 1.0 / 0.9}) {
      auto s = solved_lesson(c.robot, c.gravity);
      ASSERT_NE(s, nullptr);
      s->view_scale = zoom;
      const LessonInputs in = gather_lesson_inputs(*s);
      const FrameDescription f = describe_lesson_frame(in);
      ASSERT_EQ(f.dots.size(), 1u);
      EXPECT_EQ(f.dots[0].size(), 2u * (in.shown + 1));
      for (const Dot& d : f.dots[0])
        EXPECT_TRUE(lesson::contains(lesson::kRobotArea, d.centre)) << c.robot << " " << zoom;
      int labels = 0;
      for (const ScaledText& t : f.scaled_texts)
        // The graphs' goal lines have labels too, right of the plots.
        if ((t.text == "start" || t.text == "goal") && t.x < lesson::kLeftX1) {
          ++labels;
          EXPECT_TRUE(lesson::contains(lesson::kRobotArea, Point{t.x, t.y}));
        }
      EXPECT_EQ(labels, 2);
    }
  }
}

TEST(LessonRobotArea, ThePlacementTakesPointsThereAndBackAndMarksStartAndGoalWhereItPutsThem) {
  auto s = solved_lesson('b', 'h');
  ASSERT_NE(s, nullptr);
  s->view_scale = 0.9;
  const LessonInputs in = gather_lesson_inputs(*s);
  const lesson::Placement m = robot_placement(in);
  for (const Point p : {Point{0.0, 0.0}, Point{-0.45, 0.3}, Point{1.2, -0.7}}) {
    const Point back = m.unapply(m.apply(p));
    EXPECT_NEAR(back.x, p.x, 1e-12);
    EXPECT_NEAR(back.y, p.y, 1e-12);
  }
  const auto placed = [&](double x, double y) {
    return m.apply(Point{0.9 * (in.robot_base[0] + x), 0.9 * (in.robot_base[1] + y)});
  };
  const Point start = placed(s->x0, s->y0), goal = placed(s->xf, s->yf);
  const FrameDescription f = describe_lesson_frame(in);
  int hollow = 0, filled = 0;
  for (const Round& r : f.rounds) {
    if (std::hypot(r.centre.x - start.x, r.centre.y - start.y) < 1e-12 && !r.filled) ++hollow;
    if (std::hypot(r.centre.x - goal.x, r.centre.y - goal.y) < 1e-12 && r.filled) ++filled;
  }
  EXPECT_EQ(hollow, 1);
  EXPECT_EQ(filled, 1);
}

// ---- Text boxes from the font's metrics, as drawn at a window size ----

struct Window {
  int width, height;
};

TEST(LessonText, NoTwoTextsOverlapAtAnyWindowSizeInAnyState) {
  for (const Window w : {Window{600, 900}, Window{800, 800}, Window{1920, 1080}}) {
    const int side = std::min(w.width, w.height);
    for (const Case c : kCases) {
      auto s = solved_lesson(c.robot, c.gravity);
      ASSERT_NE(s, nullptr);
      const std::string name = std::string(1, c.robot) + c.gravity + " at " + std::to_string(side);
      expect_apart(describe_lesson_frame(gather_lesson_inputs(*s)), side, name);
      // Every line of the results panel and the readout at once.
      s->playback.playing = true;
      s->playback.speed_log2 = -3;
      s->answer_pending = true;
      s->outcome.by_search = true;
      s->outcome.method = FoundBy::Search;
      s->outcome.misses_goal = true;
      s->frame_index = 0;
      expect_apart(describe_lesson_frame(gather_lesson_inputs(*s)), side, name + " busy");
      s->outcome.found = false;
      expect_apart(describe_lesson_frame(gather_lesson_inputs(*s)), side, name + " unsolved");
    }
  }
}

TEST(LessonText, TheResultsPanelSaysHowTheMotionWasFoundOrThatItWasNot) {
  auto s = solved_lesson('b', 'h');
  ASSERT_NE(s, nullptr);
  const auto has = [](const FrameDescription& f, const std::string& text) {
    for (const ScaledText& t : f.scaled_texts)
      if (t.text == text) return &t;
    return static_cast<const ScaledText*>(nullptr);
  };
  FrameDescription f = describe_lesson_frame(gather_lesson_inputs(*s));
  EXPECT_TRUE(has(f, "found by two Newton passes"));
  EXPECT_FALSE(has(f, "PID saturated: not at its goal by tfm"));
  EXPECT_FALSE(has(f, "no solution for these conditions"));
  s->outcome.by_search = true;
  s->outcome.method = FoundBy::Search;
  s->outcome.misses_goal = true;
  f = describe_lesson_frame(gather_lesson_inputs(*s));
  EXPECT_TRUE(has(f, "found by the multi-start search"));
  const ScaledText* warning = has(f, "PID saturated: not at its goal by tfm");
  ASSERT_TRUE(warning);
  EXPECT_GT(warning->colour.r, 0.5f);
  EXPECT_LT(warning->colour.g + warning->colour.b, 0.2f);
  s->outcome.found = false;
  f = describe_lesson_frame(gather_lesson_inputs(*s));
  EXPECT_TRUE(has(f, "no solution for these conditions"));
  EXPECT_FALSE(has(f, "found by the multi-start search"));
  // Without a solution there is no motion to plot: no curve, no dot.
  EXPECT_TRUE(f.dots.empty());
}

}  // namespace
