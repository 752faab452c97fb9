#include "robot/graph_scales.h"

#include <cmath>

#include "robot/torque_laws.h"

JointRange joint_range(const RobotRun& rec, int frame_count) {
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

JointRange joint_range(const Runs& runs, Robot robot, int frame_count) {
  const RobotRun* run = selected_run(runs, robot);
  if (run == nullptr) return JointRange{-1000.0, 1000.0};
  return joint_range(*run, frame_count);
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

GraphScales graph_scales(const RobotConditions& rec, const RobotRun& run, Gravity gravity,
                         int frame_count, const Layout& layout) {
  GraphScales g{};
  const JointRange range = joint_range(run, frame_count);
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

void update_graph_scales(Runs& runs, const Conditions& c, const Layout& layout) {
  runs.cyl_run.scales = graph_scales(c.cyl, runs.cyl_run, c.gravity, c.frame_count, layout);
  runs.scara_run.scales = graph_scales(c.scara, runs.scara_run, c.gravity, c.frame_count, layout);
}
