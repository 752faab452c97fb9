// The numbers behind the time axes, without any drawing: ticks of a time axis
// and the sample shown. The scales of the plotted values are worked out with
// the records (robot/graph_scales.h).
#pragma once

#include "model/scenario.h"
#include "robot/graph_scales.h"

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

// The displayed sample, kept inside the motion records.
int clamped_frame(int frame_index);
