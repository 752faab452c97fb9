// Defaults, derived conditions and the condition report.
#pragma once

#include "console/console.h"
#include "scenario/scenario.h"

// Fills every default and prints one condition report per robot.
void initialset(Scenario& s, Console& con);

// SCARA inverse kinematics for the current elbow branch, then the four stages
// below for the robot that robot_type selects ('a' or 'b'; others: none).
void compute_conditions(Scenario& s, Console& con);
void compute_torque_limits(Scenario& s);
void compute_inertias(Scenario& s);
void compute_terminal_times(Scenario& s);
void compute_pid_gains(Scenario& s);

// The condition report of the selected robot.
void print_conditions(const Scenario& s, Console& con);
