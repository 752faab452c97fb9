#include "robot/graph_scales.h"

#include <cmath>

#include "robot/torque_laws.h"

JointRange joint_range(const RobotRecord& rec, int frame_count) {
  JointRange r{-1000.0, 1000.0};
  const int last = (frame_count > kRecordCapacity) ? kRecordCapacity : frame_count;
  for (int i = 0; i < last; ++i) {
    for (int j = 0; j < 2; ++j) {
      const double v = rec.fb_phi[i][j];
      if (v > r.max) r.max = v;
      if (v < r.min) r.min = v;
    }
  }
  return r;
}

JointRange joint_range(const Scenario& s) {
  const RobotRecord* rec = selected_record(s);
  if (rec == nullptr) return JointRange{-1000.0, 1000.0};
  return joint_range(*rec, s.frame_count);
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

GraphScales graph_scales(const RobotRecord& rec, Gravity gravity, int frame_count,
                         const Layout& layout) {
  GraphScales g{};
  const JointRange range = joint_range(rec, frame_count);
  g.displacement_min = range.min;
  g.displacement_per_unit = displacement_scale(range, layout.disp_graph_span);
  const double half[2] = {layout.torque1_graph_half_height, layout.torque2_graph_half_height};
  for (int j = 0; j < 2; ++j) {
    const std::optional<double> sigma = torque_scale(half[j], torque_limit(rec, gravity, j));
    g.torque_shown[j] = sigma.has_value();
    g.torque_per_unit[j] = sigma.value_or(0.0);
  }
  return g;
}

void update_graph_scales(Scenario& s) {
  s.cyl.scales = graph_scales(s.cyl, s.gravity, s.frame_count, s.layout);
  s.scara.scales = graph_scales(s.scara, s.gravity, s.frame_count, s.layout);
}
