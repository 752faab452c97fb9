#include "toc/sigma_record.h"

#include <algorithm>
#include <cmath>

#include "toc/costate.h"
#include "toc/switching_solver.h"

void record_switching_functions(const Conditions& s, RobotRun& run, Robot robot) {
  const int samples = std::min(s.frame_count + 1, kRecordCapacity);
  for (int k = 0; k < kRecordCapacity; ++k) run.toc_sigma[k][0] = run.toc_sigma[k][1] = 0.0;
  for (double& l : run.costate_end) l = 0.0;
  run.sigma_valid = false;
  run.rule_broken = false;
  run.rule_joint = 0;
  run.rule_at = 0.0;
  const SwitchingTask t = switching_task(s, robot);
  const ShootingModel m(s, robot);
  const SwitchingFunctions f = switching_functions(m, t.y_start, run.motion);
  if (!f.computed || f.samples.empty()) return;
  double peak[2] = {0, 0};
  for (const SigmaSample& p : f.samples)
    for (int j = 0; j < 2; ++j) peak[j] = std::fmax(peak[j], std::fabs(p.sigma[j]));
  // Linear between the integration steps; 0 after tf, where the hold takes over.
  std::size_t i = 0;
  for (int k = 0; k < samples; ++k) {
    const double tk = k * s.dt;
    if (!(tk <= f.samples.back().t)) break;
    while (i + 1 < f.samples.size() && f.samples[i + 1].t < tk) ++i;
    const SigmaSample& a = f.samples[i];
    const SigmaSample& b = f.samples[std::min(i + 1, f.samples.size() - 1)];
    const double w = b.t > a.t ? std::clamp((tk - a.t) / (b.t - a.t), 0.0, 1.0) : 0.0;
    for (int j = 0; j < 2; ++j) {
      const double v = a.sigma[j] + w * (b.sigma[j] - a.sigma[j]);
      run.toc_sigma[k][j] = peak[j] > 0 ? v / peak[j] : 0.0;
    }
  }
  for (int c = 0; c < 4; ++c) run.costate_end[c] = f.nu[c];
  run.sigma_valid = true;
  // What the views call a break: clear of the small wiggles about zero that
  // an arc near the limits' boundary leaves (those the solver's own repair
  // looks at more closely).
  const RuleBreak b = first_rule_break(f, run.motion, kSigmaSlack);
  // A grid motion's multipliers come from least squares over its torques off
  // their limits: good for the picture, not for calling a sign change a break.
  run.rule_broken = b.broken && run.motion.grid_count == 0;
  run.rule_joint = b.joint;
  run.rule_at = b.at;
}
