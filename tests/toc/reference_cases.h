// The default tasks of both robots, set up the way the console dialogue sets
// them up before it runs the solver: defaults, then the derived conditions for
// the chosen robot and gravity, then the sample step from tfm.
#pragma once

#include "console/console.h"
#include "scenario/conditions.h"
#include "scenario/scenario.h"

inline void setup_default_case(Scenario& s, Console& con, char robot, char gravity) {
  initialset(s, con);
  s.robot_type = robot;
  s.gravity_mode = gravity;
  s.elbow_mode = '1';
  compute_conditions(s, con);
  s.dt = 4.0 / s.frame_count;
  if (s.tfm > 4.0) s.dt = 8.0 / s.frame_count;
  s.control_mode = 'T';
}
