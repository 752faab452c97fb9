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

JointRange joint_range(const Scenario& s) {
  JointRange r{-1000.0, 1000.0};
  const RobotRecord* rec = selected_record(s);
  if (rec == nullptr) return r;
  const int last = (s.frame_count > kRecordCapacity) ? kRecordCapacity : s.frame_count;
  for (int i = 0; i < last; ++i) {
    for (int j = 0; j < 2; ++j) {
      const double v = rec->fb_phi[i][j];
      if (v > r.max) r.max = v;
      if (v < r.min) r.min = v;
    }
  }
  return r;
}

double displacement_scale(const JointRange& range, double span) {
  if (!(range.max > range.min)) return 0.0;
  const double sigma = span / (range.max - range.min);
  return std::isfinite(sigma) ? sigma : 0.0;
}

std::optional<double> torque_scale(double half_height, double limit) {
  if (limit == 0.0 || !std::isfinite(limit)) return std::nullopt;
  const double sigma = half_height / limit;
  if (!std::isfinite(sigma)) return std::nullopt;
  return sigma;
}
