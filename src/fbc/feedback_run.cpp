#include "fbc/feedback_run.h"

#include "robot/dynamics.h"
#include "robot/kinematics.h"
#include "robot/runge_kutta_gill.h"
#include "robot/torque_laws.h"

namespace {
constexpr int kSubstepsPerSample = 10;  // integration steps per recorded sample
}  // namespace

void record_feedback_step(Scenario& s, int i, const double y[6]) {
  if (i < 0 || i >= kRecordCapacity) return;
  const char robot = s.robot_type;
  const double t_i = i * s.dt;
  RobotRecord& rec = model_record(s, robot);
  rec.fb_phi[i][0] = y[0];
  rec.fb_phi[i][1] = y[1];
  if (robot == 'b') {
    scara_tip(s.scara.l1, s.scara.l2, y[0], y[1], rec.fb_tip[i]);
  } else {
    cylindrical_tip(y[0], y[1], rec.fb_tip[i]);
  }
  const TorqueLaw law(s, robot, 'F');
  rec.fb_tau[i][0] = law.joint(0, t_i, y);
  rec.fb_tau[i][1] = law.joint(1, t_i, y);
}

void run_feedback_simulation(Scenario& s, char robot, double dt, int n, const double phi0[2]) {
  // Samples 0..n must fit into the records.
  if (n > kRecordCapacity - 1) n = kRecordCapacity - 1;

  const double h = dt / kSubstepsPerSample;
  double y[6] = {phi0[0], phi0[1], 0.0, 0.0, 0.0, 0.0};
  double t = 0.0;
  record_feedback_step(s, 0, y);

  const RobotDerivative deriv(s, robot, s.control_mode);
  for (int i = 1; i <= n; ++i) {
    double ts = t;
    for (int step = 0; step < kSubstepsPerSample; ++step) {
      runge_kutta_gill(deriv, ts, h, y, y);
      ts = ts + h;
    }
    t = t + dt;
    record_feedback_step(s, i, y);
  }
}
