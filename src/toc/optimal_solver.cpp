#include "toc/optimal_solver.h"

#include <atomic>
#include <cmath>
#include <mutex>

#include "toc/costate.h"
#include "toc/direct_method.h"
#include "toc/refine.h"
#include "toc/structure.h"
#include "toc/worker_pool.h"

namespace {

// Peaks of the quintic start, tried in turn until the method converges.
constexpr double kStartPeaks[] = {0.95, 0.7, 0.5};
// The further grids of the direct method where the passes' motion is not confirmed.
constexpr int kMoreGrids[] = {24, 12};

bool finite_task(const ShootingModel& m, const double y0[4], const double xt[4]) {
  for (int c = 0; c < 4; ++c)
    if (!std::isfinite(y0[c]) || !std::isfinite(xt[c])) return false;
  return std::isfinite(m.tau_max[0]) && std::isfinite(m.tau_max[1]) && m.tau_max[0] > 0 &&
         m.tau_max[1] > 0;
}

// The direct method on the coarse grid, from the quintic starts in turn.
DirectResult coarse_direct(const ShootingModel& m, const double y_start[4],
                           const double x_target[4], int grid = kCoarseGrid, double first_peak = 0.95) {
  DirectResult out{};
  int evaluations = 0;
  if (finite_task(m, y_start, x_target)) {
    for (double peak : kStartPeaks) {
      if (peak > first_peak) continue;
      TorqueGrid start{};
      if (!quintic_start(m, y_start, x_target, grid, peak, start)) continue;
      out = solve_direct(m, y_start, x_target, start);
      evaluations += out.evaluations;
      if (out.converged) break;
    }
  }
  out.evaluations = evaluations;
  return out;
}

DirectMotion motion_from_grid(const ShootingModel& m, const double y_start[4],
                              const double x_target[4], const DirectResult& coarse) {
  DirectMotion out{};
  if (!coarse.converged) return out;
  // Read as bang-bang, every run inside the limits a switch or a pulse: where
  // shooting on those times meets the end conditions no slower than the grid,
  // that is the motion.
  Motion bang{};
  if (structure_of(coarse.grid, coarse.grid.n, bang) && bang.grid_count == 0) {
    const Refinement r = refine_switching(m, y_start, x_target, bang);
    out.evaluations += r.simulations;
    if (r.converged && r.motion.tf <= coarse.grid.tf * (1 + 1e-4)) {
      out.found = true;
      out.motion = r.motion;
      out.end_error = r.end_error;
      return out;
    }
  }
  // An arc inside the limits: the torques over time on the fine grid.
  DirectResult fine = solve_direct(m, y_start, x_target, refine_grid(coarse.grid, kFineGrid));
  out.evaluations += fine.evaluations;
  const DirectResult& best = fine.converged && fine.grid.tf < coarse.grid.tf ? fine : coarse;
  if (!structure_of(best.grid, kSwitchSteps, out.motion)) return out;
  if (out.motion.grid_count == 0) {
    // Bang-bang after all on the fine grid: refine that.
    const Refinement r = refine_switching(m, y_start, x_target, out.motion);
    out.evaluations += r.simulations;
    if (r.converged && r.motion.tf <= best.grid.tf * (1 + 1e-4)) {
      out.found = true;
      out.motion = r.motion;
      out.end_error = r.end_error;
      return out;
    }
    // Keep the grid's torques.
    out.motion.grid_count = best.grid.n;
    for (int k = 0; k < best.grid.n; ++k)
      for (int j = 0; j < 2; ++j) out.motion.grid[k][j] = best.grid.u[k][j];
  }
  out.found = true;
  out.end_error = best.end_error;
  return out;
}

bool same_structure(const Motion& a, const Motion& b) {
  for (int j = 0; j < 2; ++j) {
    if (a.joint[j].count != b.joint[j].count) return false;
    for (int k = 0; k < a.joint[j].count; ++k)
      if (a.joint[j].kind[k] != b.joint[j].kind[k]) return false;
  }
  return true;
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

DirectMotion direct_motion(const ShootingModel& m, const double y_start[4],
                           const double x_target[4], int grid, double peak) {
  const DirectResult coarse = coarse_direct(m, y_start, x_target, grid, peak);
  DirectMotion out = motion_from_grid(m, y_start, x_target, coarse);
  out.evaluations += coarse.evaluations;
  return out;
}

SwitchingSolution solve_optimal(const Conditions& s, Robot robot, WorkerPool* pool) {
  const SwitchingTask t = switching_task(s, robot);
  const ShootingModel model(s, robot);
  Race race;
  DirectResult coarse{};
  NewtonPassResult passes[2];
  SolutionCheck checks[2] = {};
  auto task = [&](int i) {
    if (i == 0) {
      coarse = coarse_direct(model, t.y_start, t.x_target);
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
    const int p = i - 1;
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
  sol.direct_evaluations = coarse.evaluations;
  if (race.confirmed[0] || race.confirmed[1]) return sol;
  if (sol.found && !(sol.plan.tt[3] > 0)) return sol;

  // The direct method lands in another local optimum on another grid now and
  // then: the coarse grid's motion and those of two more grids, the fastest.
  DirectMotion found[3];
  auto candidate = [&](int i) {
    if (i == 0) found[0] = motion_from_grid(model, t.y_start, t.x_target, coarse);
    else found[i] = direct_motion(model, t.y_start, t.x_target, kMoreGrids[i - 1]);
  };
  if (pool != nullptr) {
    pool->for_each(3, candidate);
  } else {
    for (int i = 0; i < 3; ++i) candidate(i);
  }
  int pick = -1;
  for (int i = 0; i < 3; ++i) {
    sol.direct_evaluations += found[i].evaluations;
    if (found[i].found && (pick < 0 || found[i].motion.tf < found[pick].motion.tf)) pick = i;
  }
  if (pick < 0) return sol;
  const DirectMotion& d = found[pick];
  if (!d.found || (sol.found && !(d.motion.tf < sol.plan.tt[3]))) return sol;
  if (sol.found) sol.passes_tf = sol.plan.tt[3];
  sol.found = true;
  sol.by_search = false;
  sol.method = FoundBy::Direct;
  sol.motion = d.motion;
  sol.four_intervals = plan_of_motion(d.motion, t.s1, sol.plan);
  return sol;
}
