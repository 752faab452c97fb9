// The lesson view's graphs: six time graphs on one time axis (displacement,
// velocity and torque of each joint) and a phase plane per joint, with the
// switching times, tf, tfm and the cursor of the sample shown
// (view/lesson_time_marks.h), the switching points numbered in the phase
// planes. With the switching functions on, the velocity rows show them
// instead (view/lesson_sigma.h).
#pragma once

#include <optional>

#include "view/frame_description.h"
#include "view/lesson_inputs.h"
#include "view/plot_axes.h"

enum class Quantity { Displacement, Velocity, Torque };

// What time graph i (view/lesson_layout.h) plots.
inline Quantity quantity_of(int graph) { return static_cast<Quantity>(graph / 2); }
inline int joint_of(int graph) { return graph % 2; }

// Recorded values of a run: q, dq or tau of both joints by sample.
const double (*series(const LessonInputs& in, Quantity q, bool time_optimal))[2];

// The value range of a graph: every sample of both runs, the goal line
// (displacement) or the limits (torque), widened by a margin.
ValueRange time_graph_range(const LessonInputs& in, int graph);

// The phase plane's ranges of one joint: displacement across, velocity up.
ValueRange phase_range_q(const LessonInputs& in, int joint);
ValueRange phase_range_dq(const LessonInputs& in, int joint);

// Where the time-optimal run is at time t in joint j's phase plane
// (displacement, velocity), between the samples about it; none for a time
// that is not within the record.
std::optional<Point> state_at(const LessonInputs& in, int joint, double t);

// Unit of a quantity of joint j of the robot ("rad", "m/s", "N·m", ...).
const char* unit_of(const LessonInputs& in, Quantity q, int joint);

void describe_time_graphs(FrameDescription& f, const LessonInputs& in);
void describe_phase_planes(FrameDescription& f, const LessonInputs& in);
