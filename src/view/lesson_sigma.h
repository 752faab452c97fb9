// The lesson view's switching functions (key f). While they are on, the rows
// of the two velocity time graphs show joint 1's and joint 2's switching
// function of the time-optimal run instead, sigma_j = (M^-1 lambda_v)_j, the
// coefficient of tau_j in the Hamiltonian, on the same time axis: its zero
// crossings line up with the switching lines through the other graphs. Each
// joint's curve is scaled to +-1 by its own largest magnitude and drawn in
// blue, joint 1 solid and joint 2 dashed, as its other curves; the joint's
// switches are ringed on the zero line, its arcs inside the limits (where
// sigma_j stays at zero) shaded as in its torque graph, one line says the
// rule, and where the motion breaks it, the sign change away from a switch
// is ringed in dark red. The phase planes keep the velocities.
#pragma once

#include "view/frame_description.h"
#include "view/lesson_inputs.h"
#include "view/plot_axes.h"

// The rule the switching functions give the torques, with the minus sign
// (not the hyphen) in front: "τ_j = −τ_jmax · sign(σ_j)".
inline constexpr const char* kSigmaRule = "\u03c4_j = \u2212\u03c4_jmax \u00b7 sign(\u03c3_j)";

// The value range of a switching function's graph: +-1 with room to spare.
inline constexpr double kSigmaReach = 1.12;

// Whether time graph g (view/lesson_layout.h) shows a switching function.
bool shows_sigma(const LessonInputs& in, int graph);

// Joint joint_of(graph)'s switching function in that graph's place, with its
// title, axes, the time lines and the cursor as the other time graphs have.
void describe_sigma_graph(FrameDescription& f, const LessonInputs& in, int graph);
