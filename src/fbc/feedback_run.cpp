#include "fbc/feedback_run.h"

#include "robot/motion_sample.h"

void run_feedback_simulation(Scenario& s, Robot robot) {
  record_motion(s, robot, ControlMode::Feedback, model_record(s, robot).Phi0);
}
