// The choices a user makes by key: robot, gravity and elbow branch, each parsed
// once where the key is read. Any other key is kept as Other, which every layer
// treats the same way: no robot selected (the models fall back to the
// cylindrical robot's record), no gravity and no caption, SCARA angles left as
// they are. Zero-initialised state selects Other.
#pragma once

enum class Robot : char { Other, Cylindrical, Scara };
enum class Gravity : char { Other, On, Off };
enum class Elbow : char { Other, Down, Up };

// Which picture the window shows: the classic one, the lesson view with
// labelled graphs, velocity profiles and phase planes, or the gear-ratio
// sweep of the current task.
enum class ViewMode : char { Classic, Lesson, Sweep };

// Which torque law drives a simulation.
enum class ControlMode : char { TimeOptimal, Feedback };

constexpr Robot parse_robot(char key) {
  return key == 'a' ? Robot::Cylindrical : key == 'b' ? Robot::Scara : Robot::Other;
}
constexpr Gravity parse_gravity(char key) {
  return key == 'g' ? Gravity::On : key == 'h' ? Gravity::Off : Gravity::Other;
}
constexpr Elbow parse_elbow(char key) {
  return key == '1' ? Elbow::Down : key == '2' ? Elbow::Up : Elbow::Other;
}
