// A change made in the window never leads into a console question: where it
// gives no motion the console says so in one line, the window says why and
// the task stays as it was; where the Newton passes find nothing, the direct
// method gives the motion.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "app/dialogue_texts.h"
#include "app/session.h"
#include "app/startup.h"

namespace {

using dialogue_texts::run_to_end;

std::unique_ptr<Scenario> solved(char robot, char gravity) {
  auto s = std::make_unique<Scenario>();
  Console con(std::string(1, robot) + " " + gravity + " n", Encoding::Utf8);
  Ui ui{con, Lang::En};
  EXPECT_EQ(run_to_end(run_startup(*s, ui), ui), Progress::Done);
  return s;
}

std::size_t count(const std::string& text, const std::string& part) {
  std::size_t n = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

}  // namespace

// Without torque (ratios of 0 typed before) a dragged goal has no motion:
// one line on the console, no question, every number as before the drag.
TEST(WindowNoMotion, ADropWithoutAMotionAsksNothingAndChangesNothing) {
  auto s = solved('a', 'h');
  s->cyl.u1 = 0.0;
  s->cyl.u2 = 0.0;
  const auto before = std::make_unique<Scenario>(*s);
  Console con("", Encoding::Utf8);
  Ui ui{con, Lang::En};
  Session window(*s, ui);
  ASSERT_TRUE(window.move_points(0.8, 0.0, 0.2, 0.8));
  EXPECT_FALSE(window.in_dialogue());
  EXPECT_EQ(con.reads(), 0);  // not one key asked for
  const std::string out = con.output();
  EXPECT_EQ(count(out, text(Text::WindowNoMotion, Lang::En)), 1u) << out;
  EXPECT_EQ(count(out, "compute with other conditions?"), 0u) << out;
  EXPECT_EQ(s->xf, before->xf);
  EXPECT_EQ(s->yf, before->yf);
  EXPECT_EQ(std::memcmp(&s->cyl_run, &before->cyl_run, sizeof s->cyl_run), 0);
  ASSERT_NE(s->window_note, nullptr);
  EXPECT_NE(std::string(s->window_note).find("nothing changed"), std::string::npos);
}

// The goal dragged to (-0.40, 0.21): no motion of the passes' structure, the
// fastest one from the direct method, reported as such.
TEST(WindowNoMotion, TheGoalTheNewtonPassesMissGetsTheDirectMethodsMotion) {
  auto s = solved('a', 'h');
  Console con("", Encoding::Utf8);
  Ui ui{con, Lang::En};
  Session window(*s, ui);
  ASSERT_TRUE(window.move_points(0.8, 0.0, -0.40, 0.21));
  EXPECT_FALSE(window.in_dialogue());
  EXPECT_EQ(con.reads(), 0);
  EXPECT_TRUE(s->outcome.found);
  EXPECT_EQ(s->outcome.method, FoundBy::Direct);
  EXPECT_TRUE(s->cyl_run.general_motion);
  EXPECT_EQ(s->xf, -0.40);
  EXPECT_EQ(s->yf, 0.21);
  const std::string out = con.output();
  EXPECT_NE(out.find("Switching times: joint 1 "), std::string::npos) << out;
  EXPECT_NE(out.find("found by the direct method"), std::string::npos) << out;
  EXPECT_EQ(s->window_note, nullptr);
}
