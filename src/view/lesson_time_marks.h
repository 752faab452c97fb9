// What the time graphs mark of the time-optimal motion besides its curves:
// a thin grey line at every switching time (joint 1's solid, joint 2's
// dashed, as their curves), the blue line at tf and the red one at tfm, the
// arcs inside the limits shaded in their joint's torque graph, and the
// lines' labels in the strip above the first graph.
#pragma once

#include "view/frame_description.h"
#include "view/lesson_inputs.h"
#include "view/plot_axes.h"

// Light fill of an arc inside the limits.
inline constexpr Colour colour_interior_arc{0.86f, 0.91f, 1.0f, 0.0f};

// The switching lines and the tf and tfm lines through plot p.
void describe_time_lines(Lines& to, const LessonInputs& in, const Plot& p);

// Joint j's arcs inside the limits as filled boxes over their time spans,
// the plot's height (drawn before the plot's axes, under everything).
void describe_interior_arcs(FrameDescription& f, const LessonInputs& in, const Plot& p, int joint);

// The black line at the time of the sample shown, through plot p.
void describe_cursor(FrameDescription& f, const LessonInputs& in, const Plot& p);

// The labels of the lines: the switches by name ("1a", "2b"), tf and tfm with
// their times; all on a time axis of `span` seconds.
void describe_time_labels(FrameDescription& f, const LessonInputs& in, double span);
