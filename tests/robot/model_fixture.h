// The default robots' model parameters (ratios 30) set by hand, for tests of
// the models that do not need the derived-conditions pipeline.
#pragma once

#include "model/scenario.h"

inline Scenario model_scenario(char gravity = 'h') {
  Scenario s{};
  select_gravity(s, gravity);
  s.mw = 1.0;
  s.cyl.IM1 = s.cyl.mM2 = 0.36;
  ScaraConditions& b = s.scara;
  b.l1 = 0.5;
  b.l2 = 0.4;
  b.m1 = 1.0;
  b.IJ1 = 0.25;
  b.IJ2 = 0.16;
  b.IM1 = 0.09;
  b.IM2 = 0.0576;
  b.tau1max_h = 1.574;
  b.tau2max_h = 2.564;
  b.tau1max_g = 15.29;
  b.tau2max_g = 6.48;
  return s;
}
