// What the picture draws differently per robot kind: the figure, the caption,
// the displacement graph's unit and goal colours, where the torque titles sit.
// One table per kind, beside the models' RobotKind and the console's
// RobotTexts, so that the frame's description never asks which robot it is.
#pragma once

#include "model/scenario.h"
#include "view/frame_description.h"

struct RobotDrawing {
  // The robot at joint values phi in one colour.
  void (*figure)(Sketch& sketch, const Scenario& s, const double phi[2], const Colour& colour);
  const char* caption;            // the robot's name over the picture
  const char* displacement_unit;  // beside the displacement graph
  Colour goal_colour[2];          // of each joint's goal line
  double torque_title_drop;       // of each torque graph's title below its axis
  const char* lesson_caption;     // the robot's name in the lesson view
  bool joint2_slides;             // joint 2 moves in metres (m, m/s, N), not radians
};

// The drawing of a selection, or none when no robot is selected (no figure,
// no caption, no curves).
const RobotDrawing* robot_drawing(Robot robot);
