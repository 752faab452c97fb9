#include "fbc/feedback_run.h"

#include "robot/dynamics.h"
#include "robot/motion_sample.h"

void record_feedback_step(Scenario& s, int i, const double y[6]) {
  if (i < 0 || i >= kRecordCapacity) return;
  RobotRecord& rec = model_record(s, s.robot_type);
  record_motion_sample(s, s.robot_type, 'F', i * s.dt, y, rec.fb_phi[i], rec.fb_tip[i],
                       rec.fb_tau[i]);
}

void run_feedback_simulation(Scenario& s, char robot, double dt, int n, const double phi0[2]) {
  n = last_sample(n);
  double y[6] = {phi0[0], phi0[1], 0.0, 0.0, 0.0, 0.0};
  double t = 0.0;
  record_feedback_step(s, 0, y);

  const RobotDerivative deriv(s, robot, s.control_mode);
  for (int i = 1; i <= n; ++i) {
    advance_one_sample(deriv, t, dt, y);
    t = t + dt;
    record_feedback_step(s, i, y);
  }
}
