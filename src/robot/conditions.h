// Derived conditions of the selected robot: joint angles of the task, torque
// limits, inertias, terminal times and PID gains. Pure computations: the
// caller reports what could not be reached.
#pragma once

#include "model/scenario.h"
#include "robot/robot_kind.h"

// Which of the two task points the SCARA can reach (both when no angles were computed).
struct TaskReach {
  bool start = true;
  bool end = true;
};

// SCARA joint angles of the start and end point for the chosen elbow branch
// (Elbow::Other leaves them as they are).
TaskReach compute_scara_task_angles(Conditions& s);

// Cylindrical joint values of the start and end point.
void compute_cyl_task_angles(Conditions& s);

// The SCARA angles, then the four stages below for the selected robot (no
// robot selected: only the angles).
TaskReach compute_conditions(Conditions& s);
void compute_torque_limits(Conditions& s);
void compute_inertias(Conditions& s);
void compute_terminal_times(Conditions& s);
void compute_pid_gains(Conditions& s);

// Selects the robot of the key without gravity and computes its conditions:
// one robot's part of the start-up.
TaskReach compute_robot_defaults(Conditions& s, char robot_key);

// The state after start-up before any question: every default, the derived
// conditions of the cylindrical robot, then those of the SCARA, which is left
// selected without gravity. What the start-up computes between its reports.
void compute_default_conditions(Scenario& s);
