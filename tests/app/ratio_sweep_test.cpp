// The gear-ratio sweep's numbers: the matched ratios against the plant's own
// inertia, the order and the ratios of the points, a point against the u
// dialogue's computation, and the sweep's CSV and its file rules.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>

#include "app/dialogue_texts.h"
#include "app/startup.h"
#include "app/sweep_csv.h"
#include "app/sweep_point.h"
#include "app/temp_folder.h"
#include "robot/dynamics.h"
#include "robot/robot_kind.h"

namespace {

using dialogue_texts::run_to_end;

std::unique_ptr<Scenario> started(const std::string& answers) {
  auto s = std::make_unique<Scenario>();
  Console con(answers, Encoding::Utf8);
  Ui ui(con, Lang::En);
  EXPECT_EQ(run_to_end(run_startup(*s, ui), ui), Progress::Done);
  return s;
}

// The joint inertia the plant itself has at the start point, at rest and
// without gravity: the inverse of its accelerations under unit torques.
void plant_inertia_diagonal(const Conditions& c, double d[2]) {
  Conditions flat = c;
  flat.gravity = Gravity::Off;
  const PlantModel plant(flat, c.robot);
  const RobotConditions& r = model_conditions(c, c.robot);
  const double y[4] = {r.Phi0[0], r.Phi0[1], 0.0, 0.0};
  double a1[2], a2[2];
  plant.accelerations(y, 1.0, 0.0, a1);
  plant.accelerations(y, 0.0, 1.0, a2);
  // M = A^-1 with A = [a1 a2] (columns).
  const double det = a1[0] * a2[1] - a2[0] * a1[1];
  d[0] = a2[1] / det;
  d[1] = a1[0] / det;
}

TEST(MatchedRatio, IsWhereTheLoadAndTheGearedMotorInertiaAreEqualAndTheAccelerationLimitPeaks) {
  for (const char* task : {"a h n", "a g n", "b h n", "b g n"}) {
    const auto s = started(task);
    const RobotKind& kind = *robot_kind(s->robot);
    const RobotConditions& r = kind.const_conditions(*s);
    double u[2];
    matched_ratios(kind, *s, u);
    double d[2];
    plant_inertia_diagonal(*s, d);
    const double motor[2] = {s->robot == Robot::Scara ? s->scara.IM1_motor : s->cyl.IM1_motor,
                             s->robot == Robot::Scara ? s->scara.IM2_motor : s->cyl.mM2_motor};
    const double ratio[2] = {r.u1, r.u2};
    for (int j = 0; j < 2; ++j) {
      ASSERT_GT(u[j], 1.0) << task << j;
      // The load is what the plant holds besides the geared motor.
      const double load = d[j] - motor[j] * ratio[j] * ratio[j];
      EXPECT_NEAR(u[j] * u[j] * motor[j], load, 1e-9 * load) << task << j;
      // u / (J_load + u^2 I) is largest there.
      auto accel = [&](double v) { return v / (load + v * v * motor[j]); };
      EXPECT_GT(accel(u[j]), accel(u[j] * 1.01)) << task << j;
      EXPECT_GT(accel(u[j]), accel(u[j] / 1.01)) << task << j;
    }
  }
}

TEST(MatchedRatio, CylindricalJoint2MatchesTheDesignRatio) {
  // The motors were chosen matched to the work mass at 50.
  const auto s = started("a h n");
  double u[2];
  matched_ratios(*robot_kind(s->robot), *s, u);
  EXPECT_NEAR(u[1], 50.0, 1e-9);
}

TEST(SweepPoints, AreFortyShortRatiosFromOneTo300EachComputedOnce) {
  std::set<std::pair<int, int>> seen;
  for (int k = 0; k < 2 * kSweepRatios; ++k) {
    int axis = -1, i = -1;
    sweep_order(k, axis, i);
    ASSERT_TRUE(axis == 0 || axis == 1);
    ASSERT_TRUE(i >= 0 && i < kSweepRatios);
    EXPECT_TRUE(seen.insert({axis, i}).second) << k;
  }
  EXPECT_EQ(seen.size(), 2u * kSweepRatios);
  EXPECT_EQ(sweep_ratio(0), 1.0);
  EXPECT_EQ(sweep_ratio(kSweepRatios - 1), 300.0);
  for (int i = 1; i < kSweepRatios; ++i) {
    const double u = sweep_ratio(i), v = sweep_ratio(i - 1);
    EXPECT_NEAR(std::log(u / v), std::log(300.0) / (kSweepRatios - 1), 0.01) << i;
    // Its text of three digits reads back as the very ratio.
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, u);
    EXPECT_LE(end.ptr - text, 4) << u;
  }
  // The coarse points of both axes come first.
  int axis = 0, i = 0;
  sweep_order(0, axis, i);
  EXPECT_EQ(axis, 0);
  sweep_order(1, axis, i);
  EXPECT_EQ(axis, 1);
  EXPECT_EQ(i, kSweepRatios - 1);  // the largest ratio: its motion is quickly found
  sweep_order(9, axis, i);
  EXPECT_EQ((kSweepRatios - 1 - i) % 8, 0);
}

TEST(SweepPoints, APointIsTheMotionOfTheDialogueWithThatRatioTyped) {
  const auto base = started("b g n");
  for (const int axis : {0, 1}) {
    const int i = axis == 0 ? 21 : 30;
    const SweepPoint p = sweep_point(*base, SolverChoice::Optimal, axis, i);
    std::ostringstream typed;
    typed << "b g y y " << (axis == 0 ? sweep_ratio(i) : base->scara.u1) << ' '
          << (axis == 0 ? base->scara.u2 : sweep_ratio(i)) << "\ng n";
    const auto s = started(typed.str());
    ASSERT_TRUE(p.found);
    ASSERT_TRUE(s->outcome.found);
    EXPECT_EQ(p.tf, s->scara_run.motion.tf) << axis;
    EXPECT_EQ(p.tfm, s->tfm) << axis;
  }
}

TEST(SweepPoints, AnAxisIsKeptOnlyWhileItsTaskIsTheSame) {
  const auto a = started("b h n");
  Conditions b = *a;
  b.scara.u1 = 40;  // axis 0 sweeps u1: still the same task
  EXPECT_TRUE(same_sweep_axis(*a, b, 0));
  EXPECT_FALSE(same_sweep_axis(*a, b, 1));
  Conditions c = *a;
  c.xf = c.xf + 0.01;
  EXPECT_FALSE(same_sweep_axis(*a, c, 0));
  c = *a;
  c.gravity = Gravity::On;
  EXPECT_FALSE(same_sweep_axis(*a, c, 1));
}

RatioSweep filled_sweep() {
  RatioSweep sw{};
  sw.robot_selected = true;
  for (int a = 0; a < 2; ++a)
    for (int i = 0; i < kSweepRatios; ++i)
      sw.axis[a][i] = SweepPoint{sweep_ratio(i), 1.0 + i / 3.0, 2.5, true, i != 3};
  sw.done_count = 2 * kSweepRatios;
  return sw;
}

TEST(SweepCsv, HasALinePerRatioWithTheMotionCsvsNumbersAndAnEmptyTfWhereNoneWasFound) {
  const std::string csv = sweep_csv(filled_sweep());
  std::istringstream in(csv);
  std::string line;
  std::getline(in, line);
  EXPECT_EQ(line, "axis,u,tf,tfm,found");
  int lines = 0;
  while (std::getline(in, line)) ++lines;
  EXPECT_EQ(lines, 2 * kSweepRatios);
  EXPECT_NE(csv.find("\n1,1,1,2.5,1\n"), std::string::npos);
  EXPECT_NE(csv.find("\n1,1.55,,2.5,0\n"), std::string::npos);
  EXPECT_NE(csv.find("\n2,300,14,2.5,1\n"), std::string::npos);
  EXPECT_NE(csv.find("\n2,1.16,1.333333333,2.5,1\n"), std::string::npos);
}

TEST(SweepCsv, IsWrittenWholeOrNotAtAllAndNeverOverAFile) {
  testfs::TempFolder dir;
  RatioSweep part = filled_sweep();
  part.axis[1][7].done = false;
  const WriteResult early = write_sweep_csv(dir.path(), 'b', 'g', part);
  EXPECT_FALSE(early.ok);
  EXPECT_NE(early.error.find("tocsim-b-g-sweep.csv: the sweep is not complete"), std::string::npos);
  EXPECT_TRUE(dir.entries().empty());

  const WriteResult first = write_sweep_csv(dir.path(), 'b', 'g', filled_sweep());
  ASSERT_TRUE(first.ok) << first.error;
  EXPECT_EQ(first.path, dir / "tocsim-b-g-sweep.csv");
  const WriteResult second = write_sweep_csv(dir.path(), 'b', 'g', filled_sweep());
  ASSERT_TRUE(second.ok);
  EXPECT_EQ(second.path, dir / "tocsim-b-g-sweep-1.csv");

  std::ofstream(dir / "mine.csv") << "keep";
  EXPECT_FALSE(write_new_sweep_csv_to(dir / "mine.csv", filled_sweep()).ok);
  std::ifstream kept(dir / "mine.csv");
  std::string text;
  kept >> text;
  EXPECT_EQ(text, "keep");
  EXPECT_FALSE(write_new_sweep_csv_to(dir / "missing/x.csv", filled_sweep()).ok);
}

}  // namespace
