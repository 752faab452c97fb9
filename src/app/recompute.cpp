#include "app/recompute.h"

#include "model/sample_step.h"
#include "robot/graph_scales.h"
#include "robot/motion_sample.h"
#include "toc/sigma_record.h"

TaskReach recompute_conditions(Scenario& s) {
  const TaskReach reach = compute_conditions(s);
  s.dt = sample_step(s.tfm, s.frame_count);
  update_graph_scales(s, s, s.layout);
  return reach;
}

SwitchingSolution recompute_time_optimal(Scenario& s, SolverChoice choice, WorkerPool* pool) {
  SwitchingSolution sol = find_switching_times(s, model_run(s, s.robot), s.robot, choice, pool);
  // Without switching times there is no motion to record: the old record stays.
  if (sol.found) {
    record_motion(s, model_run(s, s.robot), s.robot, ControlMode::TimeOptimal,
                  model_conditions(s, s.robot).Phi0);
    const RobotRun& run = model_run(s, s.robot);
    record_switching_functions(s, model_run(s, s.robot), s.robot);
    sol.costates = run.sigma_valid;
    for (int c = 0; c < 4; ++c) sol.costate_end[c] = run.costate_end[c];
  }
  return sol;
}

void recompute_feedback(Scenario& s) {
  record_motion(s, model_run(s, s.robot), s.robot, ControlMode::Feedback,
                model_conditions(s, s.robot).Phi0);
  update_graph_scales(s, s, s.layout);
}

bool feedback_misses_goal(const Conditions& s, const Runs& runs) {
  const RobotConditions* r = selected_conditions(s);
  const RobotRun* run = selected_run(runs, s.robot);
  if (r == nullptr || run == nullptr) return false;
  const double q = s.tfm / s.dt;
  if (!(q >= 0 && q < s.frame_count + 1.0) || s.frame_count >= kRecordCapacity) return false;
  const int k = static_cast<int>(q);
  const double miss = run->fb_phi[k][0] - r->Phif[0];
  return miss > 0.1 || miss < -0.1;
}
