// Time graphs of the right half of the window: joint displacements of both
// joints, and the torque of each joint, for the feedback run (red) and the
// time-optimal run (blue) from time 0 up to the displayed sample.
#pragma once

#include <optional>

#include "scenario/scenario.h"
#include "view/primitives.h"
#include "view/viewport.h"

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

// Axes, second ticks and seconds label of one graph. mode 0: one-sided vertical
// axis and the two positioning-time markers; mode 1: two-sided vertical axis.
void draw_time_axes(const Scenario& s, int mode, const Point& origin, double dt, int n,
                    double width, double height);

struct JointRange {
  double max, min;
};

// Largest and smallest feedback joint value of both joints over samples
// 0 .. frame_count - 1, starting from -1000 and +1000.
JointRange joint_range(const Scenario& s, char robot);

// Height per unit displacement for the range, or 0 when the range is empty,
// a single value or not finite (the curves then lie on the base line).
double displacement_scale(const JointRange& range, double span);

// Height per unit torque; none when the limit is 0 or not finite (no curves).
std::optional<double> torque_scale(double half_height, double limit);

// The displayed sample, kept inside the motion records.
int clamped_frame(int frame_index);

// The rectangles the curves of each graph are clipped to, so that a curve
// beyond the plotted range stays off the neighbouring graph and the robot
// area. Each is the box of the graph's axes, widened on every side by half a
// curve width so that a curve along an edge (the lowest displacement, the first
// and the last sample) keeps its full width:
//   displacement graph: x from disp_graph_origin.x to + graph_width, y from
//     disp_graph_origin.y to + disp_graph_height + 0.05 (the vertical axis);
//   torque graph j (0 or 1): x the same over its origin, y within
//     +-(half height + 0.05) of its zero line.
// With the default layout: [0.396, 0.904] x [0.496, 0.954], [0.396, 0.904] x
// [-0.204, 0.404] and [0.396, 0.904] x [-0.904, -0.296].
DrawingRect displacement_panel(const Layout& L);
DrawingRect torque_panel(const Layout& L, int joint);

void draw_displacement_graph(Scenario& s, char robot, int frame_index);
void draw_torque_graphs(const Scenario& s, char robot, int frame_index);
