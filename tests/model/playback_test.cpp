// Playback rules without a window: the clock is a number the test chooses.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "app/decimal_comma_locale.h"
#include "model/playback.h"

namespace {

constexpr double kDt = 0.02;
constexpr int kLast = 200;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// Started with space at `start` from `shown`.
Playback playing_from(double start, int& shown) {
  Playback pb;
  toggle_play(pb, start, shown, kLast);
  return pb;
}

TEST(Playback, ShownSampleFollowsElapsedTime) {
  int shown = 10;
  Playback pb = playing_from(100.0, shown);
  EXPECT_TRUE(pb.playing);
  EXPECT_EQ(shown, 10);
  EXPECT_EQ(sample_at(pb, 100.0, kDt, kLast), 10);
  EXPECT_EQ(sample_at(pb, 100.019, kDt, kLast), 10);
  EXPECT_EQ(sample_at(pb, 100.021, kDt, kLast), 11);
  EXPECT_EQ(sample_at(pb, 101.0, kDt, kLast), 60);
  // Whole multiples of dt land on their sample despite rounding.
  Playback zero;
  int from0 = 0;
  toggle_play(zero, 0.0, from0, kLast);
  EXPECT_EQ(sample_at(zero, 1.2, kDt, kLast), 60);
  EXPECT_EQ(sample_at(zero, 0.06, kDt, kLast), 3);
  EXPECT_EQ(sample_at(zero, 0.6, 0.04, kLast), 15);
}

TEST(Playback, SpeedScalesTheAdvance) {
  int shown = 0;
  Playback pb = playing_from(0.0, shown);
  pb.speed_log2 = 2;  // 4x
  EXPECT_EQ(sample_at(pb, 0.5, kDt, kLast), 100);
  pb.speed_log2 = -3;  // 1/8x
  EXPECT_EQ(sample_at(pb, 0.5, kDt, kLast), 3);
  EXPECT_EQ(sample_at(pb, 0.16, kDt, kLast), 1);
  EXPECT_EQ(sample_at(pb, 0.159, kDt, kLast), 0);
}

TEST(Playback, TickReportsChangesOnly) {
  int shown = 0;
  Playback pb = playing_from(0.0, shown);
  EXPECT_FALSE(tick(pb, 0.005, kDt, kLast, shown));
  EXPECT_EQ(shown, 0);
  EXPECT_TRUE(tick(pb, 0.021, kDt, kLast, shown));
  EXPECT_EQ(shown, 1);
  EXPECT_FALSE(tick(pb, 0.03, kDt, kLast, shown));
  EXPECT_TRUE(pb.playing);
}

TEST(Playback, SlowFramesSkipSamplesInsteadOfSlowingTime) {
  int shown = 0;
  Playback pb = playing_from(0.0, shown);
  ASSERT_TRUE(tick(pb, 0.021, kDt, kLast, shown));
  EXPECT_EQ(shown, 1);
  // The next timer call comes 0.3 s late: 15 samples pass at once.
  ASSERT_TRUE(tick(pb, 0.321, kDt, kLast, shown));
  EXPECT_EQ(shown, 16);
  ASSERT_TRUE(tick(pb, 2.0, kDt, kLast, shown));
  EXPECT_EQ(shown, 100);
}

TEST(Playback, SpaceWhilePlayingPausesAndKeepsTheSample) {
  int shown = 0;
  Playback pb = playing_from(0.0, shown);
  ASSERT_TRUE(tick(pb, 1.0, kDt, kLast, shown));
  ASSERT_EQ(shown, 50);
  toggle_play(pb, 1.0, shown, kLast);
  EXPECT_FALSE(pb.playing);
  EXPECT_EQ(shown, 50);
  // Time passing while paused moves nothing.
  EXPECT_FALSE(tick(pb, 5.0, kDt, kLast, shown));
  EXPECT_EQ(shown, 50);
  // Space again plays on from the paused sample, timed from the press.
  toggle_play(pb, 10.0, shown, kLast);
  EXPECT_TRUE(pb.playing);
  EXPECT_EQ(shown, 50);
  ASSERT_TRUE(tick(pb, 10.2, kDt, kLast, shown));
  EXPECT_EQ(shown, 60);
}

TEST(Playback, StopsAtTheLastSample) {
  int shown = 190;
  Playback pb = playing_from(0.0, shown);
  ASSERT_TRUE(tick(pb, 0.1, kDt, kLast, shown));
  EXPECT_EQ(shown, 195);
  EXPECT_TRUE(pb.playing);
  ASSERT_TRUE(tick(pb, 60.0, kDt, kLast, shown));
  EXPECT_EQ(shown, kLast);
  EXPECT_FALSE(pb.playing);
  EXPECT_FALSE(tick(pb, 61.0, kDt, kLast, shown));
  EXPECT_EQ(shown, kLast);
  // Exactly at the end also stops.
  int s2 = 0;
  Playback pb2 = playing_from(0.0, s2);
  ASSERT_TRUE(tick(pb2, 4.0, kDt, kLast, s2));
  EXPECT_EQ(s2, kLast);
  EXPECT_FALSE(pb2.playing);
}

TEST(Playback, SpaceAtTheLastSampleRestartsFromTheFirst) {
  int shown = kLast;
  Playback pb;
  toggle_play(pb, 3.0, shown, kLast);
  EXPECT_TRUE(pb.playing);
  EXPECT_EQ(shown, 0);
  ASSERT_TRUE(tick(pb, 3.5, kDt, kLast, shown));
  EXPECT_EQ(shown, 25);
  // A sample past the last (a shorter motion after a new solve) too.
  int beyond = 350;
  Playback pb2;
  toggle_play(pb2, 0.0, beyond, kLast);
  EXPECT_EQ(beyond, 0);
}

TEST(Playback, StepKeysPauseAndStayInRange) {
  int shown = 0;
  Playback pb = playing_from(0.0, shown);
  ASSERT_TRUE(tick(pb, 1.0, kDt, kLast, shown));
  EXPECT_EQ(step(pb, Step::Next, shown, kLast), 51);
  EXPECT_FALSE(pb.playing);
  EXPECT_EQ(step(pb, Step::Next, kLast, kLast), kLast);
  EXPECT_EQ(step(pb, Step::Previous, 51, kLast), 50);
  EXPECT_EQ(step(pb, Step::Previous, 0, kLast), 0);
  EXPECT_EQ(step(pb, Step::First, 120, kLast), 0);
  EXPECT_EQ(step(pb, Step::Last, 3, kLast), kLast);
  for (Step k : {Step::Next, Step::Previous, Step::First, Step::Last}) {
    toggle_play(pb, 0.0, shown, kLast);
    ASSERT_TRUE(pb.playing);
    step(pb, k, shown, kLast);
    EXPECT_FALSE(pb.playing);
  }
}

TEST(Playback, PauseForADialogue) {
  int shown = 0;
  Playback pb = playing_from(0.0, shown);
  pause(pb);
  EXPECT_FALSE(pb.playing);
  EXPECT_FALSE(tick(pb, 2.0, kDt, kLast, shown));
  EXPECT_EQ(shown, 0);
}

TEST(Playback, SpeedLimits) {
  Playback pb;
  EXPECT_EQ(pb.speed_log2, 0);
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(faster(pb, 0.0, 0));
  EXPECT_EQ(pb.speed_log2, 3);
  EXPECT_FALSE(faster(pb, 0.0, 0));
  EXPECT_EQ(pb.speed_log2, 3);
  EXPECT_DOUBLE_EQ(speed_factor(pb.speed_log2), 8.0);
  for (int i = 0; i < 6; ++i) EXPECT_TRUE(slower(pb, 0.0, 0));
  EXPECT_EQ(pb.speed_log2, -3);
  EXPECT_FALSE(slower(pb, 0.0, 0));
  EXPECT_DOUBLE_EQ(speed_factor(pb.speed_log2), 0.125);
}

TEST(Playback, SpeedChangeWhilePlayingDoesNotJump) {
  int shown = 0;
  Playback pb = playing_from(0.0, shown);
  ASSERT_TRUE(tick(pb, 2.0, kDt, kLast, shown));
  ASSERT_EQ(shown, 100);
  ASSERT_TRUE(faster(pb, 2.0, shown));
  // Without re-anchoring, 2x over the whole 2 s would show 200 now.
  EXPECT_EQ(sample_at(pb, 2.0, kDt, kLast), 100);
  EXPECT_FALSE(tick(pb, 2.0, kDt, kLast, shown));
  EXPECT_EQ(shown, 100);
  ASSERT_TRUE(tick(pb, 2.5, kDt, kLast, shown));
  EXPECT_EQ(shown, 150);
  ASSERT_TRUE(slower(pb, 2.5, shown));
  ASSERT_TRUE(slower(pb, 2.5, shown));
  EXPECT_EQ(sample_at(pb, 2.5, kDt, kLast), 150);
  ASSERT_TRUE(tick(pb, 3.5, kDt, kLast, shown));
  EXPECT_EQ(shown, 175);
}

TEST(Playback, SpeedChangeWhilePausedKeepsPaused) {
  Playback pb;
  int shown = 42;
  ASSERT_TRUE(faster(pb, 7.0, shown));
  EXPECT_FALSE(pb.playing);
  toggle_play(pb, 10.0, shown, kLast);
  ASSERT_TRUE(tick(pb, 10.5, kDt, kLast, shown));
  EXPECT_EQ(shown, 92);
}

TEST(Playback, UnusableTimeStepNeverAdvances) {
  for (double dt : {0.0, -0.02, kNaN, kInf, -kInf}) {
    int shown = 5;
    Playback pb = playing_from(0.0, shown);
    EXPECT_EQ(sample_at(pb, 1.0, dt, kLast), 5) << dt;
    EXPECT_FALSE(tick(pb, 1.0, dt, kLast, shown)) << dt;
    EXPECT_EQ(shown, 5) << dt;
    EXPECT_FALSE(pb.playing) << dt;
  }
  EXPECT_FALSE(usable_dt(0.0));
  EXPECT_FALSE(usable_dt(kNaN));
  EXPECT_TRUE(usable_dt(0.04));
}

TEST(Playback, UnusableClockReadings) {
  int shown = 5;
  Playback pb = playing_from(10.0, shown);
  EXPECT_EQ(sample_at(pb, kNaN, kDt, kLast), 5);
  EXPECT_EQ(sample_at(pb, 9.0, kDt, kLast), 5);  // before the anchor
  EXPECT_EQ(sample_at(pb, kInf, kDt, kLast), kLast);
  EXPECT_EQ(sample_at(pb, 1e300, kDt, kLast), kLast);
  EXPECT_EQ(sample_at(pb, 10.0, 1e-300, kLast), 5);
  EXPECT_EQ(sample_at(pb, 10.1, 1e-300, kLast), kLast);
}

TEST(Playback, MotionOfNoLength) {
  int shown = 0;
  Playback pb;
  toggle_play(pb, 0.0, shown, 0);
  EXPECT_EQ(shown, 0);
  EXPECT_FALSE(tick(pb, 1.0, kDt, 0, shown));
  EXPECT_EQ(shown, 0);
  EXPECT_FALSE(pb.playing);
}

TEST(PlaybackReadout, Texts) {
  EXPECT_EQ(playback_readout(1.2, 60, 200, 0, false), "t = 1.20 s  (60/200)");
  EXPECT_EQ(playback_readout(0.0, 0, 200, 0, true), "t = 0.00 s  (0/200)  playing");
  EXPECT_EQ(playback_readout(4.0, 200, 200, 1, false), "t = 4.00 s  (200/200)  2x");
  EXPECT_EQ(playback_readout(2.4, 60, 200, -2, true), "t = 2.40 s  (60/200)  1/4x  playing");
  EXPECT_EQ(playback_readout(0.005, 0, 200, 3, false), "t = 0.01 s  (0/200)  8x");
  // While a console question waits, the readout says where the answer goes.
  EXPECT_EQ(playback_readout(0.0, 0, 200, 0, false, "answer in the console"),
            "t = 0.00 s  (0/200)  answer in the console");
  EXPECT_EQ(playback_readout(0.0, 0, 200, -1, true, "computing..."),
            "t = 0.00 s  (0/200)  computing...  1/2x  playing");
  EXPECT_EQ(speed_text(-3), "1/8x");
  EXPECT_EQ(speed_text(0), "1x");
  EXPECT_EQ(speed_text(3), "8x");
  EXPECT_EQ(playback_readout(kNaN, 0, 200, 0, false), "t = nan s  (0/200)");
  EXPECT_EQ(playback_readout(1e300, 0, 200, 0, false).substr(0, 8), "t = 1000");
}

TEST(PlaybackReadout, DecimalPointInAnyLocale) {
  testlocale::DecimalComma comma;
  if (!comma.active()) GTEST_SKIP() << "no locale with a decimal comma could be made";
  EXPECT_EQ(playback_readout(1.25, 62, 200, 0, false), "t = 1.25 s  (62/200)");
}

}  // namespace
