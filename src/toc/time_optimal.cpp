#include "toc/time_optimal.h"

#include "robot/dynamics.h"
#include "robot/motion_sample.h"

namespace {

void print_title(const Scenario& s, Console& con) {
  if (s.robot_type == 'a') con.print("\n円筒座標ロボットのPTP最短時間制御");
  if (s.robot_type == 'b') con.print("\nSCARAロボットのPTP最短時間制御");
  if (s.gravity_mode == 'g') {
    con.print("\n重力考慮する");
  } else {
    con.print("\n重力考慮しない");
  }
}

}  // namespace

SwitchingSolution solve_switching_times(Scenario& s, Console& con, SolverChoice choice) {
  print_title(s, con);
  return find_switching_times(s, choice);
}

int solve_switching_times(Scenario& s, Console& con) {
  return solve_switching_times(s, con, SolverChoice::Extended).found ? 1 : 0;
}

void store_toc_frame(Scenario& s, int k, const double x[6]) {
  if (k < 0 || k >= kRecordCapacity) return;
  RobotRecord& rec = model_record(s, s.robot_type);
  record_motion_sample(s, s.robot_type, 'T', k * s.dt, x, rec.toc_phi[k], rec.toc_tip[k],
                       rec.toc_tau[k]);
}

SwitchingSolution compute_time_optimal(Scenario& s, Console& con, SolverChoice choice) {
  const SwitchingSolution sol = solve_switching_times(s, con, choice);
  if (sol.found) record_time_optimal_motion(s);
  return sol;
}

int compute_time_optimal(Scenario& s, Console& con) {
  return compute_time_optimal(s, con, SolverChoice::Extended).found ? 1 : 0;
}

void record_time_optimal_motion(Scenario& s) {
  const char robot = s.robot_type;
  const RobotRecord& rec = model_record(s, robot);
  double x[6] = {rec.Phi0[0], rec.Phi0[1], 0.0, 0.0, 0.0, 0.0};
  store_toc_frame(s, 0, x);

  const RobotDerivative deriv(s, robot, s.control_mode);
  const int last = last_sample(s.frame_count);
  double t = 0.0;
  for (int k = 1; k <= last; ++k) {
    advance_one_sample(deriv, t, s.dt, x);
    t = t + s.dt;
    store_toc_frame(s, k, x);
  }
}
