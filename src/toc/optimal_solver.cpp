#include "toc/optimal_solver.h"

#include <atomic>
#include <cmath>
#include <mutex>

#include "toc/costate.h"
#include "toc/direct_motion.h"
#include "toc/refine.h"
#include "toc/rule_repair.h"
#include "toc/structure.h"
#include "toc/worker_pool.h"

namespace {

// How much faster than the passes' motion the direct method's must be to
// replace it (relative), of another structure or of the same: the passes
// end within 1e-4 of the goal, so their tf is that much less exact.
constexpr double kMargin = 1e-4;
constexpr double kSameStructureMargin = 1e-3;
// Two grids agree on a motion when their structures are the same and their
// final times this close (relative).
constexpr double kAgreement = 1e-3;

bool agree(const DirectMotion& a, const DirectMotion& b) {
  return a.found && b.found && same_structure(a.motion, b.motion) &&
         std::fabs(a.motion.tf - b.motion.tf) <= kAgreement * std::fmin(a.motion.tf, b.motion.tf);
}

// Whether a joint's switching function stays within kHoverShare of its
// largest magnitude for more than kHoverTime of the motion, in one stretch.
constexpr double kHoverShare = 0.05;
constexpr double kHoverTime = 0.2;
bool nearly_singular(const SwitchingFunctions& f) {
  if (!f.computed || f.samples.size() < 2) return false;
  const double tf = f.samples.back().t;
  for (int j = 0; j < 2; ++j) {
    double peak = 0;
    for (const SigmaSample& p : f.samples) peak = std::fmax(peak, std::fabs(p.sigma[j]));
    double from = 0;
    bool inside = false;
    for (const SigmaSample& p : f.samples) {
      const bool low = std::fabs(p.sigma[j]) < kHoverShare * peak;
      if (low && !inside) from = p.t;
      inside = low;
      if (inside && p.t - from > kHoverTime * tf) return true;
    }
  }
  return false;
}

const DirectMotion& faster(const DirectMotion& a, const DirectMotion& b) {
  if (!b.found) return a;
  if (!a.found) return b;
  return b.motion.tf < a.motion.tf ? b : a;
}

// The direct method lands in another local optimum on another grid now and
// then: the coarse grid's motion and the second grid's side by side, a third
// where they disagree, the fastest; a grid motion then solved on the fine grid.
DirectMotion best_direct_motion(const ShootingModel& m, const double y_start[4],
                                const double x_target[4], const DirectResult& coarse,
                                WorkerPool* pool) {
  DirectMotion first, second;
  auto both = [&](int i) {
    if (i == 0) first = read_grid(m, y_start, x_target, coarse);
    else second = read_grid(m, y_start, x_target,
                            grid_solution(m, y_start, x_target, kSecondGrid, kMoreEvaluations));
  };
  if (pool != nullptr) {
    pool->for_each(2, both);
  } else {
    both(0);
    both(1);
  }
  DirectMotion best = faster(first, second);
  if (!agree(first, second)) {
    const DirectMotion third = read_grid(
        m, y_start, x_target, grid_solution(m, y_start, x_target, kThirdGrid, kMoreEvaluations));
    best = faster(best, third);
  }
  DirectMotion out = polish_grid(m, y_start, x_target, best);
  // A bang-bang motion that still breaks Pontryagin's rule is made again from
  // its switching functions.
  if (out.found && out.motion.grid_count == 0) {
    const RepairedMotion r = repair_by_rule(m, y_start, x_target, out.motion);
    out.evaluations += r.simulations;
    if (r.changed) {
      out.motion = r.motion;
      out.end_error = r.end_error;
    }
    // A switching function that hovers about zero for a good part of the
    // motion: an arc inside the limits may be faster still.
    if (out.source.n > 0 && nearly_singular(switching_functions(m, y_start, out.motion))) {
      DirectMotion as_grid = out;
      as_grid.ambiguous = true;
      const DirectMotion polished = polish_grid(m, y_start, x_target, as_grid);
      out.evaluations = polished.evaluations;
      if (polished.found && polished.motion.tf < out.motion.tf) out = polished;
    }
  }
  return out;
}

// The passes and the coarse direct solve side by side. A pass whose motion
// keeps Pontryagin's rule and has the structure the direct method found is
// the optimum: the other pass, which cannot be faster, is stopped.
struct Race {
  std::mutex mutex;
  bool coarse_done = false;         // under mutex
  bool coarse_bang = false;         // the coarse grid reads as bang-bang; under mutex
  Motion coarse_motion{};           // under mutex
  bool extremal[2] = {};            // pass i's motion keeps the rule; under mutex
  bool pass_done[2] = {};           // under mutex
  Motion pass_motion[2]{};          // under mutex
  bool confirmed[2] = {};           // under mutex
  std::atomic<bool> cancel[2] = {false, false};

  // Under mutex: confirms the passes that now can be.
  void settle() {
    if (!coarse_done || !coarse_bang) return;
    for (int i = 0; i < 2; ++i)
      if (pass_done[i] && extremal[i] && !confirmed[i] &&
          same_structure(pass_motion[i], coarse_motion)) {
        confirmed[i] = true;
        cancel[1 - i].store(true, std::memory_order_relaxed);
      }
  }
};

}  // namespace

SwitchingSolution solve_optimal(const Conditions& s, Robot robot, WorkerPool* pool) {
  const SwitchingTask t = switching_task(s, robot);
  const ShootingModel model(s, robot);
  Race race;
  DirectResult coarse{};
  NewtonPassResult passes[2];
  SolutionCheck checks[2] = {};
  // The passes first: a thread whose pass ends takes the direct method.
  auto task = [&](int i) {
    if (i == 2) {
      coarse = grid_solution(model, t.y_start, t.x_target, kCoarseGrid, kCoarseEvaluations);
      Motion bang{};
      const bool ok = coarse.converged && structure_of(coarse.grid, coarse.grid.n, bang) &&
                      bang.grid_count == 0;
      const std::lock_guard<std::mutex> lock(race.mutex);
      race.coarse_done = true;
      race.coarse_bang = ok;
      race.coarse_motion = bang;
      race.settle();
      return;
    }
    const int p = i;
    passes[p] = newton_pass(model, t.y_start, t.x_target, t.s1, p == 0 ? -1 : +1, t.z_init, pool,
                            &race.cancel[p]);
    if (passes[p].failed) return;
    checks[p] = check_solution(model, t.y_start, t.x_target, passes[p].plan, passes[p].y_end);
    if (!checks[p].accepted) return;
    const Motion motion = motion_of_plan(passes[p].plan);
    const SwitchingFunctions f = switching_functions(model, t.y_start, motion);
    const bool extremal = (f.computed && !first_rule_break(f, motion).broken) ||
                          !(passes[p].plan.tt[3] > 0);  // start = goal: nothing is faster
    const std::lock_guard<std::mutex> lock(race.mutex);
    race.pass_done[p] = true;
    race.extremal[p] = extremal;
    race.pass_motion[p] = motion;
    race.settle();
  };
  if (pool != nullptr) {
    pool->for_each(3, task);
  } else {
    for (int i = 0; i < 3; ++i) task(i);
  }

  SwitchingSolution sol = passes_outcome(passes, checks);
  if (race.confirmed[0] || race.confirmed[1]) return sol;
  if (sol.found && !(sol.plan.tt[3] > 0)) return sol;

  const DirectMotion d = best_direct_motion(model, t.y_start, t.x_target, coarse, pool);

  // The passes' motion is kept unless the direct method's is clearly faster:
  // the passes end within 1e-4 of the goal, so their tf is that much less
  // exact, and a motion of their own structure must beat them by more.
  if (!d.found) return sol;
  if (sol.found) {
    const double margin = same_structure(d.motion, sol.motion) ? kSameStructureMargin : kMargin;
    if (!(d.motion.tf < sol.plan.tt[3] * (1 - margin))) return sol;
  }
  if (sol.found) sol.passes_tf = sol.plan.tt[3];
  sol.found = true;
  sol.by_search = false;
  sol.method = FoundBy::Direct;
  sol.motion = d.motion;
  sol.four_intervals = plan_of_motion(d.motion, t.s1, sol.plan);
  return sol;
}
