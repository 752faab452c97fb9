// The default tasks of both robots, set up the way the console dialogue sets
// them up before it runs the solver: defaults, then the derived conditions for
// the chosen robot and gravity, then the sample step from tfm.
#pragma once

#include "model/sample_step.h"
#include "model/scenario.h"
#include "robot/conditions.h"

inline void setup_default_case(Scenario& s, char robot, char gravity) {
  compute_default_conditions(s);
  select_robot(s, robot);
  select_gravity(s, gravity);
  s.elbow = Elbow::Down;
  compute_conditions(s);
  s.dt = sample_step(s.tfm, s.frame_count);
}
