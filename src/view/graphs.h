// Time graphs of the right half of the window: joint displacements of both
// joints, and the torque of each joint, for the feedback run (red) and the
// time-optimal run (blue) from time 0 up to the displayed sample.
#pragma once

#include "model/scenario.h"
#include "view/frame_description.h"
#include "view/scales.h"
#include "view/viewport.h"

// Axes, second ticks and seconds label of one graph. mode 0: one-sided vertical
// axis and the two positioning-time markers; mode 1: two-sided vertical axis.
// In a square of side pixels below 800 (view/text.h) the texts are laid out in
// pixels: the seconds digit ends left of its tick and the "s" starts right of it.
void describe_time_axes(Sketch& sketch, const Scenario& s, int mode, const Point& origin,
                        double dt, int n, double width, double height, int side = 800);

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

// The graphs of the selected robot from sample 0 to frame_index, on the
// scales kept with its record (RobotConditions::scales). Their curves are kept
// to their panels by a Scissor item, after which the scissor is the whole
// picture again.
// Their texts are drawn for a square of `side` pixels: below 800 they are laid
// out in pixels, clear of the axes and of each other (the labels beside a
// vertical axis end left of it, the others keep clear of the lines they
// name, two goal labels that would meet stand above and below their lines).
void describe_displacement_graph(Sketch& sketch, const Scenario& s, int frame_index,
                                 int side = 800);
void describe_torque_graphs(Sketch& sketch, const Scenario& s, int frame_index, int side = 800);

// Below 800 pixels: the leftmost pixel column of the labels left of the
// graphs' vertical axes (the units and the torques' zero), which the texts
// over the robot area keep left of.
int graph_labels_left(const Scenario& s, int side);
