// The sweep view in the session: r starts the sweep of the task and its
// points come with the ticks; a change of the task drops the points of the
// old one (an axis whose task stayed the same is kept); picking a point is
// the u key with its ratios typed; x keeps a complete sweep only.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "app/dialogue_texts.h"
#include "app/session.h"
#include "app/startup.h"
#include "app/sweep_point.h"
#include "app/temp_folder.h"

namespace {

using dialogue_texts::run_to_end;

std::unique_ptr<Scenario> solved(const char* answers) {
  auto s = std::make_unique<Scenario>();
  Console con(answers, Encoding::Utf8);
  Ui ui{con, Lang::En};
  EXPECT_EQ(run_to_end(run_startup(*s, ui), ui), Progress::Done);
  return s;
}

int done_on_axis(const RatioSweep& sw, int axis) {
  int n = 0;
  for (const SweepPoint& p : sw.axis[axis]) n += p.done ? 1 : 0;
  return n;
}

TEST(SessionSweep, TheSweepViewComputesItsPointsWithTheTicksAndOtherViewsDoNot) {
  auto s = solved("a h n");
  Console con("", Encoding::Utf8);
  Ui ui{con, Lang::En};
  Session window(*s, ui);
  EXPECT_EQ(window.tick(0.0), KeyAction::None);
  EXPECT_FALSE(s->sweeping);
  EXPECT_EQ(window.key('r', 0.0), KeyAction::Redraw);
  EXPECT_EQ(s->view_mode, ViewMode::Sweep);
  EXPECT_TRUE(s->sweep.robot_selected);
  EXPECT_GT(s->sweep.done_count, 0);  // the first points come at once
  for (int k = 0; k < 2000 && s->sweeping; ++k) window.tick(0.0);
  EXPECT_FALSE(s->sweeping);
  EXPECT_EQ(s->sweep.done_count, 2 * kSweepRatios);
  // The points are those of the task, computed one by one.
  const SweepPoint p = sweep_point(*s, SolverChoice::Optimal, 1, 20);
  EXPECT_EQ(s->sweep.axis[1][20].tf, p.tf);
  EXPECT_EQ(s->sweep.axis[1][20].tfm, p.tfm);
  // Back to the classic picture and again: nothing new to compute.
  window.key('r', 0.0);
  EXPECT_EQ(s->view_mode, ViewMode::Classic);
  const unsigned generation = s->sweep.generation;
  window.key('r', 0.0);
  EXPECT_EQ(s->sweep.generation, generation);
  EXPECT_FALSE(s->sweeping);
}

TEST(SessionSweep, AChangedTaskNeverShowsTheOldPointsButKeepsAnAxisThatStayedTheSame) {
  auto s = solved("b h n");
  Console con("y\n40 30\nh\nn\n", Encoding::Utf8);
  Ui ui{con, Lang::En};
  Session window(*s, ui);
  window.key('r', 0.0);
  window.tick(0.0);
  ASSERT_TRUE(s->sweeping);
  const RatioSweep before = s->sweep;
  // u1 becomes 40: the u1 axis (u2 kept at 30) is still the same task.
  window.key('u', 0.0);
  ASSERT_FALSE(window.in_dialogue());
  ASSERT_EQ(s->scara.u1, 40.0);
  EXPECT_NE(s->sweep.generation, before.generation);
  EXPECT_EQ(s->sweep.current_u[0], 40.0);
  EXPECT_GE(done_on_axis(s->sweep, 0), done_on_axis(before, 0));
  for (int i = 0; i < kSweepRatios; ++i)
    if (before.axis[0][i].done) {
      EXPECT_EQ(s->sweep.axis[0][i].tf, before.axis[0][i].tf) << i;
    }
  // The u2 axis starts again for u1 = 40: what comes is of the new task.
  for (int k = 0; k < 20 && done_on_axis(s->sweep, 1) == 0; ++k) window.tick(0.0);
  for (int i = 0; i < kSweepRatios; ++i) {
    if (!s->sweep.axis[1][i].done) continue;
    EXPECT_EQ(s->sweep.axis[1][i].tf, sweep_point(*s, SolverChoice::Optimal, 1, i).tf) << i;
  }
}

TEST(SessionSweep, PickingAPointIsTheUKeyWithItsRatiosTyped) {
  for (const int axis : {0, 1}) {
    auto typed = solved("b g n");
    auto picked = solved("b g n");
    const int i = axis == 0 ? 25 : 29;
    const std::string u = axis == 0 ? "38.7 30" : "30 69.5";
    Console typed_con("y\n" + u + "\ng\nn\n", Encoding::Utf8);
    Ui typed_ui{typed_con, Lang::En};
    Session typed_window(*typed, typed_ui);
    typed_window.key('u', 0.0);
    ASSERT_FALSE(typed_window.in_dialogue());

    Console picked_con("", Encoding::Utf8);
    Ui picked_ui{picked_con, Lang::En};
    Session picked_window(*picked, picked_ui);
    picked_window.key('r', 0.0);
    ASSERT_EQ(picked->sweep.axis[axis][i].u, axis == 0 ? 38.7 : 69.5);
    EXPECT_TRUE(picked_window.pick_ratio(axis, i));
    ASSERT_FALSE(picked_window.in_dialogue());
    EXPECT_EQ(picked_con.output(), typed_con.output()) << axis;
    EXPECT_EQ(std::memcmp(&picked->scara, &typed->scara, sizeof picked->scara), 0);
    EXPECT_EQ(picked->scara_run.motion.tf, typed->scara_run.motion.tf);
    EXPECT_EQ(picked->view_mode, ViewMode::Sweep);  // the sweep view stays
  }
}

TEST(SessionSweep, NothingIsPickedWhileADialogueWaitsOrWithoutARobot) {
  Scenario none{};
  Console con("", Encoding::Utf8);
  Ui ui{con, Lang::En};
  Session window(none, ui);
  EXPECT_FALSE(window.pick_ratio(0, 3));
  auto s = solved("a h n");
  Session other(*s, ui);
  EXPECT_FALSE(other.pick_ratio(0, -1));
  EXPECT_FALSE(other.pick_ratio(2, 0));
  EXPECT_FALSE(other.pick_ratio(0, kSweepRatios));
}

TEST(SessionSweep, XKeepsTheSweepOnlyOnceItIsComplete) {
  testfs::TempFolder dir;
  auto s = solved("a h n");
  Console con("", Encoding::Utf8);
  Ui ui{con, Lang::En};
  ui.output_dir = dir.path();
  Session window(*s, ui);
  window.key('r', 0.0);
  ASSERT_TRUE(s->sweeping);
  window.key('x', 0.0);
  EXPECT_NE(con.output().find("Not saved: "), std::string::npos);
  EXPECT_NE(con.output().find("the sweep is not complete"), std::string::npos);
  EXPECT_TRUE(dir.entries().empty());
  for (int k = 0; k < 2000 && s->sweeping; ++k) window.tick(0.0);
  window.key('x', 0.0);
  EXPECT_NE(con.output().find("Saved: " + dir.path() + "/tocsim-a-h-sweep.csv"), std::string::npos)
      << con.output();
  EXPECT_EQ(dir.entries().size(), 1u);
}

}  // namespace
