// Bad console input and abused window keys: what the user gets for each case of
// the table in README.md (section "Bad input"), one test per row. Sessions run
// on scripted consoles whose exit handler throws, so a process end shows up as
// its status.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <utility>
#include <string>

#include "app/dialogue.h"
#include "app/dialogue_texts.h"
#include "app/key_table.h"
#include "app/session.h"
#include "app/startup.h"
#include "console/console.h"
#include "model/scenario.h"

namespace {

using namespace dialogue_texts;

constexpr int kReturned = -1;  // the dialogue returned: the window would open

struct Attempt {
  std::unique_ptr<Scenario> s = std::make_unique<Scenario>();  // value-initialised
  std::string out;       // console output of the last step
  int status = kReturned;
  long reads = 0;
};

// Runs `step` on a console over `input`; the step answers the status the
// program would end with, or kReturned. Every read consumes input or ends it,
// so no step may read more often than there are bytes, plus the read that
// finds the end.
template <class Step>
void run_step(Attempt& x, const std::string& input, Step step) {
  Console con(input, Encoding::Utf8);
  con.set_input_end_text(text(Text::InputEnded, Lang::Ja));  // as the start-up sets it
  x.status = step(con);
  x.out = con.output();
  x.reads = con.reads();
  EXPECT_LE(x.reads, static_cast<long>(input.size()) + 1) << "input: " << input;
}

Attempt startup(const std::string& input) {
  Attempt x;
  run_step(x, input, [&](Console& con) {
    Ui sp{con, Lang::Ja};
    return status_of(run_to_end(run_startup(*x.s, sp), sp));
  });
  return x;
}

// One window key, with the console input its dialogue (if any) reads.
KeyAction press(Attempt& x, unsigned char key, const std::string& input = "") {
  KeyAction action = KeyAction::None;
  run_step(x, input, [&](Console& con) {
    Ui sp{con, Lang::Ja};
    Session window(*x.s, sp);
    action = window.key(key, 0.0);
    return action == KeyAction::Quit ? window.exit_status() : kReturned;
  });
  return action;
}

const std::string kInputEnded = "\nコンソール入力が終わりました。終了します。\n";
const std::string kRobotPrompt = "\nロボットの選択   a:円筒座標ロボット　b:SCARAロボット　type=";
const std::string kGravityPrompt = "\n重力考慮？　　yes ; g    no : h   sgnG=";
const std::string kRatiosA = "\n(2) 回転・直動関節減速比(旧u1 u2=30.00 30.00)  u1 u2=";

// Where the arm is asked to go, as the SCARA's reach message prints it.
std::string reach_line(double x, double y) {
  char buf[160];
  std::snprintf(buf, sizeof buf, "\n    アーム長1,2=( 0.500  0.400) 位置(x,y)=(%6.3f %6.3f)", x, y);
  return buf;
}

// A finished start-up with the defaults of one robot, as the window gets it.
Attempt solved_defaults(char robot) {
  Attempt x = startup(std::string(1, robot) + "\nh\nn\n");
  EXPECT_EQ(x.status, kReturned);
  EXPECT_EQ(count(x.out, kSolved), 1u);
  return x;
}

bool same_times(const double a[4], const double b[4]) {
  for (int k = 0; k < 4; ++k)
    if (std::memcmp(&a[k], &b[k], sizeof(double)) != 0) return false;
  return true;
}

// The session ended because the input did, right after `prompt`.
::testing::AssertionResult ended_at(const Attempt& x, const std::string& prompt) {
  if (x.status != 1) return ::testing::AssertionFailure() << "status " << x.status;
  if (count(x.out, kInputEnded) != 1) return ::testing::AssertionFailure() << "no end-of-input line";
  if (!ends_with(x.out, prompt + kInputEnded))
    return ::testing::AssertionFailure()
           << "the last prompt was not: " << prompt << "\n--- output tail:\n"
           << x.out.substr(x.out.size() > 400 ? x.out.size() - 400 : 0);
  return ::testing::AssertionSuccess();
}

}  // namespace

// ---- Number lines that are not (only) numbers ----

TEST(BadInput, RatiosNotANumberKeepTheOldRatios) {
  Attempt x = startup("a\nh\ny\ny\nabc\ng\nn\n");
  EXPECT_EQ(x.status, kReturned);
  EXPECT_EQ(x.s->cyl.u1, 30.0);
  EXPECT_EQ(x.s->cyl.u2, 30.0);
  // The line with abc is gone as a whole: the next line answers the gravity question.
  EXPECT_EQ(x.s->gravity_key, 'g');
  EXPECT_EQ(x.s->gravity, parse_gravity('g'));
  EXPECT_EQ(count(x.out, "u1 =  30.0[rad/rad]     u2 =  30.0[rad/m]"), 3u);  // 2 reports + result
  EXPECT_EQ(count(x.out, kSolved), 1u);
}

TEST(BadInput, RatiosPartlyNumericTakeTheLeadingNumber) {
  Attempt x = startup("a\nh\ny\ny\n40 abc\nh\nn\n");
  EXPECT_EQ(x.status, kReturned);
  EXPECT_EQ(x.s->cyl.u1, 40.0);
  EXPECT_EQ(x.s->cyl.u2, 30.0);  // not readable: stays
  EXPECT_EQ(x.s->gravity_key, 'h');
  EXPECT_EQ(x.s->gravity, parse_gravity('h'));
  EXPECT_EQ(count(x.out, "u1 =  40.0[rad/rad]     u2 =  30.0[rad/m]"), 1u);
  EXPECT_EQ(count(x.out, kSolved), 1u);
}

TEST(BadInput, RatioGluedToTextDropsTheRestOfTheLine) {
  // "1.5x" gives 1.5; the x stops the reading and the 2 after it goes with
  // the rest of the line instead of becoming the next answer (as a gravity
  // key, it would have left h to answer the points question).
  Attempt x = startup("a\nh\ny\ny\n1.5x 2\nh\nn\n");
  EXPECT_EQ(x.status, kReturned);
  EXPECT_EQ(x.s->cyl.u1, 1.5);
  EXPECT_EQ(x.s->cyl.u2, 30.0);
  EXPECT_EQ(x.s->gravity_key, 'h');
  EXPECT_EQ(x.s->gravity, parse_gravity('h'));
  EXPECT_EQ(count(x.out, kPointsInput), 0u);
  EXPECT_EQ(count(x.out, "u1 =   1.5[rad/rad]     u2 =  30.0[rad/m]"), 1u);  // the new report
  EXPECT_EQ(count(x.out, kSolved), 1u);
}

TEST(BadInput, PointsNotANumberKeepTheOldPoints) {
  Attempt x = startup("a\nh\ny\nz\nh\ny\nabc\n");
  EXPECT_EQ(x.status, kReturned);
  EXPECT_EQ(x.s->x0, 0.8);
  EXPECT_EQ(x.s->y0, 0.0);
  EXPECT_EQ(x.s->xf, 0.0);
  EXPECT_EQ(x.s->yf, 0.8);
  EXPECT_EQ(count(x.out, kSolved), 1u);
}

TEST(BadInput, PointsPartlyNumericChangeOnlyTheLeadingCoordinates) {
  Attempt x = startup("a\nh\ny\nz\nh\ny\n0.5 0.5 abc\n");
  EXPECT_EQ(x.status, kReturned);
  EXPECT_EQ(x.s->x0, 0.5);
  EXPECT_EQ(x.s->y0, 0.5);
  EXPECT_EQ(x.s->xf, 0.0);  // the end point stays
  EXPECT_EQ(x.s->yf, 0.8);
  EXPECT_NEAR(x.s->cyl.Phi0[0], PI / 4, 1e-12);
  EXPECT_NEAR(x.s->cyl.Phi0[1], std::sqrt(0.5), 1e-12);
  EXPECT_EQ(count(x.out, "PTP始点 (x0,y0)=( 0.5000       0.5000)[m] 終点(xf,yf)=( 0.0000       0.8000)[m]"),
            1u);
  EXPECT_EQ(count(x.out, kSolved), 1u);
}

// ---- Ratios the solver cannot use: inf, nan, 1e308, 0, negative ----
// Typed after the first solution with the window's u key: the value is
// reported as typed, there is no solution, the earlier solution stays as it
// was, and n ends the program with status 0.

namespace {

// u1 as the report prints it: "%6.1f" of the first number typed.
void expect_ratio_without_solution(char robot, const std::string& typed) {
  SCOPED_TRACE(std::string("robot ") + robot + ", ratios " + typed);
  char shown[400];
  std::snprintf(shown, sizeof shown, "%6.1f", std::strtod(typed.c_str(), nullptr));
  Attempt x = solved_defaults(robot);
  const RobotRun& rec = model_run(*x.s, parse_robot(robot));
  double tt_before[4];
  for (int k = 0; k < 4; ++k) tt_before[k] = rec.tt[k];
  const double fb_end = rec.fb_phi[200][0];

  EXPECT_TRUE(x.s->outcome.found);
  press(x, 'u', "y\n" + typed + "\nh\nn\nn\n");
  EXPECT_EQ(x.status, 0);
  // The window shows the failure, not the earlier solution's results.
  EXPECT_FALSE(x.s->outcome.found);
  EXPECT_EQ(count(x.out, kNoSolution), 1u);
  EXPECT_EQ(count(x.out, kSolved), 0u);
  EXPECT_NE(x.out.find(std::string("u1 =") + shown + "[rad/rad]"), std::string::npos) << x.out;
  EXPECT_TRUE(same_times(rec.tt, tt_before));
  EXPECT_EQ(rec.fb_phi[200][0], fb_end);
  EXPECT_TRUE(ends_with(x.out, kNoSolution));
}

}  // namespace

TEST(BadInput, RatioInfinityHasNoSolution) {
  expect_ratio_without_solution('a', "inf inf");
  expect_ratio_without_solution('b', "inf 30");
}

TEST(BadInput, RatioNanHasNoSolution) {
  expect_ratio_without_solution('a', "nan nan");
  expect_ratio_without_solution('b', "nan 30");
}

TEST(BadInput, RatioHugeHasNoSolution) {
  // 1e308 is printed in full, 309 digits: the report lines get very long.
  expect_ratio_without_solution('a', "1e308 1e308");
}

TEST(BadInput, RatioZeroHasNoSolution) {
  expect_ratio_without_solution('a', "0 0");
  expect_ratio_without_solution('b', "0 30");
  expect_ratio_without_solution('b', "30 0");
}

TEST(BadInput, RatioNegativeHasNoSolution) {
  expect_ratio_without_solution('a', "-5 -5");
  expect_ratio_without_solution('a', "30 -5");
  expect_ratio_without_solution('b', "-5 -5");
}

// A joint-2 ratio that is not finite (or 1e308 for the SCARA) makes the torque
// limit of joint 2 NaN or infinite and the end-point error NaN: that is no
// solution, never a "solved" with NaN records.
TEST(BadInput, JointTwoRatioNotFiniteHasNoSolution) {
  expect_ratio_without_solution('a', "30 nan");
  expect_ratio_without_solution('a', "30 inf");
  expect_ratio_without_solution('b', "30 nan");
  expect_ratio_without_solution('b', "30 inf");
  expect_ratio_without_solution('b', "30 1e308");
}

TEST(BadInput, FailedSolveRetryWithUsableRatiosSolves) {
  Attempt x = solved_defaults('a');
  // no solution with 0 0; retry: yes, robot b, ratios 25 25, no gravity, points kept
  press(x, 'u', "y\n0 0\nh\nn\ny\nb\ny\n25 25\nh\nn\n");
  EXPECT_EQ(x.status, kReturned);
  EXPECT_EQ(count(x.out, kNoSolution), 1u);
  EXPECT_EQ(count(x.out, kRobotQ), 1u);
  EXPECT_EQ(count(x.out, kSolved), 1u);
  EXPECT_EQ(x.s->robot_key, 'b');
  EXPECT_EQ(x.s->robot, parse_robot('b'));
  EXPECT_EQ(x.s->cyl.u1, 0.0);  // the failed ratios stay with their robot
  EXPECT_EQ(x.s->scara.u1, 25.0);
  EXPECT_EQ(x.s->frame_index, 0);
  EXPECT_EQ(x.s->view_scale, 1.0);
}

// ---- Points the solver or the SCARA cannot use ----

TEST(BadInput, PointsInfiniteOrHugeForTheCylindricalRobotHaveNoSolution) {
  for (const char* p : {"inf 0 0 0.8", "1e308 0 0 0.8"}) {
    SCOPED_TRACE(p);
    // The start lies outside the SCARA's reach too, and the SCARA's inverse
    // kinematics runs for every robot: its message waits for one key (x).
    Attempt x = startup(std::string("a\nh\ny\nz\nh\ny\n") + p + "\nx\nn\n");
    EXPECT_EQ(x.status, 0);
    EXPECT_EQ(count(x.out, kUnreachable), 1u);
    EXPECT_EQ(x.s->cyl.Phi0[0], 0.0);
    EXPECT_EQ(x.s->cyl.Phi0[1], std::numeric_limits<double>::infinity());
    EXPECT_EQ(count(x.out, "Φ0 =( 0.0000[rad]     inf[m])"), 1u);
    EXPECT_EQ(count(x.out, kNoSolution), 1u);
    EXPECT_EQ(count(x.out, kSolved), 0u);
  }
}

TEST(BadInput, PointNanForTheCylindricalRobotHasNoSolution) {
  // A NaN coordinate is not caught as out of reach: no message, no key wait.
  Attempt x = startup("a\nh\ny\nz\nh\ny\nnan 0 0 0.8\nn\n");
  EXPECT_EQ(x.status, 0);
  EXPECT_EQ(count(x.out, kUnreachable), 0u);
  EXPECT_TRUE(std::isnan(x.s->cyl.Phi0[0]));
  EXPECT_EQ(count(x.out, "PTP始点 (x0,y0)=(    nan       0.0000)[m]"), 1u);
  EXPECT_EQ(count(x.out, kNoSolution), 1u);
}

TEST(BadInput, PointHugeForTheScaraWaitsTwiceThenHasNoSolution) {
  // Once when the elbow is chosen, once in the recomputation.
  Attempt x = startup("b\nh\ny\nz\nh\ny\n1e308 0 0 0.8\n1\nx\nx\nn\n");
  EXPECT_EQ(x.status, 0);
  EXPECT_EQ(count(x.out, kUnreachable), 2u);
  EXPECT_TRUE(std::isnan(x.s->scara.Phi0[0]));
  EXPECT_TRUE(std::isnan(x.s->scara.Phi0[1]));
  EXPECT_EQ(count(x.out, kNoSolution), 1u);
}

TEST(BadInput, PointNanForTheScaraIsNotReportedAsOutOfReach) {
  Attempt x = startup("b\nh\ny\nz\nh\ny\nnan 0 0 0.8\n1\nn\n");
  EXPECT_EQ(x.status, 0);
  EXPECT_EQ(count(x.out, kUnreachable), 0u);
  EXPECT_EQ(count(x.out, "Φ0=(    nan     nan)[rad]"), 1u);
  EXPECT_EQ(count(x.out, kNoSolution), 1u);
}

TEST(BadInput, ScaraPointAtTheBaseIsOutOfReach) {
  // l1 - l2 = 0.1 m: the base itself is out of reach.
  Attempt x = startup("b\nh\ny\nz\nh\ny\n0 0 0.8 0\n1\nx\nx\nn\n");
  EXPECT_EQ(x.status, 0);
  EXPECT_EQ(count(x.out, kUnreachable), 2u);
  EXPECT_EQ(count(x.out, reach_line(0, 0)), 2u);
  EXPECT_TRUE(std::isnan(x.s->scara.Phi0[0]));
  EXPECT_NEAR(x.s->scara.Phif[1], 0.9582, 1e-4);  // the end point is fine
  EXPECT_EQ(count(x.out, kNoSolution), 1u);
  EXPECT_TRUE(ends_with(x.out, kNoSolution));
}

TEST(BadInput, ScaraPointOutOfReach) {
  Attempt x = startup("b\nh\ny\nz\nh\ny\n0.8 0 0 1.0\n2\nx\nx\nn\n");
  EXPECT_EQ(x.status, 0);
  EXPECT_EQ(count(x.out, reach_line(0, 1.0)), 2u);
  EXPECT_EQ(x.s->elbow, parse_elbow('2'));
  EXPECT_TRUE(std::isnan(x.s->scara.Phif[0]));
  EXPECT_TRUE(std::isfinite(x.s->scara.Phi0[0]));
  EXPECT_EQ(count(x.out, kNoSolution), 1u);
}

TEST(BadInput, StartEqualToEndSolvesWithZeroTimes) {
  for (char robot : {'a', 'b'}) {
    SCOPED_TRACE(robot);
    Attempt x = startup(std::string(1, robot) + "\nh\ny\nz\nh\ny\n0.5 0.5 0.5 0.5\n1\n");
    EXPECT_EQ(x.status, kReturned);
    EXPECT_EQ(count(x.out, kSolved), 1u);
    const RobotRun& rec = model_run(*x.s, parse_robot(robot));
    const RobotConditions& cond = model_conditions(*x.s, parse_robot(robot));
    for (int k = 0; k < 4; ++k) EXPECT_EQ(rec.tt[k], 0.0);
    EXPECT_EQ(x.s->tfm, 0.0);
    // The time-optimal arm never leaves the point.
    for (int i = 0; i <= x.s->frame_count; ++i)
      for (int j = 0; j < 2; ++j) ASSERT_EQ(rec.toc_phi[i][j], cond.Phi0[j]) << i;
  }
}

// With tf = 0 the rising acceleration is 0/0 (the report shows it as nan), but
// the PID arm has nowhere to go: it stays at the point.
TEST(BadInput, StartEqualToEndFeedbackArmStaysAtThePoint) {
  for (char robot : {'a', 'b'}) {
    SCOPED_TRACE(robot);
    Attempt x = startup(std::string(1, robot) + "\nh\ny\nz\nh\ny\n0.5 0.5 0.5 0.5\n1\n");
    const RobotConditions& rec = model_conditions(*x.s, parse_robot(robot));
    const RobotRun& run = model_run(*x.s, parse_robot(robot));
    EXPECT_TRUE(std::isnan(rec.alpha1));  // the report still shows what 0/0 gives
    for (int i = 0; i <= x.s->frame_count; ++i)
      for (int j = 0; j < 2; ++j) ASSERT_NEAR(run.fb_phi[i][j], rec.Phi0[j], 1e-9) << i;
  }
}

// ---- Unknown selector keys at start-up ----

TEST(BadInput, UnknownRobotKeyRunsWithoutARobot) {
  Attempt known = solved_defaults('a');
  Attempt x = startup("x\nh\nn\n");
  EXPECT_EQ(x.status, kReturned);
  EXPECT_EQ(x.s->robot_key, 'x');
  EXPECT_EQ(x.s->robot, parse_robot('x'));
  EXPECT_NE(x.out.find("type= x"), std::string::npos);
  // No heading, no robot in the reports, no switching times; the solver and the
  // feedback run use the cylindrical robot's model.
  EXPECT_EQ(count(x.out, kHeadingA) + count(x.out, kHeadingB), 0u);
  EXPECT_EQ(count(x.out, "\n円筒座標ロボット\n"), 1u);  // the default report of start-up only
  EXPECT_EQ(count(x.out, "tt[]="), 0u);
  EXPECT_EQ(count(x.out, kSolved), 1u);
  EXPECT_TRUE(same_times(x.s->cyl_run.tt, known.s->cyl_run.tt));
  EXPECT_TRUE(ends_with(x.out, kToWindow));
}

TEST(BadInput, UnknownGravityKeyMeansNoGravity) {
  Attempt known = solved_defaults('b');
  Attempt x = startup("b\nq\nn\n");
  EXPECT_EQ(x.status, kReturned);
  EXPECT_EQ(x.s->gravity_key, 'q');
  EXPECT_EQ(x.s->gravity, parse_gravity('q'));
  EXPECT_NE(x.out.find("sgnG= q"), std::string::npos);
  EXPECT_EQ(count(x.out, "\n重力考慮しない"), 1u);
  EXPECT_TRUE(same_times(x.s->scara_run.tt, known.s->scara_run.tt));
  EXPECT_EQ(x.s->scara_run.fb_phi[200][0], known.s->scara_run.fb_phi[200][0]);
}

// ---- End of input at each kind of prompt: status 1 and one line saying so ----

TEST(BadInput, EndOfInputAtTheRobotKey) {
  EXPECT_TRUE(ended_at(startup(""), kRobotPrompt));
  EXPECT_TRUE(ended_at(startup(" \n\t\n"), kRobotPrompt));  // white space is no answer
}

TEST(BadInput, EndOfInputAtTheGravityKey) { EXPECT_TRUE(ended_at(startup("a\n"), kGravityPrompt)); }

TEST(BadInput, EndOfInputAtTheChangeGate) { EXPECT_TRUE(ended_at(startup("a\nh\n"), kGate)); }

TEST(BadInput, EndOfInputAtTheRatioGate) { EXPECT_TRUE(ended_at(startup("a\nh\ny\n"), kRatioGate)); }

TEST(BadInput, EndOfInputAtTheRatioNumbers) {
  EXPECT_TRUE(ended_at(startup("a\nh\ny\ny\n"), kRatiosA));
  Attempt half = startup("a\nh\ny\ny\n40");  // one of two numbers
  EXPECT_TRUE(ended_at(half, kRatiosA));
  EXPECT_EQ(half.s->cyl.u1, 30.0);  // nothing half-typed is taken over
}

TEST(BadInput, EndOfInputAtTheGravityQuestion) { EXPECT_TRUE(ended_at(startup("a\nh\ny\nz\n"), kGravityQ)); }

TEST(BadInput, EndOfInputAtThePointsGate) { EXPECT_TRUE(ended_at(startup("a\nh\ny\nz\nh\n"), kPointsGate)); }

TEST(BadInput, EndOfInputAtThePointsNumbers) {
  Attempt x = startup("b\nh\ny\nz\nh\ny\n0.8 0 0");
  EXPECT_TRUE(ended_at(x, kPointsInput));
  EXPECT_EQ(x.s->x0, 0.8);
  EXPECT_EQ(x.s->yf, 0.8);
}

TEST(BadInput, EndOfInputAtTheElbowKey) {
  EXPECT_TRUE(ended_at(startup("b\nh\ny\nz\nh\ny\n0.8 0 0 0.8\n"), kElbowQ));
}

TEST(BadInput, EndOfInputAtTheKeyWaitAfterAnUnreachablePoint) {
  EXPECT_TRUE(ended_at(startup("b\nh\ny\nz\nh\ny\n0.8 0 0 1.0\n1\n"), reach_line(0, 1.0)));
}

TEST(BadInput, EndOfInputAtTheRetryQuestion) {
  EXPECT_TRUE(ended_at(startup("b\nh\ny\nz\nh\ny\n0.8 0 0 1.0\n1\nx\nx\n"), kNoSolution));
}

TEST(BadInput, EndOfInputAtTheRobotKeyOfARetry) {
  EXPECT_TRUE(ended_at(startup("b\nh\ny\nz\nh\ny\n0.8 0 0 1.0\n1\nx\nx\ny\n"), kRobotQ));
}

TEST(BadInput, EndOfInputInADialogueStartedByAWindowKey) {
  Attempt x = solved_defaults('a');
  press(x, 'k');
  EXPECT_TRUE(ended_at(x, kPointsGate));
}

// ---- Window keys pressed many times ----

TEST(BadInput, ShrinkKey500TimesLeavesATinyPositiveScale) {
  Attempt x = solved_defaults('a');
  for (int i = 0; i < 500; ++i) ASSERT_EQ(press(x, 'w'), KeyAction::Redraw);
  EXPECT_GT(x.s->view_scale, 0.0);
  EXPECT_NEAR(x.s->view_scale / std::pow(0.9, 500), 1.0, 1e-9);  // about 1.3e-23
  EXPECT_EQ(x.reads, 0);
  EXPECT_TRUE(x.out.empty());
  EXPECT_EQ(x.s->frame_index, 0);
}

TEST(BadInput, EnlargeKey500TimesLeavesALargeFiniteScale) {
  Attempt x = solved_defaults('b');
  for (int i = 0; i < 500; ++i) ASSERT_EQ(press(x, 'W'), KeyAction::Redraw);
  EXPECT_TRUE(std::isfinite(x.s->view_scale));
  EXPECT_NEAR(x.s->view_scale / std::pow(1 / 0.9, 500), 1.0, 1e-9);  // about 7.6e22
  // and back: the same number of w keys returns to about 1
  for (int i = 0; i < 500; ++i) press(x, 'w');
  EXPECT_NEAR(x.s->view_scale, 1.0, 1e-9);
}

TEST(BadInput, StepKey1000TimesStopsAtTheLastSample) {
  Attempt x = solved_defaults('a');
  for (int i = 0; i < 1000; ++i) {
    ASSERT_EQ(press(x, 's'), KeyAction::Redraw);
    ASSERT_EQ(x.s->frame_index, std::min(i + 1, x.s->frame_count));
  }
  EXPECT_EQ(x.s->frame_index, 200);
  EXPECT_EQ(x.s->frame_count, 200);
  press(x, '0');
  EXPECT_EQ(x.s->frame_index, 0);
  EXPECT_EQ(x.reads, 0);
}
