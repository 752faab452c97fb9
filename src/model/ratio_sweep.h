// The gear-ratio sweep of the current task: the positioning times of the
// time-optimal motion (tf) and of the PID design (tfm) over reduction ratios,
// one axis per joint, the other joint's ratio kept at its current value.
// Computed in the background point by point; the view draws the points done.
#pragma once

#include <cmath>

constexpr int kSweepRatios = 40;      // ratios per axis
constexpr double kSweepRatioMin = 1.0;
constexpr double kSweepRatioMax = 300.0;

// Ratio i of an axis: logarithmically even from 1 to 300, to three
// significant digits, as the double its short text ("36.8") reads as: the
// quotient of two whole numbers is rounded once, as reading the text is. So
// picking a ratio types no more than that text.
inline double sweep_ratio(int i) {
  const double even = kSweepRatioMin * std::pow(kSweepRatioMax / kSweepRatioMin,
                                                static_cast<double>(i) / (kSweepRatios - 1));
  // 1 <= even <= 300: 100ths, 10ths or units give three digits.
  const double scale = even < 10.0 ? 100.0 : even < 100.0 ? 10.0 : 1.0;
  return std::round(even * scale) / scale;
}

struct SweepPoint {
  double u;     // the swept joint's ratio
  double tf;    // time-optimal positioning time [s] (when found)
  double tfm;   // the PID design's positioning time [s]
  bool done;    // computed for the current task
  bool found;   // a time-optimal motion exists at this ratio
};

struct RatioSweep {
  // Which task the points are of: bumped at every change of the task, so that
  // points computed for an earlier one are never taken.
  unsigned generation;
  bool robot_selected;      // false: no sweep (no robot chosen yet)
  bool gravity;             // the limits include the holding torque
  double current_u[2];      // the task's own ratios u1, u2
  double matched_u[2];      // u* = sqrt(J_load / I_motor) per joint, at the start point
  SweepPoint axis[2][kSweepRatios];  // axis j: joint j's ratio swept
  int done_count;           // points done, of 2 * kSweepRatios
};

// The fastest point found on an axis, or -1 when none was found.
inline int fastest_sweep_point(const RatioSweep& s, int axis) {
  int best = -1;
  for (int i = 0; i < kSweepRatios; ++i) {
    const SweepPoint& p = s.axis[axis][i];
    if (p.done && p.found && (best < 0 || p.tf < s.axis[axis][best].tf)) best = i;
  }
  return best;
}
