#include "robot/dynamics.h"

#include "robot/robot_kind.h"

PlantModel::PlantModel(const Conditions& s, Robot robot)
    : scara_(model_kind(robot).scara_plant), gravity_(s.gravity == Gravity::On) {
  const double mw = s.mw;
  mw_ = mw;
  IM1_ = s.cyl.IM1;
  two_mw_ = 2 * mw;
  g_mw_ = GRAVITY * mw;
  mass2_ = s.cyl.mM2 + mw;

  const ScaraConditions& sc = s.scara;
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
