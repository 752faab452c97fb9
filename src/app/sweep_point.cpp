#include "app/sweep_point.h"

#include "robot/conditions.h"
#include "robot/robot_kind.h"
#include "toc/worker_pool.h"

void begin_sweep(RatioSweep& sweep, const Conditions& c, unsigned generation) {
  sweep = RatioSweep{};
  sweep.generation = generation;
  const RobotKind* kind = robot_kind(c.robot);
  sweep.robot_selected = kind != nullptr;
  sweep.gravity = c.gravity == Gravity::On;
  if (kind == nullptr) return;
  const RobotConditions& r = kind->const_conditions(c);
  sweep.current_u[0] = r.u1;
  sweep.current_u[1] = r.u2;
  matched_ratios(*kind, c, sweep.matched_u);
  for (int axis = 0; axis < 2; ++axis)
    for (int i = 0; i < kSweepRatios; ++i) sweep.axis[axis][i].u = sweep_ratio(i);
}

SweepPoint sweep_point(const Conditions& task, SolverChoice choice, int axis, int i) {
  SweepPoint p{};
  p.u = sweep_ratio(i);
  p.done = true;
  const RobotKind* kind = robot_kind(task.robot);
  if (kind == nullptr) return p;
  Conditions c = task;
  RobotConditions& r = kind->conditions(c);
  (axis == 0 ? r.u1 : r.u2) = p.u;
  const TaskReach reach = compute_conditions(c);
  p.tfm = c.tfm;
  if (!reach.start || !reach.end) return p;
  const SwitchingSolution sol = solve_switching_plan(c, c.robot, choice);
  p.found = sol.found;
  p.tf = sol.found ? sol.motion.tf : 0.0;
  return p;
}

bool same_sweep_axis(const Conditions& a, const Conditions& b, int axis) {
  const RobotKind* kind = robot_kind(a.robot);
  if (kind == nullptr || a.robot != b.robot) return false;
  const RobotConditions& ra = kind->const_conditions(a);
  const RobotConditions& rb = kind->const_conditions(b);
  const bool kept_same = axis == 0 ? ra.u2 == rb.u2 : ra.u1 == rb.u1;
  return kept_same && a.gravity == b.gravity && a.elbow == b.elbow && a.x0 == b.x0 &&
         a.y0 == b.y0 && a.xf == b.xf && a.yf == b.yf && a.mw == b.mw;
}

void sweep_order(int k, int& axis, int& i) {
  // Per axis: every 8th ratio, then every 4th, 2nd, and the rest, each
  // from the largest ratio down (the small ratios' slow motions take the
  // solver longest); the two axes take turns.
  static constexpr int kStrides[] = {8, 4, 2, 1};
  axis = k % 2;
  int n = k / 2;
  for (int level = 0; level < 4; ++level) {
    const int stride = kStrides[level];
    const int coarser = level == 0 ? 0 : kStrides[level - 1];
    for (int j = 0; j < kSweepRatios; j += stride) {
      if (coarser != 0 && j % coarser == 0) continue;
      if (n-- == 0) {
        i = kSweepRatios - 1 - j;
        return;
      }
    }
  }
  i = 0;
}

void compute_sweep(RatioSweep& sweep, const Conditions& c, SolverChoice choice, WorkerPool* pool) {
  begin_sweep(sweep, c, sweep.generation);
  if (!sweep.robot_selected) return;
  auto point = [&](int k) {
    int axis = 0, i = 0;
    sweep_order(k, axis, i);
    sweep.axis[axis][i] = sweep_point(c, choice, axis, i);
  };
  if (pool != nullptr) {
    pool->for_each(2 * kSweepRatios, point);
  } else {
    for (int k = 0; k < 2 * kSweepRatios; ++k) point(k);
  }
  sweep.done_count = 2 * kSweepRatios;
}
