// The time-optimal motion as data: per joint, the arcs of its torque in time
// order, each at the limit with a sign or inside the limits (a singular arc),
// and where the torque inside the limits matters, the torque over time on an
// even grid. The torque law, the records, the report and both views read it;
// none of them assumes a number of switches.
#pragma once

constexpr int kMaxJointArcs = 12;    // arcs of one joint's torque
constexpr int kMaxTorqueGrid = 160;  // steps of a torque given over time

// How a joint's torque runs through one arc: at the negative or the positive
// limit, or inside the limits.
constexpr signed char kArcNegative = -1;
constexpr signed char kArcInterior = 0;
constexpr signed char kArcPositive = 1;

struct JointArcs {
  int count;                        // 1 .. kMaxJointArcs
  signed char kind[kMaxJointArcs];  // kArcNegative, kArcInterior or kArcPositive
  double end[kMaxJointArcs];        // arc k ends at end[k]; the last at tf
};

// Where the motion came from.
enum class FoundBy : char { Passes, Search, Direct };

struct Motion {
  double tf;           // the final time: the arm is at rest on the goal
  JointArcs joint[2];  // joint 1, joint 2
  // 0: each torque is its arc's limit. n > 0: the torques are grid[k][j]
  // times joint j's limit on [k tf/n, (k+1) tf/n), for k = 0 .. n-1 (an arc
  // inside the limits needs it; the arcs then describe the grid).
  int grid_count;
  double grid[kMaxTorqueGrid][2];
};

// Joint j's switching times: the ends of all its arcs but the last.
inline int switch_count(const Motion& m, int j) { return m.joint[j].count - 1; }

// Whether the motion has an arc inside the limits.
inline bool has_interior_arc(const Motion& m) {
  for (const JointArcs& a : m.joint)
    for (int k = 0; k < a.count; ++k)
      if (a.kind[k] == kArcInterior) return true;
  return false;
}

// The sign of joint j's torque at time t of a bang-bang motion (arcs at the
// limits only): the kind of the arc that holds t, the last one from tf on.
inline int arc_sign_at(const JointArcs& a, double t) {
  int k = 0;
  while (k < a.count - 1 && !(t < a.end[k])) ++k;
  return a.kind[k];
}
