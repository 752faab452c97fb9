// The switching structure of a direct solution: each joint's torque read off
// the grid as arcs at the limits with switching times between them, and arcs
// inside the limits (singular) where the torque stays off its limits for
// longer than a switch explains.
#pragma once

#include "model/motion.h"
#include "toc/direct_method.h"

// A grid step whose torque is off its limits by more than this is inside them.
constexpr double kInteriorMargin = 0.01;
// Longest run of inside steps a switch (or a short opposite pulse) explains
// on a converged grid.
constexpr int kSwitchSteps = 2;

// The motion of the grid: its arcs per joint and tf. A run of at most
// switch_steps steps inside the limits between arcs at the limits is read as
// a switch (between opposite limits) or a short pulse of the other sign
// (between equal ones), at the times the torque's mean over the run gives; a
// longer run is an arc inside the limits. When there is one, the grid itself
// is kept as the motion's torques (grid_count = g.n); a bang-bang motion has
// grid_count = 0. False when a joint needs more than kMaxJointArcs arcs.
bool structure_of(const TorqueGrid& g, int switch_steps, Motion& m);
