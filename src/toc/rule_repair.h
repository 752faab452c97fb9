// A bang-bang motion that breaks Pontryagin's rule is not the fastest: its
// switching functions say where each torque should switch instead. The
// motion is made again from them (each torque -sign(sigma_j), switching where
// sigma_j crosses zero) and refined by shooting, as long as that is faster.
#pragma once

#include "model/motion.h"
#include "toc/arc_shooting.h"

struct RepairedMotion {
  bool changed;     // a faster motion that keeps the rule better was found
  Motion motion;    // the fastest motion so far (the given one when unchanged)
  double end_error; // of the refined motion, when changed
  int simulations;
};

constexpr int kRepairRounds = 3;

RepairedMotion repair_by_rule(const ShootingModel& m, const double y_start[4],
                              const double x_target[4], const Motion& motion);
