#include "view/robot_drawing.h"

#include "view/figures.h"

// The one place in the drawing that knows the robot kinds.
const RobotDrawing* robot_drawing(Robot robot) {
  static constexpr RobotDrawing cyl{describe_cyl_robot,
                                    "(a) Cylindrical coordinate robot",
                                    "fi[rad,m]",
                                    {colour_red, colour_red},
                                    0.05,
                                    "(a) cylindrical robot",
                                    true};
  static constexpr RobotDrawing scara{describe_scara_robot,
                                      "(b) SCARA robot",
                                      "fi[rad]",
                                      {colour_red, colour_blue},
                                      0.1,
                                      "(b) SCARA robot",
                                      false};
  switch (robot) {
    case Robot::Cylindrical: return &cyl;
    case Robot::Scara: return &scara;
    case Robot::Other: break;
  }
  return nullptr;
}
