// The sweep away from the window: on its thread with the pool's help or in
// steps on the caller, the same points as computing them one by one; a
// cancelled sweep, or one whose task changed, never shows a point; points
// already there are not computed again.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>

#include "app/background_sweep.h"
#include "app/dialogue_texts.h"
#include "app/startup.h"
#include "app/sweep_point.h"
#include "toc/worker_pool.h"

namespace {

using dialogue_texts::run_to_end;

std::unique_ptr<Scenario> started(const char* answers) {
  auto s = std::make_unique<Scenario>();
  Console con(answers, Encoding::Utf8);
  Ui ui(con, Lang::En);
  EXPECT_EQ(run_to_end(run_startup(*s, ui), ui), Progress::Done);
  return s;
}

// Takes points until the sweep ends (at most a minute).
void take_all(BackgroundSweep& b, RatioSweep& sw) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::minutes(1);
  while (b.running() && std::chrono::steady_clock::now() < until) {
    b.step(0.05);
    b.take(sw);
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
}

void expect_same_points(const RatioSweep& a, const RatioSweep& b) {
  for (int axis = 0; axis < 2; ++axis)
    for (int i = 0; i < kSweepRatios; ++i) {
      const SweepPoint &p = a.axis[axis][i], &q = b.axis[axis][i];
      ASSERT_TRUE(p.done && q.done) << axis << ' ' << i;
      EXPECT_EQ(p.found, q.found) << axis << ' ' << i;
      EXPECT_EQ(p.tf, q.tf) << axis << ' ' << i;
      EXPECT_EQ(p.tfm, q.tfm) << axis << ' ' << i;
    }
}

class BackgroundSweepTest : public ::testing::Test {
 protected:
  std::unique_ptr<Scenario> s = started("a h n");
};

TEST_F(BackgroundSweepTest, OnItsThreadWithThePoolOrInStepsGivesThePointsOfTheSerialSweep) {
  RatioSweep serial{};
  compute_sweep(serial, *s, SolverChoice::Optimal, nullptr);
  EXPECT_EQ(serial.done_count, 2 * kSweepRatios);

  WorkerPool pool(2);
  for (const bool threads : {true, false}) {
    RatioSweep sw{};
    begin_sweep(sw, *s, 7);
    BackgroundSweep b;
    b.start(*s, sw, SolverChoice::Optimal, threads, threads ? &pool : nullptr);
    EXPECT_TRUE(b.running());
    take_all(b, sw);
    EXPECT_FALSE(b.running());
    EXPECT_EQ(sw.done_count, 2 * kSweepRatios);
    expect_same_points(sw, serial);
  }
}

TEST_F(BackgroundSweepTest, ACancelledSweepOrOneOfAnEarlierTaskShowsNothing) {
  WorkerPool pool(2);
  RatioSweep sw{};
  begin_sweep(sw, *s, 1);
  BackgroundSweep b;
  b.start(*s, sw, SolverChoice::Optimal, true, &pool);
  b.cancel();
  EXPECT_FALSE(b.running());
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_FALSE(b.take(sw));
  EXPECT_EQ(sw.done_count, 0);

  // The shown sweep is of a newer task: the old sweep's points are dropped
  // and it ends.
  b.start(*s, sw, SolverChoice::Optimal, false, nullptr);
  b.step(0.0);
  RatioSweep newer{};
  begin_sweep(newer, *s, 2);
  EXPECT_FALSE(b.take(newer));
  EXPECT_FALSE(b.running());
  EXPECT_EQ(newer.done_count, 0);
  for (const auto& axis : newer.axis)
    for (const SweepPoint& p : axis) EXPECT_FALSE(p.done);
}

TEST_F(BackgroundSweepTest, PointsAlreadyDoneAreKeptAndNotComputedAgain) {
  RatioSweep sw{};
  begin_sweep(sw, *s, 3);
  // An axis kept from the sweep before, marked so it would show if overwritten.
  for (SweepPoint& p : sw.axis[0]) p = SweepPoint{p.u, -1.0, -1.0, true, true};
  sw.done_count = kSweepRatios;
  BackgroundSweep b;
  b.start(*s, sw, SolverChoice::Optimal, false, nullptr);
  take_all(b, sw);
  EXPECT_EQ(sw.done_count, 2 * kSweepRatios);
  for (const SweepPoint& p : sw.axis[0]) EXPECT_EQ(p.tf, -1.0);
  for (const SweepPoint& p : sw.axis[1]) EXPECT_TRUE(p.done && p.tf > 0.0);
}

TEST(BackgroundSweepNoRobot, HasNothingToCompute) {
  Scenario s{};
  RatioSweep sw{};
  begin_sweep(sw, s, 1);
  EXPECT_FALSE(sw.robot_selected);
  BackgroundSweep b;
  b.start(s, sw, SolverChoice::Optimal, false, nullptr);
  EXPECT_FALSE(b.step(0.01));
  b.take(sw);
  EXPECT_FALSE(b.running());
  EXPECT_EQ(sw.done_count, 0);
}

}  // namespace
