#include "view/scales.h"

#include <cmath>

TimeTicks time_ticks(double dt, int n, double width) {
  const double k = std::trunc(1.0 / dt);
  const double step = k * width / n;
  const double m = std::trunc(width / step);
  TimeTicks t{0, 0.0, 0, 0.0};
  if (!std::isfinite(step) || !std::isfinite(m) || !(m >= 0.0)) return t;
  t.step = step;
  t.count = (m >= kMaxTicks) ? kMaxTicks : static_cast<int>(m);
  t.label = (t.count > 9) ? 9 : t.count;
  t.label_x = t.count * step;
  return t;
}

int clamped_frame(int frame_index) {
  if (frame_index < 0) return 0;
  if (frame_index > kRecordCapacity - 1) return kRecordCapacity - 1;
  return frame_index;
}
