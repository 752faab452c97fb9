// What differs between the robot kinds, reached through one table per kind:
// the derived conditions, the tip of the kinematics, the reference of joint 2
// and the solver's start inertia. Looked up once per computation, so no caller
// needs to know which robots exist; a new kind is one more table (one file
// here) and one more case in robot_kind().
#pragma once

#include "model/scenario.h"

struct RobotKind {
  // This kind's conditions within all of them.
  RobotConditions& (*conditions)(Conditions& c);
  const RobotConditions& (*const_conditions)(const Conditions& c);
  // This kind's solution and records within both robots' runs.
  RobotRun& (*run)(Runs& r);
  const RobotRun& (*const_run)(const Runs& r);
  // Whether the task points are reached on a chosen elbow branch.
  bool has_elbow;

  // The stages of the derived conditions, in the order they are computed.
  void (*torque_limits)(Conditions& c);
  void (*inertias)(Conditions& c);
  void (*terminal_times)(Conditions& c);  // also sets c.tfm
  // The inertias the PID gains are designed for: joint 1, joint 2.
  void (*pid_inertias)(const Conditions& c, double J[2]);

  // Tip position relative to joint 1 for joint values q.
  void (*tip)(const Conditions& c, double q1, double q2, double out[2]);
  // Joint-2 rising acceleration of the reference.
  double (*joint2_reference_acceleration)(const Conditions& c);
  // Joint-1 inertia at the start point: the scale of the solver's estimate.
  double (*start_inertia)(const Conditions& c);
  // Each joint's load inertia at the start point, what the plant's inertia
  // there holds besides the motor's u^2 I_motor, and the motor's own inertia
  // I_motor on its shaft (a mass for a sliding joint).
  void (*load_inertias)(const Conditions& c, double load[2], double motor[2]);

  // The plant's accelerations are those of the SCARA (else the cylindrical
  // robot's): a flag, not a function pointer, so that the integrator's inner
  // loop keeps its direct branch.
  bool scara_plant;
};

// What the kinds' terminal times share: each joint's full-torque acceleration
// (less the static load G when gravity is on) over its inertia J ...
void full_torque_accelerations(const RobotConditions& r, Gravity gravity, const double G[2],
                               const double J[2], double A[2]);
// ... and each joint's rest-to-rest time over its displacement D at the
// acceleration A, tf the longer of the two.
void rest_to_rest_times(RobotConditions& r, double D1, double A1, double D2, double A2);

// Each joint's matched reduction ratio u* = sqrt(J_load / I_motor): where
// its acceleration limit u tau_motor / (J_load + u^2 I_motor) is largest.
// 0 for a joint without a positive load or motor inertia.
void matched_ratios(const RobotKind& kind, const Conditions& c, double u[2]);

const RobotKind& cylindrical_kind();
const RobotKind& scara_kind();

// The table of a selection, or none when no robot is selected.
const RobotKind* robot_kind(Robot robot);
// The table the models use: the SCARA's, or the cylindrical robot's for any
// other selection.
const RobotKind& model_kind(Robot robot);

// The conditions and the run the models use (model_kind's).
inline RobotConditions& model_conditions(Conditions& c, Robot robot) {
  return model_kind(robot).conditions(c);
}
inline const RobotConditions& model_conditions(const Conditions& c, Robot robot) {
  return model_kind(robot).const_conditions(c);
}
inline RobotRun& model_run(Runs& r, Robot robot) { return model_kind(robot).run(r); }
inline const RobotRun& model_run(const Runs& r, Robot robot) { return model_kind(robot).const_run(r); }

// The conditions and the run of the selected robot, or none when no robot is
// selected (what is shown).
inline const RobotConditions* selected_conditions(const Conditions& c) {
  const RobotKind* kind = robot_kind(c.robot);
  return kind != nullptr ? &kind->const_conditions(c) : nullptr;
}
inline const RobotRun* selected_run(const Runs& r, Robot robot) {
  const RobotKind* kind = robot_kind(robot);
  return kind != nullptr ? &kind->const_run(r) : nullptr;
}
