// Tables and constants of robot/trig.cpp and robot/trig_atan.cpp, written by
// tools/make_trig_tables.py into trig_tables.cpp.
#pragma once

namespace trig_tables {

// A number as the sum of two doubles: hi, the nearest double, and lo, the
// nearest double to what is left (about 106 bits together).
struct Pair {
  double hi;
  double lo;
};

// The step of the sine table, pi / 256, as the sum of three parts: the first
// two of 31 bits, so that a multiple of them by an integer below 2^22 is exact.
extern const double kStepPart1;
extern const double kStepPart2;
extern const double kStepPart3;
extern const double kStepsPerRadian;  // 256 / pi
constexpr int kCircle = 512;          // steps in 2 pi

extern const double kTwoPi;
extern const Pair kPio2;
extern const Pair kPi;
extern const double kThreePio4;

// sin(k pi / 256) for k = 0..511 (exactly 0, 1, 0, -1 at the quarters);
// cos(k pi / 256) is kSin[(k + 128) % 512].
extern const Pair kSin[kCircle];

// atan(j / 64) for j = 0..64.
constexpr int kAtanSteps = 64;
extern const Pair kAtan[kAtanSteps + 1];

}  // namespace trig_tables
