// The phase planes' switching points: each joint's own, on the recorded
// motion at their times, named as in the time graphs ("1a"), each shown once
// the motion shown has passed it.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "lesson_fixture.h"
#include "view/lesson_frame.h"
#include "view/lesson_graphs.h"
#include "view/lesson_layout.h"
#include "view/text_metrics.h"

namespace {

using namespace viewtest;

// The default tasks, and motions of other structures with up to six
// switches of a joint, some close together.
const char* const kInputs[] = {"a h n",   "a g n",        "b h n", "b g n",
                               kHalfTurn, kScaraSingular, kTwoArcs};

// Blue dots of joint j's phase plane, in frame order.
std::vector<Point> phase_dots(const FrameDescription& f, int j) {
  std::vector<Point> out;
  for (const Round& r : f.rounds)
    if (same_colour(r.colour, colour_blue) && lesson::contains(lesson::phase_plot(j), r.centre))
      out.push_back(r.centre);
  return out;
}

TEST(LessonPhasePlane, EachJointsSwitchingPointsLieOnTheRecordedMotionNamedAsInTheTimeGraphs) {
  for (const char* input : kInputs) {
    auto s = solved_lesson_from(input);
    ASSERT_NE(s, nullptr);
    const Motion& m = selected_run(*s, s->robot)->motion;
    const LessonInputs in = gather_lesson_inputs(*s);
    const FrameDescription f = describe_lesson_frame(in);
    for (int j = 0; j < 2; ++j) {
      // The joint's own switches, and no other dot.
      EXPECT_EQ(phase_dots(f, j).size(), static_cast<std::size_t>(switch_count(m, j)));
      for (int k = 0; k < switch_count(m, j); ++k) {
        const std::string name = std::to_string(j + 1) + static_cast<char>('a' + k);
        SCOPED_TRACE(std::string(input) + " " + name);
        const double t = m.joint[j].end[k];
        const std::optional<Point> p = state_at(in, j, t);
        ASSERT_TRUE(p.has_value());
        // Between the samples before and after the switching time.
        const int i = static_cast<int>(t / in.dt);
        EXPECT_GE(p->x, std::min(in.toc_q[i][j], in.toc_q[i + 1][j]) - 1e-12);
        EXPECT_LE(p->x, std::max(in.toc_q[i][j], in.toc_q[i + 1][j]) + 1e-12);
        EXPECT_GE(p->y, std::min(in.toc_dq[i][j], in.toc_dq[i + 1][j]) - 1e-12);
        EXPECT_LE(p->y, std::max(in.toc_dq[i][j], in.toc_dq[i + 1][j]) + 1e-12);
        // Marked in the phase plane: a blue dot there, its name beside it.
        const ValueRange rx = phase_range_q(in, j), ry = phase_range_dq(in, j);
        const Point at = Plot{lesson::phase_plot(j), rx.lo, rx.hi, ry.lo, ry.hi}.at(p->x, p->y);
        bool dot = false;
        for (const Point& d : phase_dots(f, j))
          dot = dot || std::hypot(d.x - at.x, d.y - at.y) < 1e-12;
        EXPECT_TRUE(dot);
        // Its name beside it: the label's box within a couple of labels of the dot.
        int named = 0;
        for (const ScaledText& t : f.scaled_texts) {
          if (t.text != name || !lesson::contains(lesson::phase_plot(j), Point{t.x, t.y})) continue;
          const DrawingRect b = text_box(t);
          const double d = std::hypot((b.x0 + b.x1) / 2.0 - at.x, (b.y0 + b.y1) / 2.0 - at.y);
          EXPECT_LT(d, 0.1);
          ++named;
        }
        EXPECT_EQ(named, 1);
      }
    }
  }
}

TEST(LessonPhasePlane, ASwitchingPointAppearsOnceTheMotionShownHasPassedIt) {
  auto s = solved_lesson('b', 'h');
  ASSERT_NE(s, nullptr);
  const Motion& m = selected_run(*s, s->robot)->motion;
  ASSERT_EQ(switch_count(m, 1), 2);
  // Just before joint 2's second switch, and just after it.
  const int before = static_cast<int>(m.joint[1].end[1] / s->dt);
  for (int sample : {0, before, before + 1}) {
    s->frame_index = sample;
    const FrameDescription f = describe_lesson_frame(gather_lesson_inputs(*s));
    for (int j = 0; j < 2; ++j) {
      std::size_t passed = 0;
      for (int k = 0; k < switch_count(m, j); ++k) passed += m.joint[j].end[k] <= sample * s->dt;
      EXPECT_EQ(phase_dots(f, j).size(), passed) << "sample " << sample << " joint " << j + 1;
    }
  }
}

TEST(LessonPhasePlane, NoStateOutsideTheRecordOrWithoutASolution) {
  auto s = solved_lesson('a', 'h');
  ASSERT_NE(s, nullptr);
  LessonInputs in = gather_lesson_inputs(*s);
  EXPECT_TRUE(state_at(in, 0, 0.5).has_value());
  EXPECT_TRUE(state_at(in, 0, in.frame_count * in.dt).has_value());
  EXPECT_FALSE(state_at(in, 0, NAN).has_value());
  EXPECT_FALSE(state_at(in, 0, -0.01).has_value());
  EXPECT_FALSE(state_at(in, 0, (in.frame_count + 1) * in.dt).has_value());
  in.outcome.found = false;
  EXPECT_FALSE(state_at(in, 0, 0.5).has_value());
}

}  // namespace
