#include "toc/switching_search.h"

#include "toc/acceptance.h"
#include "toc/lm_run.h"
#include "toc/newton.h"
#include "toc/worker_pool.h"

#include <atomic>

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

namespace {

// One Levenberg-Marquardt run from start i / 2 with sign -1 (even) or +1 (odd)
// and the check of its result.
struct StartRun {
  bool accepted;
  SwitchingPlan plan;
  double z[4];
  long simulations;  // of the run and its check
};

}  // namespace

SearchResult search_switching_times(const ShootingModel& m, const double y_start[4],
                                    const double x_target[4], int s1, double tf0,
                                    WorkerPool* pool) {
  // Tried one after the other, the search stops after the first start with an
  // accepted run. Side by side, every run of a start up to the first accepted
  // one is made (later ones are skipped once one is known), and the result is
  // put together in start order, as one after the other would.
  constexpr int kRuns = 2 * kSearchStarts;
  StartRun runs[kRuns] = {};
  std::atomic<int> first_accepted{kSearchStarts};
  auto try_start = [&](int r) {
    const int i = r / 2;
    if (i > first_accepted.load(std::memory_order_relaxed)) return;
    double z[4];
    search_start(i, tf0, z);
    LmRunResult run;
    lm_run(m, y_start, x_target, s1, r % 2 == 0 ? -1 : +1, z, run);
    const SolutionCheck c = check_solution(m, y_start, x_target, run.trace.plan, run.trace.y_end);
    StartRun& out = runs[r];
    out.accepted = c.accepted;
    out.plan = run.trace.plan;
    for (int k = 0; k < 4; ++k) out.z[k] = run.z[k];
    out.simulations = run.simulations + c.simulations;
    if (!c.accepted) return;
    int seen = first_accepted.load(std::memory_order_relaxed);
    while (i < seen && !first_accepted.compare_exchange_weak(seen, i, std::memory_order_relaxed)) {
    }
  };
  if (pool != nullptr) {
    pool->for_each(kRuns, try_start);
  } else {
    for (int r = 0; r < kRuns; ++r) try_start(r);
  }

  SearchResult res{};
  res.plan.tt[3] = kFailedFinalTime;
  res.start = -1;
  for (int i = 0; i < kSearchStarts && !res.found; ++i) {
    for (int s2 = -1; s2 <= 1; s2 += 2) {
      const StartRun& run = runs[2 * i + (s2 > 0 ? 1 : 0)];
      res.runs = res.runs + 1;
      res.simulations = res.simulations + run.simulations;
      if (!run.accepted) continue;
      // Both signs solved from this start: the faster motion, the second sign
      // on equal final times as between the Newton passes.
      if (res.found && res.plan.tt[3] < run.plan.tt[3]) continue;
      res.found = true;
      res.plan = run.plan;
      for (int k = 0; k < 4; ++k) res.z[k] = run.z[k];
      res.s2 = s2;
      res.start = i;
    }
  }
  return res;
}
