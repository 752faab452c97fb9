// The scales of the time graphs, worked out once after the records are
// computed: the range of the feedback joint values and the torque limits of
// the gravity selection. The drawing reads the result (RobotRun::scales)
// and never scans a record or looks up a limit itself.
#pragma once

#include <optional>

#include "model/scenario.h"
#include "robot/robot_kind.h"

struct JointRange {
  double max, min;
};

// Largest and smallest feedback joint value of both joints over samples
// 0 .. frame_count - 1 (at most the record's capacity), starting from -1000
// and +1000; values that are not numbers are passed over.
JointRange joint_range(const RobotRun& run, int frame_count);

// The same for the selected robot; the starting range when none is selected.
JointRange joint_range(const Runs& runs, Robot robot, int frame_count);

// Height per unit displacement for the range, or 0 when the range is empty,
// a single value or not finite (the curves then lie on the base line).
double displacement_scale(const JointRange& range, double span);

// Height per unit torque; none when the limit is 0 or not finite (no curves).
std::optional<double> torque_scale(double half_height, double limit);

// The scales of one record for the layout's graph sizes.
GraphScales graph_scales(const RobotConditions& rec, const RobotRun& run, Gravity gravity,
                         int frame_count, const Layout& layout);

// Both robots' scales, after a computation changed records, limits, the
// gravity selection or the sample count.
void update_graph_scales(Runs& runs, const Conditions& c, const Layout& layout);
