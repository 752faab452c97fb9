#include "toc/rule_repair.h"

#include <cmath>

#include "toc/costate.h"
#include "toc/refine.h"

namespace {

// Each joint's arcs as its switching function gives them: the torque sign
// -sign(sigma), changed where sigma has crossed zero and then grown beyond
// the slack's share of its largest magnitude (smaller wiggles around zero are not
// switches).
bool arcs_of(const SwitchingFunctions& f, double tf, double slack_share, Motion& out) {
  out = Motion{};
  out.tf = tf;
  for (int j = 0; j < 2; ++j) {
    double peak = 0;
    for (const SigmaSample& s : f.samples) peak = std::fmax(peak, std::fabs(s.sigma[j]));
    if (!(peak > 0)) return false;
    const double slack = slack_share * peak;
    JointArcs& a = out.joint[j];
    int current = 0;
    double crossing = 0.0;
    for (std::size_t k = 0; k < f.samples.size(); ++k) {
      const SigmaSample& s = f.samples[k];
      if (k > 0) {
        const SigmaSample& p = f.samples[k - 1];
        if ((p.sigma[j] < 0) != (s.sigma[j] < 0))
          crossing = p.t + (s.t - p.t) * p.sigma[j] / (p.sigma[j] - s.sigma[j]);
      }
      if (!(std::fabs(s.sigma[j]) > slack)) continue;
      const int want = s.sigma[j] > 0 ? -1 : 1;
      if (current == 0) {
        current = want;
        a.kind[0] = static_cast<signed char>(want);
        a.count = 1;
      } else if (want != current) {
        if (a.count == kMaxJointArcs) return false;
        a.end[a.count - 1] = crossing;
        a.kind[a.count++] = static_cast<signed char>(want);
        current = want;
      }
    }
    if (a.count == 0) return false;
    a.end[a.count - 1] = tf;
  }
  return true;
}

}  // namespace

RepairedMotion repair_by_rule(const ShootingModel& m, const double y_start[4],
                              const double x_target[4], const Motion& motion) {
  RepairedMotion out{};
  out.motion = motion;
  for (int round = 0; round < kRepairRounds; ++round) {
    const SwitchingFunctions f = switching_functions(m, y_start, out.motion);
    if (!f.computed || !first_rule_break(f, out.motion, kRefinedSlack).broken) break;
    Motion guess{};
    if (!arcs_of(f, out.motion.tf, kRefinedSlack, guess)) break;
    const Refinement r = refine_switching(m, y_start, x_target, guess);
    out.simulations += r.simulations;
    if (!r.converged || !(r.motion.tf < out.motion.tf)) break;
    out.changed = true;
    out.motion = r.motion;
    out.end_error = r.end_error;
  }
  return out;
}
