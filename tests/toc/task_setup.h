// A point-to-point task of one robot set up the way the dialogue sets it up
// after new points: defaults, the points' joint displacements, the derived
// conditions for the robot and gravity, the sample step from tfm.
#pragma once

#include <memory>

#include "model/sample_step.h"
#include "model/scenario.h"
#include "robot/conditions.h"

inline std::unique_ptr<Scenario> point_task(char robot, char gravity, double x0, double y0,
                                            double xf, double yf) {
  auto s = std::make_unique<Scenario>();
  compute_default_conditions(*s);
  select_robot(*s, robot);
  select_gravity(*s, gravity);
  // SCARA elbow down; none for the cylindrical robot, whose points may lie
  // beyond the SCARA's reach.
  s->elbow = robot == 'b' ? Elbow::Down : Elbow::Other;
  s->x0 = x0;
  s->y0 = y0;
  s->xf = xf;
  s->yf = yf;
  compute_cyl_task_angles(*s);
  compute_conditions(*s);
  s->dt = sample_step(s->tfm, s->frame_count);
  return s;
}
