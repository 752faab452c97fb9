#include "robot/robot_kind.h"

#include <cmath>

void full_torque_accelerations(const RobotConditions& r, Gravity gravity, const double G[2],
                               const double J[2], double A[2]) {
  if (gravity == Gravity::On) {
    A[0] = (r.tau1max_g - G[0]) / J[0];
    A[1] = (r.tau2max_g - G[1]) / J[1];
  } else {
    A[0] = r.tau1max_h / J[0];
    A[1] = r.tau2max_h / J[1];
  }
}

void rest_to_rest_times(RobotConditions& r, double D1, double A1, double D2, double A2) {
  r.tf1 = 2 * std::sqrt(std::fabs(D1 / A1));
  r.tf2 = 2 * std::sqrt(std::fabs(D2 / A2));
  r.tf = r.tf1;
  if (r.tf1 < r.tf2) r.tf = r.tf2;
}

void matched_ratios(const RobotKind& kind, const Conditions& c, double u[2]) {
  double load[2], motor[2];
  kind.load_inertias(c, load, motor);
  for (int j = 0; j < 2; ++j) {
    const double ratio = load[j] / motor[j];
    u[j] = load[j] > 0 && motor[j] > 0 && std::isfinite(ratio) ? std::sqrt(ratio) : 0.0;
  }
}

// The one place that turns a selection into its table.
const RobotKind* robot_kind(Robot robot) {
  switch (robot) {
    case Robot::Cylindrical: return &cylindrical_kind();
    case Robot::Scara: return &scara_kind();
    case Robot::Other: break;
  }
  return nullptr;
}

const RobotKind& model_kind(Robot robot) {
  const RobotKind* kind = robot_kind(robot);
  return kind != nullptr ? *kind : cylindrical_kind();
}
