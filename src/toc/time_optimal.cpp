#include "toc/time_optimal.h"

#include "robot/motion_sample.h"

SwitchingSolution compute_time_optimal(Scenario& s, Robot robot, SolverChoice choice) {
  const SwitchingSolution sol = find_switching_times(s, robot, choice);
  if (sol.found) record_motion(s, robot, ControlMode::TimeOptimal, model_record(s, robot).Phi0);
  return sol;
}
