#include "robot/motion_sample.h"

#include "robot/kinematics.h"
#include "robot/torque_laws.h"

void record_motion_sample(const Scenario& s, char robot, char mode, double t, const double y[6],
                          double phi[2], double tip[2], double tau[2]) {
  phi[0] = y[0];
  phi[1] = y[1];
  if (robot == 'b') {
    scara_tip(s.scara.l1, s.scara.l2, y[0], y[1], tip);
  } else {
    cylindrical_tip(y[0], y[1], tip);
  }
  const TorqueLaw law(s, robot, mode);
  tau[0] = law.joint(0, t, y);
  tau[1] = law.joint(1, t, y);
}
