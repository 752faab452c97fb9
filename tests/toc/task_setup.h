// A point-to-point task of one robot set up the way the dialogue sets it up
// after new points: defaults, the points' joint displacements, the derived
// conditions for the robot and gravity, the sample step from tfm.
#pragma once

#include <memory>

#include "console/console.h"
#include "robot/kinematics.h"
#include "scenario/conditions.h"
#include "scenario/scenario.h"

inline std::unique_ptr<Scenario> point_task(char robot, char gravity, double x0, double y0,
                                            double xf, double yf) {
  auto s = std::make_unique<Scenario>();
  Console con("", Encoding::Utf8);
  initialset(*s, con);
  s->robot_type = robot;
  s->gravity_mode = gravity;
  // SCARA elbow down; none for the cylindrical robot, whose points may lie
  // beyond the SCARA's reach (its inverse kinematics would wait for a key).
  s->elbow_mode = robot == 'b' ? '1' : '0';
  s->x0 = x0;
  s->y0 = y0;
  s->xf = xf;
  s->yf = yf;
  cylindrical_ik(x0, y0, s->cyl.Phi0);
  cylindrical_ik(xf, yf, s->cyl.Phif);
  compute_conditions(*s, con);
  s->dt = 4.0 / s->frame_count;
  if (s->tfm > 4.0) s->dt = 8.0 / s->frame_count;
  s->control_mode = 'T';
  return s;
}
