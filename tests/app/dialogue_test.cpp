// The console dialogue driven by scripted consoles: which questions each
// trigger asks, the answers' effects, the failed-solve retry loop and the
// result lines.
#include "app/dialogue.h"
#include "app/startup.h"
#include "app/temp_folder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <string>

#include "robot/conditions.h"
#include "app/dialogue_texts.h"

namespace {

using namespace dialogue_texts;

// The state right after the start-up questions, before the first dialogue run.
Scenario after_startup(char robot, char gravity) {
  Scenario s{};
  Console quiet("", Encoding::Utf8);
  { Ui sp{quiet, Lang::Ja}; initialset(s, sp); }
  select_robot(s, robot);
  select_gravity(s, gravity);
  s.elbow = parse_elbow('1');
  return s;
}

// Runs one dialogue with the given answers; returns what it printed.
std::string dialogue(Scenario& s, const std::string& answers,
                     DialogueEntry entry = DialogueEntry::Heading) {
  Console con(answers, Encoding::Utf8);
  Ui out{con, Lang::Ja};
  run_to_end(run_condition_dialogue(s, out, entry), out);
  return con.output();
}

// A dialogue that ends the process: its status (-1 when it returned) and what it printed.
struct Ended {
  int status = -1;
  std::string output;
};
Ended dialogue_to_end(Scenario& s, const std::string& answers, SolverChoice solver) {
  Console con(answers, Encoding::Utf8);
  Ui out{con, Lang::Ja};
  out.solver = solver;
  Ended end;
  end.status = status_of(run_to_end(run_condition_dialogue(s, out, DialogueEntry::Heading), out));
  end.output = con.output();
  return end;
}

// Each text appears, in this order, after the previous one.
::testing::AssertionResult in_order(const std::string& out,
                                     std::initializer_list<std::string> texts) {
  std::size_t at = 0;
  for (const std::string& t : texts) {
    const std::size_t found = out.find(t, at);
    if (found == std::string::npos)
      return ::testing::AssertionFailure() << "missing after offset " << at << ": " << t;
    at = found + t.size();
  }
  return ::testing::AssertionSuccess();
}

const std::string kHelpFirst = "\n\n描画画面上でキーによる操作選択";
const std::string kHelpLast = "\n(6)   ESC    ：終了                                描画画面へ";
const std::string kPointsQ = "\n(3-1) PTP運動の始点終点変更";
const std::string kComputing = "\n\n　　　只今計算中．．．．．．．\n";
const std::string kDone = "\n　　   　計算終了";
const std::string kSaturated = "ではトルク飽和して追従できない";

std::string tt_line(const double tt[4]) {
  char buf[200];
  std::snprintf(buf, sizeof buf, "\n切り替え・位置決め時間tt[]=(%7.4f %7.4f %7.4f %7.4f)[s]", tt[0],
                tt[1], tt[2], tt[3]);
  return buf;
}

}  // namespace

TEST(Dialogue, StartupAnswerNoRecomputesTheDefaultsAndSolves) {
  Scenario s = after_startup('a', 'h');
  s.frame_index = 7;
  s.view_scale = 3.0;
  const std::string out = dialogue(s, "n");
  EXPECT_TRUE(in_order(out, {kHelpFirst, kHelpLast, kReport, kHeadingA, kGate, kReport,
                             "\n\n" + kComputing.substr(2), "\n円筒座標ロボットのPTP最短時間制御",
                             "\n重力考慮しない", kSolved, tt_line(s.cyl_run.tt),
                             "\nFB制御の位置決め時間 tfm= 2.5651[s]", kDone, kToWindow}));
  EXPECT_EQ(count(out, kReport), 2u);
  EXPECT_EQ(count(out, kRatioGate), 0u);
  EXPECT_EQ(count(out, kSaturated), 0u);  // the default arm reaches its goal
  // Kept for the window: found, by two Newton passes, the PID arm on its goal.
  EXPECT_TRUE(s.outcome.found);
  EXPECT_FALSE(s.outcome.by_search);
  EXPECT_FALSE(s.outcome.misses_goal);
  EXPECT_TRUE(out.size() >= kToWindow.size() &&
              out.compare(out.size() - kToWindow.size(), kToWindow.size(), kToWindow) == 0);
  EXPECT_NEAR(s.cyl_run.tt[0], 0.704, 1e-3);
  EXPECT_NEAR(s.cyl_run.tt[3], 1.654, 1e-3);
  EXPECT_DOUBLE_EQ(s.dt, 0.02);
  EXPECT_EQ(s.frame_index, 0);
  EXPECT_EQ(s.view_scale, 1.0);
  EXPECT_EQ(s.cyl_run.fb_phi[0][1], 0.8);
}

TEST(Dialogue, ScaraWithGravityShowsItsHeading) {
  Scenario s = after_startup('b', 'g');
  const std::string out = dialogue(s, "n");
  EXPECT_TRUE(in_order(out, {kReport, kHeadingB, kGate, kComputing,
                             "\nSCARAロボットのPTP最短時間制御", "\n重力考慮する"}));
}

TEST(Dialogue, FullQuestionFlowForTheCylindricalRobot) {
  Scenario s = after_startup('a', 'h');
  // change: yes; ratios: yes 40 35; gravity h; points: yes, reversed move
  const std::string out = dialogue(s, "y\ny\n40 35\nh\ny\n0 0.8 0.8 0\n");
  EXPECT_TRUE(in_order(out, {kHeadingA, kGate, kRatioGate,
                             "\n(2) 回転・直動関節減速比(旧u1 u2=30.00 30.00)  u1 u2=",
                             "\n(3) 重力考慮の有無： 旧なし(h)", kGravityQ, kPointsQ,
                             "\n    旧始点 (x0,y0)=( 0.800  0.000)[m]",
                             "   終点 (xf,yf)=( 0.000  0.800)[m]", kPointsGate, kPointsInput,
                             kReport, kComputing, kSolved}));
  EXPECT_EQ(count(out, kElbowQ), 0u);  // the cylindrical robot has no elbow
  EXPECT_EQ(s.cyl.u1, 40);
  EXPECT_EQ(s.cyl.u2, 35);
  EXPECT_EQ(s.scara.u1, 30);
  EXPECT_EQ(s.x0, 0.0);
  EXPECT_EQ(s.yf, 0.0);
  EXPECT_NEAR(s.cyl.Phi0[0], PI / 2, 1e-12);
  EXPECT_NEAR(s.cyl.Phif[0], 0.0, 1e-12);
  EXPECT_TRUE(in_order(out, {"u1 =  40.0[rad/rad]     u2 =  35.0[rad/m]"}));
}

TEST(Dialogue, RatioGateZKeepsRatiosButAsksGravity) {
  Scenario s = after_startup('a', 'h');
  const std::string out = dialogue(s, "y z g n");
  EXPECT_TRUE(in_order(out, {kRatioGate, kGravityQ, kPointsGate, kReport, "\n重力考慮"}));
  EXPECT_EQ(count(out, "u1 u2="), 0u);
  EXPECT_EQ(s.gravity_key, 'g');
  EXPECT_EQ(s.gravity, parse_gravity('g'));
  EXPECT_EQ(s.cyl.u1, 30);
}

TEST(Dialogue, RatioGateNSkipsEverythingElse) {
  Scenario s = after_startup('b', 'h');
  const std::string out = dialogue(s, "y n");
  EXPECT_EQ(count(out, kGravityQ), 0u);
  EXPECT_EQ(count(out, kPointsQ), 0u);
  EXPECT_TRUE(in_order(out, {kRatioGate, kReport, kComputing, kSolved}));
}

TEST(Dialogue, KeyUStartsAtTheRatios) {
  Scenario s = after_startup('b', 'h');
  dialogue(s, "n");
  const std::string out = dialogue(s, "y 20 25\nh n", DialogueEntry::Ratios);
  EXPECT_EQ(count(out, kHeadingB), 0u);
  EXPECT_EQ(count(out, kGate), 0u);
  EXPECT_TRUE(in_order(out, {kReport, kRatioGate,
                             "\n(2) 第1,2関節減速比(旧u1 u2=30.00 30.00)  u1 u2=", kGravityQ,
                             kPointsGate, kReport, kSolved}));
  EXPECT_EQ(s.scara.u1, 20);
  EXPECT_EQ(s.scara.u2, 25);
}

TEST(Dialogue, KeyKAsksOnlyForThePointsAndNKeepsThem) {
  Scenario s = after_startup('a', 'h');
  dialogue(s, "n");
  const std::string out = dialogue(s, "n", DialogueEntry::Points);
  EXPECT_EQ(count(out, kRatioGate), 0u);
  EXPECT_EQ(count(out, kGravityQ), 0u);
  EXPECT_TRUE(in_order(out, {kPointsQ, kPointsGate, kReport, kSolved}));
  EXPECT_EQ(count(out, kPointsInput), 0u);
  EXPECT_EQ(s.x0, 0.8);
}

TEST(Dialogue, GravityKeysRecomputeWithoutQuestions) {
  for (char key : {'g', 'h'}) {
    Scenario s = after_startup('a', 'h');
    dialogue(s, "n");
    select_gravity(s, key);
    Console con("", Encoding::Utf8);  // nothing to read: any question would end the input
    Ui speaker{con, Lang::Ja};
    EXPECT_EQ(run_to_end(run_condition_dialogue(s, speaker, DialogueEntry::Recompute), speaker),
              Progress::Done);
    const std::string& out = con.output();
    EXPECT_EQ(con.reads(), 0);
    EXPECT_TRUE(in_order(out, {kHelpFirst, kReport, key == 'g' ? "\n重力考慮" : "\n重力なし",
                               kReport, kComputing, kSolved, kToWindow}));
  }
}

TEST(Dialogue, ScaraNewPointsForEachElbowBranch) {
  for (char elbow : {'1', '2'}) {
    Scenario s = after_startup('b', 'h');
    dialogue(s, std::string("y z h y 0.6 0.3 -0.3 0.6\n") + elbow);
    EXPECT_EQ(s.elbow, parse_elbow(elbow));
    EXPECT_EQ(s.x0, 0.6);
    EXPECT_EQ(s.yf, 0.6);
    // elbow down bends to positive q2, elbow up to negative
    if (elbow == '1') EXPECT_GT(s.scara.Phi0[1], 0);
    else EXPECT_LT(s.scara.Phi0[1], 0);
    double tip[2] = {0.5 * std::cos(s.scara.Phif[0]) +
                         0.4 * std::cos(s.scara.Phif[0] + s.scara.Phif[1]),
                     0.5 * std::sin(s.scara.Phif[0]) +
                         0.4 * std::sin(s.scara.Phif[0] + s.scara.Phif[1])};
    EXPECT_NEAR(tip[0], -0.3, 1e-9);
    EXPECT_NEAR(tip[1], 0.6, 1e-9);
    // the recorded feedback run starts where the new task starts
    EXPECT_EQ(s.scara_run.fb_phi[0][0], s.scara.Phi0[0]);
  }
}

TEST(Dialogue, UnreachableScaraPointFailsThenRetryWithTheOtherRobotSucceeds) {
  Scenario s = after_startup('b', 'h');
  // New points with an unreachable end: the kinematics waits for a key at each
  // report (once when the elbow is chosen, once in every recomputation, which
  // refreshes the SCARA angles whatever robot is selected); the solve fails;
  // retry: yes, robot a, ratios n -> recompute and solve.
  const std::string out = dialogue(s, "y z h y 0.8 0 0 1.0\n1 x x y a n x");
  EXPECT_TRUE(in_order(out, {kElbowQ, kUnreachable, "位置(x,y)=( 0.000  1.000)", kUnreachable,
                             kReport, kComputing, kNoSolution, kRobotQ, kRatioGate,
                             kUnreachable, kReport, kComputing, kSolved, kToWindow}));
  EXPECT_EQ(count(out, kUnreachable), 3u);
  // after the failure: no robot heading, no echo of the robot key
  const std::string after = out.substr(out.find(kRobotQ) + kRobotQ.size());
  EXPECT_EQ(count(after, kHeadingA), 0u);
  EXPECT_EQ(after.rfind(kRatioGate, 0), 0u);
  EXPECT_EQ(s.robot_key, 'a');
  EXPECT_EQ(s.robot, parse_robot('a'));
  EXPECT_TRUE(std::isnan(s.scara.Phif[0]));
}

TEST(Dialogue, AnswerNAfterAFailedSolveEndsTheProcessWithStatusZero) {
  Scenario s = after_startup('b', 'h');
  EXPECT_EQ(dialogue_to_end(s, "y z h y 0.8 0 1.2 0.5\n1 x x n", SolverChoice::Extended).status, 0);
}

TEST(Dialogue, UnknownRobotAfterFailureAsksNoRatios) {
  Scenario s = after_startup('b', 'h');
  // Whether robot q solves or not, the questions before are what matters here.
  const std::string out =
      dialogue_to_end(s, "y z h y 0.8 0 1.2 0.5\n1 x x y q y h n x", SolverChoice::Extended).output;
  EXPECT_EQ(s.robot_key, 'q');
  EXPECT_EQ(s.robot, parse_robot('q'));
  const std::string after = out.substr(out.find(kRobotQ));
  EXPECT_TRUE(in_order(after, {kRobotQ, kRatioGate, kGravityQ, kPointsGate, kReport}));
  EXPECT_EQ(count(after, "u1 u2="), 0u);
  EXPECT_EQ(count(after, kHeadingA) + count(after, kHeadingB), 0u);
}

TEST(Dialogue, EndOfInputAtAQuestionEndsWithStatusOne) {
  Scenario s = after_startup('a', 'h');
  EXPECT_EQ(dialogue_to_end(s, "y", SolverChoice::Extended).status, 1);
}

TEST(Dialogue, UnreadableNumbersKeepTheOldValues) {
  Scenario s = after_startup('a', 'h');
  const std::string out = dialogue(s, "y y 45 abc\nh n");
  EXPECT_EQ(s.cyl.u1, 45);
  EXPECT_EQ(s.cyl.u2, 30);
  EXPECT_TRUE(in_order(out, {kGravityQ, kPointsGate, kSolved}));
}

// A radial move from the base of length 4*A2 (A2 the derated joint-2
// acceleration) takes exactly tf = 2*sqrt(4) = 4 s.
TEST(Dialogue, SampleStepDoublesOnlyBeyondFourSeconds) {
  Scenario probe = after_startup('a', 'h');
  const double M2 = probe.mw + probe.cyl.mM2_motor * 30 * 30;
  const double A2 = 0.9 * (probe.cyl.tau2_motor * 30 / M2);
  for (double factor : {4.0, 5.0}) {
    Scenario s = after_startup('a', 'h');
    char answers[200];
    // both points are out of the SCARA's reach: two key waits in the recomputation
    std::snprintf(answers, sizeof answers, "y z h y 0 0 %.17g 0\nk k n", factor * A2);
    // The pure radial move may have no bang-bang solution; dt is set before the solve.
    dialogue(s, answers);
    if (factor == 4.0) {
      EXPECT_EQ(s.tfm, 4.0);
      EXPECT_DOUBLE_EQ(s.dt, 0.02);
    } else {
      EXPECT_GT(s.tfm, 4.0);
      EXPECT_DOUBLE_EQ(s.dt, 0.04);
    }
  }
}

TEST(Dialogue, SaturationWarningWhenThePidArmLagsAtThePositioningTime) {
  Scenario s = after_startup('b', 'h');
  // A long elbow swing with little joint-1 motion: the joint-2 reference drags
  // joint 1 through the coupling and saturates its torque.
  const std::string out = dialogue(s, "y z h y 0.9 0 0.1 0.05\n1");
  char warning[200];
  std::snprintf(warning, sizeof warning,
                "\n\n位置決め時間tf=%6.3f[s]ではトルク飽和して追従できない", s.scara.tf);
  EXPECT_TRUE(in_order(out, {kSolved, kDone, warning, kToWindow}));
  const int k = static_cast<int>(s.tfm / s.dt);
  EXPECT_GT(std::fabs(s.scara_run.fb_phi[k][0] - s.scara.Phif[0]), 0.1);
}

TEST(Dialogue, PositioningTimeBeyondTheRecordSkipsTheSaturationTest) {
  Scenario s = after_startup('b', 'h');
  // Stale values beyond the 8 s record must never be taken as the arm's position.
  for (int i = 201; i < kRecordCapacity; ++i) s.scara_run.fb_phi[i][0] = 1e9;
  const std::string out = dialogue(s, "y y 1 1\nh n");
  EXPECT_GT(s.tfm, 8.0);
  EXPECT_DOUBLE_EQ(s.dt, 0.04);
  EXPECT_EQ(count(out, kSaturated), 0u);
  EXPECT_FALSE(s.outcome.misses_goal);
  EXPECT_TRUE(in_order(out, {kSolved, kDone, kToWindow}));
}

TEST(Dialogue, EachUnreachablePointIsReportedAndAcknowledgedInTurn) {
  Scenario s = after_startup('b', 'h');
  s.x0 = 1.0;
  s.y0 = 0.5;
  s.xf = 0.0;
  s.yf = 0.0;
  Console con("xy", Encoding::Utf8);
  Ui out{con, Lang::Ja};
  run_to_end(as_dialogue(report_unreachable(s, out, false, false)), out);
  EXPECT_EQ(con.output(),
            "\n!!! 逆運動学の解なし．始めからやり直し．"
            "\n    アーム長1,2=( 0.500  0.400) 位置(x,y)=( 1.000  0.500)"
            "\n!!! 逆運動学の解なし．始めからやり直し．"
            "\n    アーム長1,2=( 0.500  0.400) 位置(x,y)=( 0.000  0.000)");
  EXPECT_EQ(con.reads(), 2);  // one key wait each

  Console quiet("", Encoding::Utf8);
  Ui none{quiet, Lang::Ja};
  run_to_end(as_dialogue(report_unreachable(s, none, true, true)), none);
  EXPECT_EQ(quiet.output(), "");
  EXPECT_EQ(quiet.reads(), 0);
}

// A SCARA task with gravity that both Newton passes miss: the extended solver
// finds it by the search and says so right after the found line; the
// reference solver reports no solution.
TEST(Dialogue, SearchResultIsAnnouncedAndTheReferenceSolverFindsNothing) {
  const std::string points = "y z g y -0.6531 0.2147 0.4689 -0.3988\n1";
  const std::string kSearch = "\n（2回のニュートン法では解が得られず，多始点探索で求めた）";
  {
    Scenario s = after_startup('b', 'h');
    const std::string out = dialogue_to_end(s, points, SolverChoice::Extended).output;
    EXPECT_TRUE(in_order(out, {kComputing, kSolved + kSearch + "\n切り替え・位置決め時間tt[]=", kDone,
                               kToWindow}));
  }
  {
    Scenario s = after_startup('b', 'h');
    const Ended end = dialogue_to_end(s, points + " n", SolverChoice::Reference);
    EXPECT_EQ(end.status, 0);
    EXPECT_EQ(count(end.output, kNoSolution), 1u);
    EXPECT_EQ(count(end.output, kSearch), 0u);
  }
}

// Half a turn of joint 1 with the default ratios has no bang-bang solution of
// this structure: neither the passes nor the search find one, and the
// dialogue asks for other conditions as before.
TEST(Dialogue, HalfTurnOfTheCylindricalRobotStillEndsInTheRetryQuestion) {
  Scenario s = after_startup('a', 'h');
  const Ended end = dialogue_to_end(s, "y z h y 0.8 0 -0.8 0.01\n n", SolverChoice::Extended);
  EXPECT_EQ(end.status, 0);
  EXPECT_TRUE(in_order(end.output, {kComputing, kNoSolution}));
  EXPECT_EQ(count(end.output, kSolved), 0u);
}

// --csv FILE: every successful computation writes the records there; a file
// that was there before the run is never replaced.
TEST(Dialogue, CsvOptionWritesEveryComputationAndNeverReplacesAForeignFile) {
  testfs::TempFolder dir;
  const std::string path = dir / "motion.csv";
  Scenario s = after_startup('a', 'h');
  {
    Console con("n", Encoding::Utf8);
    Ui out{con, Lang::Ja};
    out.csv_path = path;
    run_to_end(run_condition_dialogue(s, out, DialogueEntry::Heading), out);
    EXPECT_TRUE(out.csv_created);
    EXPECT_FALSE(out.csv_failed);
    EXPECT_EQ(con.error_output(), "");
    EXPECT_EQ(count(con.output(), "保存できませんでした"), 0u);  // silent when written
    const std::string first = testfs::read_file(path);
    EXPECT_EQ(first.rfind("t_s,toc_q1,", 0), 0u);
    EXPECT_EQ(count(first, "\n"), 202u);  // header and samples 0..200

    // Gravity on: the same file, replaced by the new records.
    select_gravity(s, 'g');
    run_to_end(run_condition_dialogue(s, out, DialogueEntry::Recompute), out);
    EXPECT_NE(testfs::read_file(path), first);
    EXPECT_EQ(count(testfs::read_file(path), "\n"), 202u);
  }
  {
    const std::string foreign = dir / "mine.csv";
    testfs::put_file(foreign, "keep me\n");
    Console con("n", Encoding::Utf8);
    Ui out{con, Lang::Ja};
    out.csv_path = foreign;
    run_to_end(run_condition_dialogue(s, out, DialogueEntry::Heading), out);
    EXPECT_EQ(testfs::read_file(foreign), "keep me\n");
    EXPECT_EQ(count(con.output(), "\n保存できませんでした: cannot write " + foreign), 1u);
    // The run is to fail, and standard error hears of it too.
    EXPECT_TRUE(out.csv_failed);
    EXPECT_EQ(con.error_output(), "保存できませんでした: cannot write " + foreign + ": File exists\n");
    EXPECT_EQ(dir.entries().size(), 2u);  // no temporary left behind
  }
}
