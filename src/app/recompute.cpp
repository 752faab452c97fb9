#include "app/recompute.h"

#include "model/sample_step.h"
#include "robot/graph_scales.h"
#include "robot/motion_sample.h"

TaskReach recompute_conditions(Scenario& s) {
  const TaskReach reach = compute_conditions(s);
  s.dt = sample_step(s.tfm, s.frame_count);
  update_graph_scales(s);
  return reach;
}

SwitchingSolution recompute_time_optimal(Scenario& s, SolverChoice choice, WorkerPool* pool) {
  const SwitchingSolution sol = find_switching_times(s, s.robot, choice, pool);
  // Without switching times there is no motion to record: the old record stays.
  if (sol.found) record_motion(s, s.robot, ControlMode::TimeOptimal, model_record(s, s.robot).Phi0);
  return sol;
}

void recompute_feedback(Scenario& s) {
  record_motion(s, s.robot, ControlMode::Feedback, model_record(s, s.robot).Phi0);
  update_graph_scales(s);
}

bool feedback_misses_goal(const Scenario& s) {
  const RobotRecord* r = selected_record(s);
  if (r == nullptr) return false;
  const double q = s.tfm / s.dt;
  if (!(q >= 0 && q < s.frame_count + 1.0) || s.frame_count >= kRecordCapacity) return false;
  const int k = static_cast<int>(q);
  const double miss = r->fb_phi[k][0] - r->Phif[0];
  return miss > 0.1 || miss < -0.1;
}
