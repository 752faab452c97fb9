// The time grid of the stored motion records.
#pragma once

#include "model/scenario.h"

// Time between stored samples: the motion records cover 4 s, or 8 s when the
// PID positioning time is longer than 4 s.
inline double sample_step(double tfm, int frame_count) {
  double dt = 4.0 / frame_count;
  if (tfm > 4.0) dt = 8.0 / frame_count;
  return dt;
}

// Last sample index the records can hold for a given frame_count.
inline int last_sample(int frame_count) {
  return frame_count > kRecordCapacity - 1 ? kRecordCapacity - 1 : frame_count;
}
