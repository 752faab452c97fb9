// The window's session while a console question waits: the dialogue goes on
// as input arrives on a pipe, window keys but ESC wait, and the end of the
// input or ESC ends the program with the right status.
#include "app/session.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include <unistd.h>

#include "app/dialogue_texts.h"
#include "app/startup.h"

namespace {

using dialogue_texts::run_to_end;

// The state after a start-up that answered a, h and n.
std::unique_ptr<Scenario> solved_defaults() {
  auto s = std::make_unique<Scenario>();
  Console con("a h n", Encoding::Utf8);
  Ui ui{con, Lang::Ja};
  EXPECT_EQ(run_to_end(run_startup(*s, ui), ui), Progress::Done);
  return s;
}

class PipeInput {
 public:
  PipeInput() {
    if (pipe(fd_) != 0) fd_[0] = fd_[1] = -1;
  }
  ~PipeInput() {
    close_write();
    if (fd_[0] >= 0) close(fd_[0]);
  }
  int read_end() const { return fd_[0]; }
  void type(const std::string& s) const { EXPECT_EQ(write(fd_[1], s.data(), s.size()), static_cast<ssize_t>(s.size())); }
  void close_write() {
    if (fd_[1] >= 0) close(fd_[1]);
    fd_[1] = -1;
  }

 private:
  int fd_[2];
};

class WaitingSession : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_GE(in.read_end(), 0);
    s->frame_index = 50;
  }
  // Ticks until the dialogue has taken everything that was typed.
  KeyAction tick_all() {
    KeyAction last = KeyAction::None;
    for (int i = 0; i < 10; ++i) {
      const KeyAction a = session.tick(0.0);
      if (a != KeyAction::None) last = a;
    }
    return last;
  }

  PipeInput in;
  std::unique_ptr<Scenario> s = solved_defaults();
  Console con{in.read_end(), nullptr, Encoding::Utf8};
  Ui ui{con, Lang::Ja};
  Session session{*s, ui};
};

TEST_F(WaitingSession, AnswersArriveLaterAndTheDialogueGoesOnAsIfTyped) {
  EXPECT_EQ(session.key('u', 0.0), KeyAction::Redraw);
  EXPECT_TRUE(session.in_dialogue());
  EXPECT_TRUE(s->answer_pending);
  EXPECT_EQ(s->frame_index, 0);
  EXPECT_EQ(session.tick(0.0), KeyAction::None);  // nothing typed yet

  // Window keys wait with the question: no playback, no step, no file.
  for (int key : {int{' '}, int{'s'}, int{'x'}, int{'w'}, int{kKeyEnd}, int{'a'}, int{'g'}}) EXPECT_EQ(session.key(key, 0.0), KeyAction::None);
  EXPECT_FALSE(s->playback.playing);
  EXPECT_EQ(s->frame_index, 0);
  EXPECT_EQ(s->robot, Robot::Cylindrical);
  EXPECT_EQ(s->gravity, Gravity::Off);

  in.type("y\n40 ");  // half a line of numbers: the question still waits
  EXPECT_EQ(tick_all(), KeyAction::Redraw);
  EXPECT_TRUE(session.in_dialogue());
  EXPECT_EQ(s->cyl.u1, 30.0);
  in.type("35\nh\nn\n");
  EXPECT_EQ(tick_all(), KeyAction::Redraw);
  EXPECT_FALSE(session.in_dialogue());
  EXPECT_FALSE(s->answer_pending);
  EXPECT_EQ(s->cyl.u1, 40.0);
  EXPECT_EQ(s->cyl.u2, 35.0);

  // The console says what the same keys say when all of them are there at once.
  auto same = solved_defaults();
  Console typed("y\n40 35\nh\nn\n", Encoding::Utf8);
  Ui typed_ui{typed, Lang::Ja};
  Session at_once(*same, typed_ui);
  EXPECT_EQ(at_once.key('u', 0.0), KeyAction::Redraw);
  EXPECT_FALSE(at_once.in_dialogue());
  EXPECT_EQ(con.output(), typed.output());
  EXPECT_EQ(same->cyl_run.tt[3], s->cyl_run.tt[3]);

  // Afterwards the window keys work again.
  EXPECT_EQ(session.key('s', 0.0), KeyAction::Redraw);
  EXPECT_EQ(s->frame_index, 1);
}

TEST_F(WaitingSession, EscapeDuringAQuestionEndsWithStatusZero) {
  session.key('k', 0.0);
  ASSERT_TRUE(session.in_dialogue());
  EXPECT_EQ(session.key(27, 0.0), KeyAction::Quit);
  EXPECT_EQ(session.exit_status(), 0);
  EXPECT_FALSE(session.in_dialogue());
}

TEST_F(WaitingSession, EndOfInputDuringAQuestionEndsWithStatusOne) {
  con.set_input_end_text("[end]");
  session.key('b', 0.0);
  ASSERT_TRUE(session.in_dialogue());
  in.type("y\n");
  in.close_write();
  EXPECT_EQ(tick_all(), KeyAction::Quit);
  EXPECT_EQ(session.exit_status(), 1);
  EXPECT_TRUE(dialogue_texts::ends_with(con.output(), "[end]"));
}

// g and h ask nothing when the solve succeeds: the dialogue is over at once.
TEST_F(WaitingSession, GravityKeysNeedNoAnswer) {
  EXPECT_EQ(session.key('g', 0.0), KeyAction::Redraw);
  EXPECT_FALSE(session.in_dialogue());
  EXPECT_FALSE(s->answer_pending);
  EXPECT_EQ(s->gravity, Gravity::On);
}

}  // namespace
