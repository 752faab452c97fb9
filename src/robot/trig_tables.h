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

// pi / 2 as the sum of three parts: the first two of 33 bits, so that a
// multiple of them by an integer below 2^19 is exact.
extern const double kPio2Part1;
extern const double kPio2Part2;
extern const double kPio2Part3;
extern const double kTwoOverPi;
extern const double kTwoPi;
extern const Pair kPio2;
extern const Pair kPi;
extern const double kThreePio4;

// sin(j / 64) and cos(j / 64) for j = 0..51 (past pi / 4), atan(j / 64) for j = 0..64.
constexpr int kSteps = 64;
extern const Pair kSin[52];
extern const Pair kCos[52];
extern const Pair kAtan[65];

}  // namespace trig_tables
