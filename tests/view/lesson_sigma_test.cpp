// The lesson view's switching functions (key f): in the rows of the velocity
// graphs, both joints' sigma as recorded, the switches ringed on the zero
// line, arcs inside the limits shaded, the rule said once, and a sign change
// without a switch ringed in dark red; nothing of it while it is off.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "lesson_fixture.h"
#include "text_apart.h"
#include "view/lesson_frame.h"
#include "view/lesson_layout.h"
#include "view/lesson_sigma.h"
#include "view/lesson_time_marks.h"
#include "view/plot_axes.h"
#include "view/text_metrics.h"

namespace {

using namespace viewtest;

// Greek letters and the minus sign, not a hyphen, as UTF-8.
constexpr const char* kRule = "\xcf\x84_j = \xe2\x88\x92\xcf\x84_jmax \xc2\xb7 sign(\xcf\x83_j)";
// The extended solver keeps the Newton passes' slower motion here, which
// breaks the rule (as the results panel's test has it).
constexpr const char* kRuleBreaker = "b h y z h y -0.7176 -0.3300 0.0926 -0.7627\n1\n";

const RobotRun& run_of(const Scenario& s) { return *selected_run(s, s.robot); }

Plot sigma_plot(const Scenario& s, int j) {
  return Plot{lesson::time_plot(2 + j), 0.0, s.frame_count * s.dt, -kSigmaReach, kSigmaReach};
}

FrameDescription frame(const Scenario& s) { return describe_lesson_frame(gather_lesson_inputs(s)); }

int texts_saying(const FrameDescription& f, const std::string& text) {
  return static_cast<int>(std::count_if(f.scaled_texts.begin(), f.scaled_texts.end(),
                                        [&](const ScaledText& t) { return t.text == text; }));
}

// The texts of f with a character the lesson font's table lacks (it would not be drawn).
std::vector<std::string> undrawable_texts(const FrameDescription& f) {
  std::vector<std::string> out;
  for (const ScaledText& t : f.scaled_texts)
    for (std::size_t at = 0; at < t.text.size();)
      if (!in_font_table(next_char(t.text, at))) {
        out.push_back(t.text);
        break;
      }
  return out;
}

bool in_rect(const Point& p, const DrawingRect& r) {
  return p.x >= r.x0 - 1e-9 && p.x <= r.x1 + 1e-9 && p.y >= r.y0 - 1e-9 && p.y <= r.y1 + 1e-9;
}

// The segments of blue 2-pixel curves with an end inside rectangle r.
std::vector<Segment> blue_curve_in(const FrameDescription& f, const DrawingRect& r) {
  std::vector<Segment> out;
  for (const Lines& l : f.lines)
    if (!l.placed && l.width == 2.0f)
      for (const Segment& s : l.segments)
        if (same_colour(s.colour, colour_blue) && (in_rect(s.a, r) || in_rect(s.b, r)))
          out.push_back(s);
  return out;
}

// The recorded sigma of joint j at time t, between the samples about it.
double sigma_at(const Scenario& s, int j, double t) {
  const double at = std::clamp(t / s.dt, 0.0, static_cast<double>(s.frame_count));
  const int i = std::min(static_cast<int>(at), s.frame_count - 1);
  const double w = at - i;
  const double(*v)[2] = run_of(s).toc_sigma;
  return v[i][j] + w * (v[i + 1][j] - v[i][j]);
}

// Hollow rounds of colour c, each centre with its radius.
std::vector<Round> rings(const FrameDescription& f, const Colour& c, const DrawingRect& r) {
  std::vector<Round> out;
  for (const Round& d : f.rounds)
    if (!d.filled && same_colour(d.colour, c) && in_rect(d.centre, r)) out.push_back(d);
  return out;
}

bool ring_at(const std::vector<Round>& rs, const Point& p) {
  for (const Round& d : rs)
    if (std::fabs(d.centre.x - p.x) < 1e-9 && std::fabs(d.centre.y - p.y) < 1e-9) return true;
  return false;
}

TEST(LessonSigma, OnItDrawsBothJointsRecordedSwitchingFunctionsInTheVelocityRowsOffNothingOfIt) {
  auto s = solved_lesson('a', 'h');
  ASSERT_NE(s, nullptr);
  ASSERT_TRUE(run_of(*s).sigma_valid);
  const FrameDescription off = frame(*s);
  EXPECT_EQ(texts_saying(off, kRule), 0);
  EXPECT_EQ(texts_saying(off, "joint 1 velocity [rad/s]"), 1);
  // Off, the switching functions are not read at all: other values draw the same frame.
  LessonInputs garbled = gather_lesson_inputs(*s);
  const double nonsense[kRecordCapacity][2] = {};
  garbled.toc_sigma = nonsense;
  garbled.sigma_valid = false;
  const FrameDescription off2 = describe_lesson_frame(garbled);
  ASSERT_EQ(off.lines.size(), off2.lines.size());
  for (std::size_t k = 0; k < off.lines.size(); ++k)
    EXPECT_EQ(off.lines[k].segments.size(), off2.lines[k].segments.size());
  EXPECT_EQ(off.rounds.size(), off2.rounds.size());
  EXPECT_EQ(off.scaled_texts.size(), off2.scaled_texts.size());

  s->sigma_panel = true;
  const FrameDescription on = frame(*s);
  EXPECT_EQ(texts_saying(on, "joint 1 velocity [rad/s]"), 0);
  EXPECT_EQ(texts_saying(on, "joint 2 velocity [m/s]"), 0);
  EXPECT_EQ(texts_saying(on, "joint 1 switching function \u03c31 [scaled]"), 1);
  EXPECT_EQ(texts_saying(on, "joint 2 \u03c32 [scaled]"), 1);
  for (int j = 0; j < 2; ++j) {
    SCOPED_TRACE(j);
    const Plot p = sigma_plot(*s, j);
    const std::vector<Segment> curve = blue_curve_in(on, p.area);
    ASSERT_GT(curve.size(), 50u);
    // Every point of it on the recorded sigma, within the plot (joint 2's dashes too).
    double reach = 0.0;
    for (const Segment& g : curve)
      for (const Point& q : {g.a, g.b}) {
        EXPECT_TRUE(in_rect(q, p.area));
        const double t = (q.x - p.area.x0) / (p.area.x1 - p.area.x0) * p.x_hi;
        EXPECT_NEAR(q.y, p.y_of(sigma_at(*s, j, t)), 1e-6) << "t " << t;
        reach = std::max(reach, std::fabs(q.y - p.y_of(0.0)));
      }
    // Scaled to its own largest magnitude: it reaches +-1.
    EXPECT_NEAR(reach / (p.y_of(1.0) - p.y_of(0.0)), 1.0, 0.02);
  }
  // Joint 1 solid: one polyline through every sample up to tf, none past it
  // (the record holds 0 there); joint 2 dashed, in pieces.
  const double tf = run_of(*s).tt[3];
  int last = 0;
  while (last < s->frame_count && !((last + 1) * s->dt > tf)) ++last;
  ASSERT_LT(last, s->frame_count);
  EXPECT_EQ(blue_curve_in(on, lesson::time_plot(2)).size(), static_cast<std::size_t>(last));
  for (const Segment& g : blue_curve_in(on, lesson::time_plot(3)))
    EXPECT_LE(std::max(g.a.x, g.b.x), sigma_plot(*s, 1).x_of(tf) + 1e-9);
  const std::vector<Segment> dashes = blue_curve_in(on, lesson::time_plot(3));
  int gaps = 0;
  for (std::size_t k = 1; k < dashes.size(); ++k)
    gaps += std::hypot(dashes[k].a.x - dashes[k - 1].b.x, dashes[k].a.y - dashes[k - 1].b.y) > 1e-9;
  EXPECT_GT(gaps, 10);
}

TEST(LessonSigma, TheSwitchesAreRingedOnTheZeroLineOnceShownAndSigmaKeepsTheRuleBetween) {
  for (const char* task : {"a h n", "b g n", kScaraSingular}) {
    SCOPED_TRACE(task);
    auto s = solved_lesson_from(task);
    ASSERT_NE(s, nullptr);
    s->sigma_panel = true;
    const Motion& m = run_of(*s).motion;
    FrameDescription f = frame(*s);
    for (int j = 0; j < 2; ++j) {
      const Plot p = sigma_plot(*s, j);
      const std::vector<Round> ring = rings(f, colour_blue, p.area);
      EXPECT_EQ(static_cast<int>(ring.size()), switch_count(m, j)) << "joint " << j;
      for (int k = 0; k < switch_count(m, j); ++k)
        EXPECT_TRUE(ring_at(ring, p.at(m.joint[j].end[k], 0.0))) << j << " " << k;
      // tau_j = -tau_jmax sign(sigma_j) in the middle of every arc at a limit.
      for (int k = 0; k < m.joint[j].count; ++k) {
        const double t0 = k == 0 ? 0.0 : m.joint[j].end[k - 1], t1 = m.joint[j].end[k];
        if (m.joint[j].kind[k] == kArcInterior || t1 - t0 < 4.0 * s->dt) continue;
        const double v = sigma_at(*s, j, (t0 + t1) / 2.0);
        EXPECT_LT(v * m.joint[j].kind[k], 0.0) << "joint " << j << " arc " << k;
      }
    }
    // At the first sample no switch has been passed yet.
    s->frame_index = 0;
    f = frame(*s);
    for (int j = 0; j < 2; ++j) EXPECT_TRUE(rings(f, colour_blue, sigma_plot(*s, j).area).empty());
  }
}

TEST(LessonSigma, SingularArcsAreShadedWhereSigmaStaysAtZero) {
  auto s = solved_lesson_from(kHalfTurn);  // joint 1 "+ s -"
  ASSERT_NE(s, nullptr);
  s->sigma_panel = true;
  const Motion& m = run_of(*s).motion;
  ASSERT_EQ(m.joint[0].kind[1], kArcInterior);
  const FrameDescription f = frame(*s);
  const auto shades = [&](int j) {
    std::vector<const Box*> out;
    for (const Box& b : f.boxes)
      if (b.filled && same_colour(b.fill, colour_interior_arc) &&
          in_rect(b.corner, lesson::time_plot(2 + j)))
        out.push_back(&b);
    return out;
  };
  const Plot p = sigma_plot(*s, 0);
  ASSERT_EQ(shades(0).size(), 1u);
  EXPECT_NEAR(shades(0)[0]->corner.x, p.x_of(m.joint[0].end[0]), 1e-9);
  EXPECT_NEAR(shades(0)[0]->w, p.x_of(m.joint[0].end[1]) - p.x_of(m.joint[0].end[0]), 1e-9);
  EXPECT_TRUE(shades(1).empty());
  // sigma1 is (near) zero through the middle of the arc.
  EXPECT_LT(std::fabs(sigma_at(*s, 0, (m.joint[0].end[0] + m.joint[0].end[1]) / 2.0)), 0.05);

  // A bang-bang motion has nothing shaded.
  s = solved_lesson('a', 'h');
  ASSERT_NE(s, nullptr);
  s->sigma_panel = true;
  const FrameDescription g = frame(*s);
  for (const Box& b : g.boxes)
    for (int j = 0; j < 2; ++j)
      EXPECT_FALSE(same_colour(b.fill, colour_interior_arc) &&
                   in_rect(b.corner, lesson::time_plot(2 + j)));
}

TEST(LessonSigma, TheRuleIsSaidOnceInsideThePictureAndNoTwoTextsOverlap) {
  for (const char* task : {"a h n", "a g n", "b h n", "b g n", kTwoArcs, kRuleBreaker}) {
    auto s = solved_lesson_from(
        task, task == kRuleBreaker ? SolverChoice::Extended : SolverChoice::Optimal);
    ASSERT_NE(s, nullptr) << task;
    s->sigma_panel = true;
    const FrameDescription f = frame(*s);
    EXPECT_EQ(texts_saying(f, kRule), 1) << task;
    // σ, τ and the minus sign are the font's own: every character is drawn.
    EXPECT_EQ(undrawable_texts(f), std::vector<std::string>{}) << task;
    for (int side : {380, 600, 800, 1080}) expect_apart(f, side, task + std::to_string(side));
  }
}

TEST(LessonSigma, AMotionThatBreaksTheRuleHasItsSignChangeWithoutASwitchRingedInDarkRed) {
  auto s = solved_lesson_from(kRuleBreaker, SolverChoice::Extended);
  ASSERT_NE(s, nullptr);
  const RobotRun& run = run_of(*s);
  ASSERT_TRUE(run.sigma_valid && run.rule_broken);
  const int j = run.rule_joint;
  s->sigma_panel = true;
  FrameDescription f = frame(*s);
  const Plot p = sigma_plot(*s, j);
  const std::vector<Round> mark = rings(f, colour_dark_red, p.area);
  ASSERT_EQ(mark.size(), 1u);
  EXPECT_TRUE(ring_at(mark, p.at(run.rule_at, 0.0)));
  EXPECT_EQ(texts_saying(f, "no switch"), 1);
  EXPECT_TRUE(rings(f, colour_dark_red, sigma_plot(*s, 1 - j).area).empty());
  // The curve does change sign there, and the joint does not switch near it.
  const double before = sigma_at(*s, j, run.rule_at - 3.0 * s->dt);
  const double after = sigma_at(*s, j, run.rule_at + 3.0 * s->dt);
  EXPECT_LT(before * after, 0.0);
  for (int k = 0; k < switch_count(run.motion, j); ++k)
    EXPECT_GT(std::fabs(run.motion.joint[j].end[k] - run.rule_at), 3.0 * s->dt);

  // The time-optimal motion of the same task keeps the rule: no dark ring.
  s = solved_lesson_from(kRuleBreaker);
  ASSERT_NE(s, nullptr);
  s->sigma_panel = true;
  f = frame(*s);
  for (int k = 0; k < 2; ++k)
    EXPECT_TRUE(rings(f, colour_dark_red, sigma_plot(*s, k).area).empty());
  EXPECT_EQ(texts_saying(f, "no switch"), 0);
}

TEST(LessonSigma, WithoutWorkedOutFunctionsThePanelSaysSoAndDrawsNoCurve) {
  auto s = solved_lesson('b', 'h');
  ASSERT_NE(s, nullptr);
  s->sigma_panel = true;
  model_run(*s, s->robot).sigma_valid = false;
  const FrameDescription f = frame(*s);
  EXPECT_EQ(texts_saying(f, "not worked out for this motion"), 2);
  for (int j = 0; j < 2; ++j) {
    EXPECT_TRUE(blue_curve_in(f, lesson::time_plot(2 + j)).empty());
    EXPECT_TRUE(rings(f, colour_blue, lesson::time_plot(2 + j)).empty());
  }
  // The plots stay where the mouse finds them.
  for (int j = 0; j < 2; ++j) {
    const DrawingRect r = lesson::time_plot(2 + j);
    EXPECT_EQ(lesson::time_graph_at(Point{(r.x0 + r.x1) / 2.0, (r.y0 + r.y1) / 2.0}), 2 + j);
  }
}

}  // namespace
