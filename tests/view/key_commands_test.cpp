// The key table: which keys change which part of the scenario, which run the
// console dialogue, and what the window has to do afterwards.
#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "console/console.h"
#include "view/key_commands.h"
#include "view/window.h"

namespace {

// What the scenario looked like each time the dialogue was entered.
struct DialogueCall {
  char last_key, robot_type, gravity_mode;
  int frame_index;
};
std::vector<DialogueCall> calls;

void recording_dialogue(Scenario& s, Console&) {
  calls.push_back({s.last_key, s.robot_type, s.gravity_mode, s.frame_index});
  // The dialogue ends by resetting the view, as the real one does.
  s.view_scale = 1.0;
  s.frame_index = 0;
}

class KeyTable : public ::testing::Test {
 protected:
  void SetUp() override {
    calls.clear();
    s = std::make_unique<Scenario>();
    s->robot_type = 'a';
    s->gravity_mode = 'h';
    s->last_key = '0';
    s->frame_count = 200;
    s->frame_index = 37;
    s->view_scale = 1.0;
  }
  KeyAction press(unsigned char key) { return apply_key_with(*s, con, key, recording_dialogue); }

  std::unique_ptr<Scenario> s;
  Console con{"", Encoding::Utf8};
};

TEST_F(KeyTable, StepKeyAdvancesOneSampleAndStopsAtFrameCount) {
  EXPECT_EQ(apply_key(*s, con, 's'), KeyAction::Redraw);
  EXPECT_EQ(s->frame_index, 38);
  EXPECT_EQ(s->last_key, 's');

  s->frame_index = 198;
  apply_key(*s, con, 's');
  EXPECT_EQ(s->frame_index, 199);
  apply_key(*s, con, 's');
  EXPECT_EQ(s->frame_index, 200);
  EXPECT_EQ(apply_key(*s, con, 's'), KeyAction::Redraw);  // redraws the same picture
  EXPECT_EQ(s->frame_index, 200);
  EXPECT_TRUE(calls.empty());
}

TEST_F(KeyTable, StepKeyKeepsTheIndexInsideItsRange) {
  s->frame_index = -5;  // below 0: the step lands on 0
  apply_key(*s, con, 's');
  EXPECT_EQ(s->frame_index, 0);

  s->frame_index = 350;  // beyond the record: back to the last sample
  apply_key(*s, con, 's');
  EXPECT_EQ(s->frame_index, 200);

  s->frame_index = INT_MAX;  // no overflow on the way
  apply_key(*s, con, 's');
  EXPECT_EQ(s->frame_index, 200);

  s->frame_count = -3;  // a count below 0 still leaves a valid index
  s->frame_index = 10;
  apply_key(*s, con, 's');
  EXPECT_EQ(s->frame_index, 0);
}

TEST_F(KeyTable, ZeroReturnsToTheFirstSample) {
  EXPECT_EQ(apply_key(*s, con, '0'), KeyAction::Redraw);
  EXPECT_EQ(s->frame_index, 0);
  EXPECT_EQ(s->last_key, '0');
}

TEST_F(KeyTable, ZoomKeysScaleByNineTenthsWithoutLimit) {
  EXPECT_EQ(apply_key(*s, con, 'w'), KeyAction::Redraw);
  EXPECT_DOUBLE_EQ(s->view_scale, 0.9);
  apply_key(*s, con, 'w');
  EXPECT_DOUBLE_EQ(s->view_scale, 0.81);
  EXPECT_EQ(apply_key(*s, con, 'W'), KeyAction::Redraw);
  apply_key(*s, con, 'W');
  EXPECT_NEAR(s->view_scale, 1.0, 1e-12);
  EXPECT_EQ(s->last_key, 'W');

  for (int i = 0; i < 100; ++i) apply_key(*s, con, 'W');
  EXPECT_GT(s->view_scale, 1000.0);
  EXPECT_EQ(s->frame_index, 37);  // zoom leaves the sample alone
}

TEST_F(KeyTable, EscapeQuitsAndOtherKeysOnlyRecordTheKey) {
  EXPECT_EQ(apply_key(*s, con, 27), KeyAction::Quit);
  EXPECT_EQ(s->last_key, 27);

  const std::unique_ptr<Scenario> before = std::make_unique<Scenario>(*s);
  for (unsigned char key : std::string("xSzA1 \r")) {
    EXPECT_EQ(apply_key(*s, con, key), KeyAction::None) << key;
    EXPECT_EQ(s->last_key, static_cast<char>(key));
    EXPECT_EQ(s->frame_index, before->frame_index);
    EXPECT_EQ(s->view_scale, before->view_scale);
    EXPECT_EQ(s->robot_type, before->robot_type);
    EXPECT_EQ(s->gravity_mode, before->gravity_mode);
  }
  EXPECT_TRUE(calls.empty());
  EXPECT_TRUE(con.output().empty());
}

TEST_F(KeyTable, RobotKeysSelectTheRobotBeforeTheDialogueAndRedraw) {
  EXPECT_EQ(press('b'), KeyAction::Redraw);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].last_key, 'b');
  EXPECT_EQ(calls[0].robot_type, 'b');
  EXPECT_EQ(calls[0].gravity_mode, 'h');
  EXPECT_EQ(calls[0].frame_index, 0);

  EXPECT_EQ(press('a'), KeyAction::Redraw);
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[1].robot_type, 'a');
  EXPECT_EQ(calls[1].last_key, 'a');
}

TEST_F(KeyTable, GravityKeysSetTheMotionPlaneBeforeTheDialogueAndRedraw) {
  EXPECT_EQ(press('g'), KeyAction::Redraw);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].gravity_mode, 'g');
  EXPECT_EQ(calls[0].last_key, 'g');
  EXPECT_EQ(calls[0].robot_type, 'a');
  EXPECT_EQ(calls[0].frame_index, 0);

  EXPECT_EQ(press('h'), KeyAction::Redraw);
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[1].gravity_mode, 'h');
}

TEST_F(KeyTable, RatioAndPointKeysRunTheDialogueWithSelectorsUnchanged) {
  for (unsigned char key : {'u', 'k'}) {
    s->frame_index = 99;
    s->view_scale = 0.5;
    EXPECT_EQ(press(key), KeyAction::Redraw);
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.back().last_key, static_cast<char>(key));
    EXPECT_EQ(calls.back().frame_index, 0);
    EXPECT_EQ(calls.back().robot_type, 'a');
    EXPECT_EQ(calls.back().gravity_mode, 'h');
    EXPECT_EQ(s->view_scale, 1.0);  // what the dialogue left stays
  }
  EXPECT_EQ(calls.size(), 2u);
}

TEST_F(KeyTable, OnlyTheConditionKeysRunTheDialogue) {
  for (int key = 0; key < 256; ++key) {
    calls.clear();
    press(static_cast<unsigned char>(key));
    const bool condition = std::string("abughk").find(static_cast<char>(key)) != std::string::npos &&
                           key != 0;
    EXPECT_EQ(calls.size(), condition ? 1u : 0u) << "key " << key;
  }
}

TEST(ViewKeys, AreExactlyStepZeroAndZoom) {
  for (int key = 0; key < 256; ++key) {
    const bool view = key == 's' || key == '0' || key == 'w' || key == 'W';
    EXPECT_EQ(is_view_key(static_cast<unsigned char>(key)), view) << key;
  }
}

}  // namespace
