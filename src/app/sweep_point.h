// The points of the gear-ratio sweep: the task with one joint's reduction
// ratio replaced, its derived conditions, its time-optimal motion and the PID
// design's positioning time. Each point is a pure function of the task, so
// the points may be computed in any order on any thread.
#pragma once

#include "model/scenario.h"
#include "toc/switching_solver.h"

class WorkerPool;

// A fresh sweep of the task c (its points not done yet), for the generation
// given: the ratios on both axes, the task's own ratios and its matched ratios
// at the start point. With no robot selected it has no points.
void begin_sweep(RatioSweep& sweep, const Conditions& c, unsigned generation);

// Point i of an axis (joint `axis` swept, the other joint's ratio kept).
SweepPoint sweep_point(const Conditions& c, SolverChoice choice, int axis, int i);

// Whether the points of an axis of task a are those of task b: the same robot,
// gravity, elbow, points and ratio of the joint not swept.
bool same_sweep_axis(const Conditions& a, const Conditions& b, int axis);

// The k-th point to compute (k = 0 .. 2 kSweepRatios - 1): both axes at a
// coarse spacing first, then the ratios in between, so that the curves'
// shape shows early.
void sweep_order(int k, int& axis, int& i);

// Every point of the sweep of c at once (--sweep), on the pool's threads when
// one is given; the same numbers either way.
void compute_sweep(RatioSweep& sweep, const Conditions& c, SolverChoice choice, WorkerPool* pool);
