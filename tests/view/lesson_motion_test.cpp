// The lesson view of time-optimal motions of any structure: a line and a
// label for every switching time of either joint, arcs inside the limits
// shaded in their torque graph, and the results panel saying the times per
// joint, the arcs and how the motion was found, inside the panel.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "frame_query.h"
#include "lesson_fixture.h"
#include "text_apart.h"
#include "view/lesson_frame.h"
#include "view/lesson_layout.h"
#include "view/lesson_time_marks.h"
#include "view/plot_axes.h"

namespace {

using namespace viewtest;

struct Task {
  const char* name;
  std::string input;
};
const Task kTasks[] = {{"cylindrical default", "a h n"},
                       {"SCARA default, gravity", "b g n"},
                       {"half turn", kHalfTurn},
                       {"SCARA singular", kScaraSingular},
                       {"two arcs", kTwoArcs}};

const Motion& motion_of(const Scenario& s) { return selected_run(s, s.robot)->motion; }

double span_of(const Scenario& s) { return s.frame_count * s.dt; }

std::string fixed(const char* format, double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, format, v);
  return buf;
}

std::string name_of(int j, int k) { return std::to_string(j + 1) + static_cast<char>('a' + k); }

// x of the grey vertical segments within time graph g, with whether one of
// them runs the plot's whole height there.
struct GreyLine {
  double x;
  bool whole;
};
std::vector<GreyLine> grey_lines(const FrameDescription& f, int g) {
  const DrawingRect r = lesson::time_plot(g);
  std::vector<GreyLine> out;
  for (const SegmentIn& s : segments(f)) {
    const Segment& seg = s.s;
    if (!same_colour(seg.colour, colour_switch_line) || !near(seg.a.x, seg.b.x)) continue;
    const double y0 = std::min(seg.a.y, seg.b.y), y1 = std::max(seg.a.y, seg.b.y);
    if (y0 < r.y0 - 1e-9 || y1 > r.y1 + 1e-9 || seg.a.x < r.x0 || seg.a.x > r.x1) continue;
    const bool whole = near(y0, r.y0) && near(y1, r.y1);
    bool known = false;
    for (GreyLine& l : out)
      if (std::fabs(l.x - seg.a.x) < 1e-9) known = true, l.whole = l.whole || whole;
    if (!known) out.push_back(GreyLine{seg.a.x, whole});
  }
  return out;
}

TEST(LessonMotion, TheTasksHaveTheStructuresTheTestsAreAbout) {
  auto half = solved_lesson_from(kHalfTurn);
  ASSERT_NE(half, nullptr);
  const Motion& m = motion_of(*half);
  ASSERT_EQ(m.joint[0].count, 3);
  EXPECT_EQ(m.joint[0].kind[1], kArcInterior);
  EXPECT_EQ(m.joint[1].count, 1);
  EXPECT_TRUE(selected_run(*half, half->robot)->general_motion);
  EXPECT_EQ(half->outcome.method, FoundBy::Direct);
  EXPECT_EQ(half->outcome.passes_tf, 0.0);
  auto scara = solved_lesson_from(kScaraSingular);
  ASSERT_NE(scara, nullptr);
  EXPECT_EQ(motion_of(*scara).joint[1].count, 7);
  EXPECT_GT(scara->outcome.passes_tf, motion_of(*scara).tf);
}

TEST(LessonMotion, EveryTimeGraphHasALineAtEverySwitchOfEitherJointJoint2sDashed) {
  for (const Task& task : kTasks) {
    SCOPED_TRACE(task.name);
    auto s = solved_lesson_from(task.input);
    ASSERT_NE(s, nullptr);
    const Motion& m = motion_of(*s);
    const FrameDescription f = describe_lesson_frame(gather_lesson_inputs(*s));
    std::vector<double> joint1, joint2;
    for (int j = 0; j < 2; ++j)
      for (int k = 0; k < switch_count(m, j); ++k)
        (j == 0 ? joint1 : joint2).push_back(lesson::time_x(m.joint[j].end[k], span_of(*s)));
    for (int g = 0; g < lesson::kTimeGraphs; ++g) {
      const std::vector<GreyLine> lines = grey_lines(f, g);
      // One line per switch: no more, and each where its switch is.
      std::size_t distinct = joint1.size() + joint2.size();
      for (double a : joint1)
        for (double b : joint2) distinct -= std::fabs(a - b) < 1e-9;
      EXPECT_EQ(lines.size(), distinct) << "graph " << g;
      for (double x : joint1) {
        bool solid = false;
        for (const GreyLine& l : lines) solid = solid || (std::fabs(l.x - x) < 1e-9 && l.whole);
        EXPECT_TRUE(solid) << "graph " << g << " x " << x;
      }
      for (double x : joint2) {
        bool there = false, dashed = true;
        for (const GreyLine& l : lines)
          if (std::fabs(l.x - x) < 1e-9) there = true, dashed = !l.whole;
        bool also_joint1 = false;
        for (double y : joint1) also_joint1 = also_joint1 || std::fabs(x - y) < 1e-9;
        EXPECT_TRUE(there) << "graph " << g << " x " << x;
        if (!also_joint1) {
          EXPECT_TRUE(dashed) << "graph " << g << " x " << x;
        }
      }
    }
  }
}

TEST(LessonMotion, FourIntervalMotionsHaveTheirThreeSwitchingTimesAsBefore) {
  for (const char* input : {"a h n", "a g n", "b h n", "b g n"}) {
    auto s = solved_lesson_from(input);
    ASSERT_NE(s, nullptr);
    const RobotRun& r = *selected_run(*s, s->robot);
    ASSERT_FALSE(r.general_motion) << input;
    std::vector<double> times;
    for (int j = 0; j < 2; ++j)
      for (int k = 0; k < switch_count(r.motion, j); ++k) times.push_back(r.motion.joint[j].end[k]);
    std::sort(times.begin(), times.end());
    ASSERT_EQ(times.size(), 3u) << input;
    for (int k = 0; k < 3; ++k) EXPECT_EQ(times[k], r.tt[k]) << input;
  }
}

TEST(LessonMotion, EverySwitchIsLabelledByNameAboveTheGraphsNearItsLineAndNoLabelsOverlap) {
  for (const Task& task : kTasks) {
    SCOPED_TRACE(task.name);
    auto s = solved_lesson_from(task.input);
    ASSERT_NE(s, nullptr);
    const Motion& m = motion_of(*s);
    const FrameDescription f = describe_lesson_frame(gather_lesson_inputs(*s));
    const auto in_strip = [](const ScaledText& t) {
      for (double y : lesson::kTimeLabelRows)
        if (t.y == y && t.x > 0.0) return true;
      return false;
    };
    int strip = 0;
    for (const ScaledText& t : f.scaled_texts) strip += in_strip(t);
    int switches = 0;
    for (int j = 0; j < 2; ++j)
      for (int k = 0; k < switch_count(m, j); ++k, ++switches) {
        int labels = 0;
        for (const ScaledText& t : f.scaled_texts)
          if (in_strip(t) && t.text == name_of(j, k)) {
            ++labels;
            EXPECT_NEAR(t.x, lesson::time_x(m.joint[j].end[k], span_of(*s)), 0.08) << t.text;
          }
        EXPECT_EQ(labels, 1) << name_of(j, k);
      }
    EXPECT_EQ(strip, switches + 2);  // and tf, tfm
    for (int side : {600, 800, 1080}) expect_apart(f, side, task.name + std::to_string(side));
  }
}

// Filled boxes of the interior-arc colour within time graph g.
std::vector<const Box*> shades(const FrameDescription& f, int g) {
  std::vector<const Box*> out;
  for (const Box& b : f.boxes)
    if (b.filled && same_colour(b.fill, colour_interior_arc) &&
        lesson::contains(lesson::time_plot(g), b.corner))
      out.push_back(&b);
  return out;
}

TEST(LessonMotion, ArcsInsideTheLimitsAreShadedOverTheirSpanInTheirJointsTorqueGraphOnly) {
  for (const Task& task : kTasks) {
    SCOPED_TRACE(task.name);
    auto s = solved_lesson_from(task.input);
    ASSERT_NE(s, nullptr);
    const Motion& m = motion_of(*s);
    const FrameDescription f = describe_lesson_frame(gather_lesson_inputs(*s));
    for (int g = 0; g < 4; ++g) EXPECT_TRUE(shades(f, g).empty()) << g;
    for (int j = 0; j < 2; ++j) {
      const std::vector<const Box*> b = shades(f, 4 + j);
      const DrawingRect plot = lesson::time_plot(4 + j);
      std::size_t n = 0;
      for (int k = 0; k < m.joint[j].count; ++k) {
        if (m.joint[j].kind[k] != kArcInterior) continue;
        ASSERT_LT(n, b.size()) << "joint " << j + 1;
        const double x0 = lesson::time_x(m.joint[j].end[k - 1], span_of(*s));
        const double x1 = lesson::time_x(m.joint[j].end[k], span_of(*s));
        EXPECT_NEAR(b[n]->corner.x, x0, 1e-9);
        EXPECT_NEAR(b[n]->corner.x + b[n]->w, x1, 1e-9);
        EXPECT_NEAR(b[n]->corner.y, plot.y0, 1e-9);
        EXPECT_NEAR(b[n]->h, plot.y1 - plot.y0, 1e-9);
        ++n;
      }
      EXPECT_EQ(b.size(), n) << "joint " << j + 1;
    }
  }
  // And the half turn has one.
  auto s = solved_lesson_from(kHalfTurn);
  EXPECT_EQ(shades(describe_lesson_frame(gather_lesson_inputs(*s)), 4).size(), 1u);
}

// The results panel's texts, in frame order.
std::vector<const ScaledText*> panel_texts(const FrameDescription& f) {
  std::vector<const ScaledText*> out;
  for (const ScaledText& t : f.scaled_texts)
    if (lesson::contains(lesson::kResultsPanel, Point{t.x, t.y})) out.push_back(&t);
  return out;
}

bool says(const FrameDescription& f, const std::string& text) {
  for (const ScaledText* t : panel_texts(f))
    if (t->text == text) return true;
  return false;
}
bool says_part(const FrameDescription& f, const std::string& text) {
  for (const ScaledText* t : panel_texts(f))
    if (t->text.find(text) != std::string::npos) return true;
  return false;
}

// The panel line whose first row starts with `start`: that row and the
// indented rows under it that carry it on, joined by spaces ("" if none).
std::string line_from(const FrameDescription& f, const std::string& start) {
  const std::vector<const ScaledText*> texts = panel_texts(f);
  for (std::size_t k = 0; k < texts.size(); ++k) {
    if (texts[k]->text.rfind(start, 0) != 0) continue;
    std::string line = texts[k]->text;
    for (std::size_t n = k + 1; n < texts.size() && texts[n]->x > texts[k]->x &&
                                texts[n]->y < texts[k]->y;
         ++n)
      line += " " + texts[n]->text;
    return line;
  }
  return "";
}

TEST(LessonMotion, TheResultsPanelSaysEachJointsSignsTimesAndArcsAndHowTheMotionWasFound) {
  auto s = solved_lesson_from(kScaraSingular);
  ASSERT_NE(s, nullptr);
  const Motion& m = motion_of(*s);
  FrameDescription f = describe_lesson_frame(gather_lesson_inputs(*s));
  EXPECT_TRUE(says(f, "found by the direct method"));
  EXPECT_TRUE(says(f, fixed("the Newton passes gave tf = %.4f s", s->outcome.passes_tf)));
  EXPECT_TRUE(says_part(f, "joint 1 (+ -): 1a " + fixed("%.3f s", m.joint[0].end[0])));
  EXPECT_TRUE(says_part(f, "joint 2 (+ - + s + - +): 2a " + fixed("%.3f,", m.joint[1].end[0])));
  // Every switch by name with its time, wrapped or not.
  for (int j = 0; j < 2; ++j)
    for (int k = 0; k < switch_count(m, j); ++k)
      EXPECT_TRUE(says_part(f, name_of(j, k) + fixed(" %.3f", m.joint[j].end[k]))) << name_of(j, k);
  EXPECT_TRUE(says_part(f, "joint 2: inside its limits " + fixed("%.3f", m.joint[1].end[2]) +
                               fixed("-%.3f s", m.joint[1].end[3])));
  EXPECT_TRUE(says_part(f, "(singular arc)"));
  EXPECT_FALSE(says(f, "found by two Newton passes"));

  // The direct method alone: no slower motion of the passes to name.
  s = solved_lesson_from(kHalfTurn);
  ASSERT_NE(s, nullptr);
  f = describe_lesson_frame(gather_lesson_inputs(*s));
  EXPECT_TRUE(says(f, "found by the direct method"));
  EXPECT_FALSE(says_part(f, "the Newton passes gave"));
  EXPECT_TRUE(says_part(f, "joint 2 (-): no switch"));
  EXPECT_TRUE(
      says_part(f, "joint 1: inside its limits " + fixed("%.3f", motion_of(*s).joint[0].end[0])));

  s = solved_lesson_from("a h n");
  f = describe_lesson_frame(gather_lesson_inputs(*s));
  EXPECT_TRUE(says(f, "found by two Newton passes"));
  EXPECT_FALSE(says_part(f, "singular"));
}

// The extended solver keeps the passes' slower motion for this SCARA task;
// its switching function changes sign where it does not switch, and the
// panel says so. The optimal motion keeps the rule.
TEST(LessonMotion, TheResultsPanelSaysWhereAMotionBreaksTheRule) {
  const std::string task = "b h y z h y -0.7176 -0.3300 0.0926 -0.7627\n1\n";
  auto s = solved_lesson_from(task, SolverChoice::Extended);
  ASSERT_NE(s, nullptr);
  const RobotRun& run = model_run(*s, s->robot);
  ASSERT_TRUE(run.sigma_valid);
  ASSERT_TRUE(run.rule_broken);
  FrameDescription f = describe_lesson_frame(gather_lesson_inputs(*s));
  // The whole line, σ as itself, whichever rows it wraps into.
  const std::string sigma = "\xcf\x83" + std::to_string(run.rule_joint + 1);
  EXPECT_EQ(line_from(f, "not optimal:"), "not optimal: " + sigma + " changes sign at " +
                                              fixed("%.2f", run.rule_at) + " s without a switch");
  s = solved_lesson_from(task);
  ASSERT_NE(s, nullptr);
  f = describe_lesson_frame(gather_lesson_inputs(*s));
  EXPECT_FALSE(says_part(f, "not optimal"));
}

// Every text of the results panel as drawn at `side` lies inside it.
void expect_in_panel(const FrameDescription& f, int side, const std::string& what) {
  const std::vector<const ScaledText*> texts = panel_texts(f);
  EXPECT_GE(texts.size(), 3u) << what;
  for (const ScaledText* t : texts)
    EXPECT_TRUE(inside(text_box(*t, side), lesson::kResultsPanel))
        << what << ": \"" << t->text << "\"";
  expect_apart(f, side, what);
}

TEST(LessonMotion, TheResultsPanelKeepsItsTextInsideAtEveryWindowSizeHoweverMuchItHasToSay) {
  for (const Task& task : kTasks) {
    auto s = solved_lesson_from(task.input);
    ASSERT_NE(s, nullptr);
    s->answer_pending = true;
    s->outcome.misses_goal = true;
    s->outcome.passes_tf = 9.8765;
    s->ghost_points = 10;
    s->ghost_tf = 1.234;
    for (int side : {600, 700, 800, 1080, 1200})
      expect_in_panel(describe_lesson_frame(gather_lesson_inputs(*s)), side,
                      task.name + std::to_string(side));
  }
  // As many switches and arcs as a motion holds: the text shrinks, then says
  // that the console lists the rest.
  auto s = solved_lesson_from(kTwoArcs);
  ASSERT_NE(s, nullptr);
  LessonInputs in = gather_lesson_inputs(*s);
  for (JointArcs& a : in.arcs) {
    a.count = kMaxJointArcs;
    for (int k = 0; k < a.count; ++k) {
      a.kind[k] = k % 3 == 1 ? kArcInterior : k % 2 ? kArcPositive : kArcNegative;
      a.end[k] = 0.1 * (k + 1);
    }
  }
  in.answer_pending = true;
  in.outcome.misses_goal = true;
  for (int side : {600, 800, 1080}) {
    const FrameDescription f = describe_lesson_frame(in);
    expect_in_panel(f, side, "crowded " + std::to_string(side));
    EXPECT_TRUE(says(f, "(the console lists the rest)"));
  }
}

}  // namespace
