// The time-optimal motion's switching times and its arcs inside the limits
// as the lesson view names and marks them. Each joint's switches are named
// by the joint and a letter in time order, "1a", "1b", ... for joint 1 and
// "2a", ... for joint 2, the same in the time graphs, the phase planes and
// the results panel, so that one switch is found in all three.
#pragma once

#include <string>
#include <vector>

#include "view/lesson_inputs.h"

struct SwitchPoint {
  int joint;  // 0 or 1
  int index;  // among the joint's switches, in time order
  double t;   // [s]
};

// "1a" for joint 0's first switch, "2c" for joint 1's third.
std::string switch_name(int joint, int index);
inline std::string switch_name(const SwitchPoint& p) { return switch_name(p.joint, p.index); }

// Joint j's switches in time order: the ends of its arcs but the last, those
// that are finite numbers.
std::vector<SwitchPoint> joint_switches(const LessonInputs& in, int joint);

// Both joints' switches in time order (joint 1's first at equal times).
std::vector<SwitchPoint> switch_points(const LessonInputs& in);

// An arc of a joint's torque inside its limits (a singular arc), t0 .. t1 [s].
struct InteriorArc {
  int joint;
  double t0, t1;
};
// Every such arc of both joints, joint 1's first, each in time order.
std::vector<InteriorArc> interior_arcs(const LessonInputs& in);

// The signs of the arcs in time order as the console writes them, "s" for
// one inside the limits: "+ s -".
std::string arc_signs(const JointArcs& a);
