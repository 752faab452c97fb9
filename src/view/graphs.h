// Time graphs of the right half of the window: joint displacements of both
// joints, and the torque of each joint, for the feedback run (red) and the
// time-optimal run (blue) from time 0 up to the displayed sample.
#pragma once

#include "model/scenario.h"
#include "view/scales.h"
#include "view/primitives.h"

// Axes, second ticks and seconds label of one graph. mode 0: one-sided vertical
// axis and the two positioning-time markers; mode 1: two-sided vertical axis.
void draw_time_axes(const Scenario& s, int mode, const Point& origin, double dt, int n,
                    double width, double height);

// The graphs of the selected robot from sample 0 to frame_index.
void draw_displacement_graph(const Scenario& s, int frame_index);
void draw_torque_graphs(const Scenario& s, int frame_index);
