#include "toc/switching_search.h"

#include "toc/acceptance.h"
#include "toc/lm_run.h"
#include "toc/newton.h"

namespace {

// Moderate multiples of the estimate first, then ever further from it.
constexpr double kScales[kSearchScales] = {1, 0.7, 1.5, 0.5, 2, 3, 0.3, 4, 6};

// (z0, z1, z2) / z3: the joint-2 switches around the joint-1 switch, then
// joint 1 switching before, after and far off the middle.
constexpr double kShapes[kSearchShapes][3] = {{0.25, 0.5, 0.75}, {0.1, 0.5, 0.9},
                                              {0.4, 0.5, 0.6},   {0.3, 0.15, 0.7},
                                              {0.3, 0.85, 0.7},  {0.05, 0.5, 0.3},
                                              {0.7, 0.5, 0.95}};

}  // namespace

void search_start(int i, double tf0, double z[4]) {
  const double scale = kScales[i / kSearchShapes] * tf0;
  const double* f = kShapes[i % kSearchShapes];
  z[0] = scale * f[0];
  z[1] = scale * f[1];
  z[2] = scale * f[2];
  z[3] = scale;
}

SearchResult search_switching_times(const ShootingModel& m, const double y_start[4],
                                    const double x_target[4], int s1, double tf0) {
  SearchResult res{};
  res.plan.tt[3] = kFailedFinalTime;
  res.start = -1;

  LmRunResult run;  // the solver's scratch: one run's state, reused by every run
  for (int i = 0; i < kSearchStarts && !res.found; ++i) {
    double z[4];
    search_start(i, tf0, z);
    for (int s2 = -1; s2 <= 1; s2 += 2) {
      lm_run(m, y_start, x_target, s1, s2, z, run);
      res.runs = res.runs + 1;
      res.simulations = res.simulations + run.simulations;
      const SolutionCheck c = check_solution(m, y_start, x_target, run.trace.plan, run.trace.y_end);
      res.simulations = res.simulations + c.simulations;
      if (!c.accepted) continue;
      // Both signs solved from this start: the faster motion, the second sign
      // on equal final times as between the Newton passes.
      if (res.found && res.plan.tt[3] < run.trace.plan.tt[3]) continue;
      res.found = true;
      res.plan = run.trace.plan;
      for (int k = 0; k < 4; ++k) res.z[k] = run.z[k];
      res.s2 = s2;
      res.start = i;
    }
  }
  return res;
}
