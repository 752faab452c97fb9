#include "robot/dynamics.h"

PlantModel::PlantModel(const Scenario& s, char robot)
    : scara_(robot == 'b'), gravity_(s.gravity_mode == 'g') {
  const double mw = s.mw;
  mw_ = mw;
  IM1_ = s.cyl.IM1;
  two_mw_ = 2 * mw;
  g_mw_ = GRAVITY * mw;
  mass2_ = s.cyl.mM2 + mw;

  const ScaraRecord& sc = s.scara;
  mwl1l2_ = mw * sc.l1 * sc.l2;
  mwl1_ = mw * sc.l1;
  l1_ = sc.l1;
  two_l2_ = 2 * sc.l2;
  IJ2_ = sc.IJ2;
  D22_ = sc.IJ2 + sc.IM2;
  D11_fixed_ = sc.IJ1 + sc.IM1 + sc.IJ2;
  g1_ = (sc.m1 + mw) * GRAVITY * sc.l1;
  g2_ = GRAVITY * mw * sc.l2;
}

void joint_accelerations(const Scenario& s, char robot, const double y[4], double tau1,
                         double tau2, double acc[2]) {
  PlantModel(s, robot).accelerations(y, tau1, tau2, acc);
}

double state_derivative(const Scenario& s, char robot, char mode, int i, double t,
                        const double y[6]) {
  switch (i) {
    case 0:
      return y[2];
    case 1:
      return y[3];
    case 2:
    case 3: {
      const TorqueLaw law(s, robot, mode);
      const PlantModel plant(s, robot);
      double tau1 = 0.0;
      double tau2 = 0.0;
      if (plant.is_scara() || i == 2) tau1 = law.joint(0, t, y);
      if (plant.is_scara() || i == 3) tau2 = law.joint(1, t, y);
      double acc[2];
      plant.accelerations(y, tau1, tau2, acc);
      return acc[i - 2];
    }
    case 4:
    case 5: {
      const int j = i - 4;
      const RobotRecord& rec = model_record(s, robot);
      if (mode == 'T') return t > rec.tt[3] ? rec.Phif[j] - y[j] : 0.0;
      if (mode == 'F') {
        ReferencePoint ref[2];
        reference_trajectory(s, robot, t, ref);
        return ref[j].position - y[j];
      }
      return 0.0;
    }
    default:
      return 0.0;
  }
}
