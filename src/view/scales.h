// The numbers behind the time graphs, without any drawing: ticks of a time
// axis, the plotted ranges and scales, and the sample shown.
#pragma once

#include <optional>

#include "model/scenario.h"

// Whole-second ticks of a time axis of `width` for n samples of dt.
struct TimeTicks {
  int count;       // ticks 1 .. count, all on the axis
  double step;     // distance between ticks (0 when there are none)
  int label;       // the seconds digit shown at the last tick, 0 .. 9
  double label_x;  // x of the last tick relative to the origin
};

// The most ticks drawn on one axis; more would be closer than a pixel.
constexpr int kMaxTicks = 500;

// k = trunc(1/dt) samples per second, step = k*width/n, count = trunc(width/step),
// all in floating point; a count that is not a finite non-negative number gives
// no ticks, a larger count is capped at kMaxTicks, and the digit at 9.
TimeTicks time_ticks(double dt, int n, double width);

struct JointRange {
  double max, min;
};

// Largest and smallest feedback joint value of both joints of the selected
// robot over samples 0 .. frame_count - 1, starting from -1000 and +1000.
JointRange joint_range(const Scenario& s);

// Height per unit displacement for the range, or 0 when the range is empty,
// a single value or not finite (the curves then lie on the base line).
double displacement_scale(const JointRange& range, double span);

// Height per unit torque; none when the limit is 0 or not finite (no curves).
std::optional<double> torque_scale(double half_height, double limit);

// The displayed sample, kept inside the motion records.
int clamped_frame(int frame_index);
