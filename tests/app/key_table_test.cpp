// The key table: which keys change which part of the scenario, which run the
// console dialogue, and what the window has to do afterwards.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "app/temp_folder.h"
#include "console/console.h"
#include "app/key_table.h"
#include "app/session.h"

namespace {

// What the scenario looked like each time the dialogue was entered.
struct DialogueCall {
  DialogueEntry entry;
  char robot_key, gravity_key;
  Robot robot;
  Gravity gravity;
  int frame_index;
};
std::vector<DialogueCall> calls;

Task<DialogueEnd> recording_dialogue(Scenario& s, Ui&, DialogueEntry entry) {
  calls.push_back({entry, s.robot_key, s.gravity_key, s.robot, s.gravity, s.frame_index});
  // The dialogue ends by resetting the view, as the real one does.
  s.view_scale = 1.0;
  s.frame_index = 0;
  co_return DialogueEnd::Done;
}

class KeyTable : public ::testing::Test {
 protected:
  void SetUp() override {
    calls.clear();
    s = std::make_unique<Scenario>();
    select_robot(*s, 'a');
    select_gravity(*s, 'h');
    s->frame_count = 200;
    s->frame_index = 37;
    s->view_scale = 1.0;
  }
  KeyAction press(unsigned char key) { return Session(*s, out, recording_dialogue).key(key, 0.0); }

  std::unique_ptr<Scenario> s;
  Console con{"", Encoding::Utf8};
  Ui out{con, Lang::Ja};
};

TEST_F(KeyTable, StepKeyAdvancesOneSampleAndStopsAtFrameCount) {
  EXPECT_EQ(apply_key(*s, out, 's', 0.0), KeyAction::Redraw);
  EXPECT_EQ(s->frame_index, 38);

  s->frame_index = 198;
  apply_key(*s, out, 's', 0.0);
  EXPECT_EQ(s->frame_index, 199);
  apply_key(*s, out, 's', 0.0);
  EXPECT_EQ(s->frame_index, 200);
  EXPECT_EQ(apply_key(*s, out, 's', 0.0), KeyAction::Redraw);  // redraws the same picture
  EXPECT_EQ(s->frame_index, 200);
  EXPECT_TRUE(calls.empty());
}

TEST_F(KeyTable, StepKeyKeepsTheIndexInsideItsRange) {
  s->frame_index = -5;  // below 0: the step lands on 0
  apply_key(*s, out, 's', 0.0);
  EXPECT_EQ(s->frame_index, 0);

  s->frame_index = 350;  // beyond the record: back to the last sample
  apply_key(*s, out, 's', 0.0);
  EXPECT_EQ(s->frame_index, 200);

  s->frame_index = INT_MAX;  // no overflow on the way
  apply_key(*s, out, 's', 0.0);
  EXPECT_EQ(s->frame_index, 200);

  s->frame_count = -3;  // a count below 0 still leaves a valid index
  s->frame_index = 10;
  apply_key(*s, out, 's', 0.0);
  EXPECT_EQ(s->frame_index, 0);
}

TEST_F(KeyTable, ZeroReturnsToTheFirstSample) {
  EXPECT_EQ(apply_key(*s, out, '0', 0.0), KeyAction::Redraw);
  EXPECT_EQ(s->frame_index, 0);
}

TEST_F(KeyTable, ZoomKeysScaleByNineTenthsWithoutLimit) {
  EXPECT_EQ(apply_key(*s, out, 'w', 0.0), KeyAction::Redraw);
  EXPECT_DOUBLE_EQ(s->view_scale, 0.9);
  apply_key(*s, out, 'w', 0.0);
  EXPECT_DOUBLE_EQ(s->view_scale, 0.81);
  EXPECT_EQ(apply_key(*s, out, 'W', 0.0), KeyAction::Redraw);
  apply_key(*s, out, 'W', 0.0);
  EXPECT_NEAR(s->view_scale, 1.0, 1e-12);

  for (int i = 0; i < 100; ++i) apply_key(*s, out, 'W', 0.0);
  EXPECT_GT(s->view_scale, 1000.0);
  EXPECT_EQ(s->frame_index, 37);  // zoom leaves the sample alone
}

// v switches the picture and back; nothing else changes, and the choice stays
// through a change of conditions.
TEST_F(KeyTable, ViewKeySwitchesThePictureAndKeepsIt) {
  EXPECT_EQ(s->view_mode, ViewMode::Classic);
  EXPECT_EQ(apply_key(*s, out, 'v', 0.0), KeyAction::Redraw);
  EXPECT_EQ(s->view_mode, ViewMode::Lesson);
  EXPECT_EQ(s->frame_index, 37);
  EXPECT_EQ(press('g'), KeyAction::Redraw);
  EXPECT_EQ(s->view_mode, ViewMode::Lesson);
  EXPECT_EQ(apply_key(*s, out, 'v', 0.0), KeyAction::Redraw);
  EXPECT_EQ(s->view_mode, ViewMode::Classic);
  EXPECT_TRUE(con.output().empty());
}

// f turns the lesson view's switching functions on and off, in any picture,
// and leaves the picture, the sample and the zoom alone; the choice stays
// through a change of conditions.
TEST_F(KeyTable, SigmaKeyTogglesTheSwitchingFunctionPanel) {
  EXPECT_FALSE(s->sigma_panel);
  EXPECT_EQ(apply_key(*s, out, 'f', 0.0), KeyAction::Redraw);
  EXPECT_TRUE(s->sigma_panel);
  EXPECT_EQ(s->view_mode, ViewMode::Classic);
  EXPECT_EQ(s->frame_index, 37);
  EXPECT_EQ(apply_key(*s, out, 'v', 0.0), KeyAction::Redraw);
  EXPECT_EQ(press('g'), KeyAction::Redraw);
  EXPECT_TRUE(s->sigma_panel);
  EXPECT_EQ(apply_key(*s, out, 'f', 0.0), KeyAction::Redraw);
  EXPECT_FALSE(s->sigma_panel);
  EXPECT_EQ(s->view_mode, ViewMode::Lesson);
  EXPECT_EQ(s->frame_index, 0);  // where g's dialogue left it
  EXPECT_TRUE(con.output().empty());
}

TEST_F(KeyTable, EscapeQuitsAndOtherKeysChangeNothing) {
  EXPECT_EQ(apply_key(*s, out, 27, 0.0), KeyAction::Quit);

  const std::unique_ptr<Scenario> before = std::make_unique<Scenario>(*s);
  for (unsigned char key : std::string("SzA1\rq")) {
    EXPECT_EQ(apply_key(*s, out, key, 0.0), KeyAction::None) << key;
    EXPECT_EQ(s->frame_index, before->frame_index);
    EXPECT_EQ(s->view_scale, before->view_scale);
    EXPECT_EQ(s->robot, before->robot);
    EXPECT_EQ(s->gravity, before->gravity);
  }
  EXPECT_TRUE(calls.empty());
  EXPECT_TRUE(con.output().empty());
}

TEST_F(KeyTable, RobotKeysSelectTheRobotBeforeTheDialogueAndRedraw) {
  EXPECT_EQ(press('b'), KeyAction::Redraw);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].entry, DialogueEntry::Heading);
  EXPECT_EQ(calls[0].robot_key, 'b');
  EXPECT_EQ(calls[0].robot, Robot::Scara);
  EXPECT_EQ(calls[0].gravity, Gravity::Off);
  EXPECT_EQ(calls[0].frame_index, 0);

  EXPECT_EQ(press('a'), KeyAction::Redraw);
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[1].robot, Robot::Cylindrical);
  EXPECT_EQ(calls[1].entry, DialogueEntry::Heading);
}

TEST_F(KeyTable, GravityKeysSetTheMotionPlaneBeforeTheDialogueAndRedraw) {
  EXPECT_EQ(press('g'), KeyAction::Redraw);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].gravity_key, 'g');
  EXPECT_EQ(calls[0].gravity, Gravity::On);
  EXPECT_EQ(calls[0].entry, DialogueEntry::Recompute);
  EXPECT_EQ(calls[0].robot, Robot::Cylindrical);
  EXPECT_EQ(calls[0].frame_index, 0);

  EXPECT_EQ(press('h'), KeyAction::Redraw);
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[1].gravity, Gravity::Off);
  EXPECT_EQ(calls[1].entry, DialogueEntry::Recompute);
}

TEST_F(KeyTable, RatioAndPointKeysRunTheDialogueWithSelectorsUnchanged) {
  for (unsigned char key : {'u', 'k'}) {
    s->frame_index = 99;
    s->view_scale = 0.5;
    EXPECT_EQ(press(key), KeyAction::Redraw);
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.back().entry, key == 'u' ? DialogueEntry::Ratios : DialogueEntry::Points);
    EXPECT_EQ(calls.back().frame_index, 0);
    EXPECT_EQ(calls.back().robot, Robot::Cylindrical);
    EXPECT_EQ(calls.back().gravity, Gravity::Off);
    EXPECT_EQ(s->view_scale, 1.0);  // what the dialogue left stays
  }
  EXPECT_EQ(calls.size(), 2u);
}

// The condition keys, and e (the other elbow branch) while the SCARA is shown.
TEST_F(KeyTable, OnlyTheConditionKeysRunTheDialogue) {
  for (int key = 0; key < 256; ++key) {
    calls.clear();
    const bool scara = s->robot == Robot::Scara;
    press(static_cast<unsigned char>(key));
    const bool condition = (std::string("abughk").find(static_cast<char>(key)) != std::string::npos &&
                            key != 0) ||
                           (key == 'e' && scara);
    EXPECT_EQ(calls.size(), condition ? 1u : 0u) << "key " << key;
  }
}


// Playback from the key table, with the clock handed in: one sample per dt of
// clock time at 1x, stopping at the last; step keys pause.
TEST_F(KeyTable, SpacePlaysAtTheRealPaceAndStepKeysPause) {
  s->dt = 0.02;
  s->frame_index = 10;
  EXPECT_EQ(apply_key(*s, out, ' ', 100.0), KeyAction::Redraw);
  EXPECT_TRUE(s->playback.playing);
  EXPECT_EQ(apply_tick(*s, 100.2), KeyAction::Redraw);  // 0.2 s: ten samples on
  EXPECT_EQ(s->frame_index, 20);
  EXPECT_EQ(apply_tick(*s, 100.2), KeyAction::None);  // nothing new due
  apply_key(*s, out, '+', 100.2);                     // 2x from here, no jump
  EXPECT_EQ(s->frame_index, 20);
  apply_tick(*s, 100.3);
  EXPECT_EQ(s->frame_index, 30);
  apply_tick(*s, 1000.0);  // long after the end: stops at the last sample
  EXPECT_EQ(s->frame_index, 200);
  EXPECT_FALSE(s->playback.playing);
  apply_key(*s, out, ' ', 1001.0);  // space at the end plays from the start
  EXPECT_EQ(s->frame_index, 0);
  EXPECT_TRUE(s->playback.playing);
  apply_tick(*s, 1001.1);
  EXPECT_EQ(s->frame_index, 10);  // still 2x
  EXPECT_EQ(apply_key(*s, out, kKeyLeft, 1001.1), KeyAction::Redraw);
  EXPECT_FALSE(s->playback.playing);
  EXPECT_EQ(s->frame_index, 9);
  apply_key(*s, out, kKeyEnd, 1001.1);
  EXPECT_EQ(s->frame_index, 200);
  apply_key(*s, out, kKeyHome, 1001.1);
  EXPECT_EQ(s->frame_index, 0);
  apply_key(*s, out, kKeyRight, 1001.1);
  EXPECT_EQ(s->frame_index, 1);
  for (int i = 0; i < 10; ++i) apply_key(*s, out, '-', 1001.1);
  EXPECT_EQ(s->playback.speed_log2, -3);  // 1/8x at the slowest
  EXPECT_EQ(apply_key(*s, out, '-', 1001.1), KeyAction::None);
}

TEST_F(KeyTable, ConditionKeysPauseThePlaybackBeforeTheirDialogue) {
  s->dt = 0.02;
  for (unsigned char key : {'a', 'b', 'u', 'g', 'h', 'k'}) {
    apply_key(*s, out, ' ', 5.0);
    ASSERT_TRUE(s->playback.playing);
    press(key);
    EXPECT_FALSE(s->playback.playing) << key;
  }
}

TEST_F(KeyTable, XKeepsTheMotionAndPAsksTheWindowForThePicture) {
  testfs::TempFolder dir;
  out.output_dir = dir.path();
  s->dt = 0.02;
  s->cyl_run.toc_phi[3][0] = 0.25;
  const Scenario before = *s;
  EXPECT_EQ(apply_key(*s, out, 'x', 0.0), KeyAction::None);
  EXPECT_EQ(apply_key(*s, out, 'x', 0.0), KeyAction::None);
  EXPECT_EQ(con.output(), "\n保存しました: " + (dir / "tocsim-a-h.csv") + "\n保存しました: " +
                              (dir / "tocsim-a-h-1.csv"));
  // Nothing else changed: the view and the motion are as they were.
  EXPECT_EQ(s->frame_index, before.frame_index);
  EXPECT_EQ(s->view_scale, before.view_scale);
  EXPECT_EQ(s->playback.playing, before.playback.playing);
  EXPECT_EQ(s->cyl_run.toc_phi[3][0], 0.25);
  EXPECT_EQ(std::memcmp(s->cyl_run.toc_phi, before.cyl_run.toc_phi, sizeof before.cyl_run.toc_phi), 0);
  EXPECT_EQ(apply_key(*s, out, 'p', 0.0), KeyAction::SavePicture);

  out.output_dir = dir / "missing";  // a folder that is not there: says so, writes nothing
  con.clear_output();
  apply_key(*s, out, 'x', 0.0);
  EXPECT_EQ(con.output().rfind("\n保存できませんでした: cannot write " + (dir / "missing"), 0), 0u)
      << con.output();
}

}  // namespace
