#include "toc/direct_motion.h"

#include <cmath>

#include "toc/refine.h"
#include "toc/structure.h"

namespace {

// Peaks of the quintic start, tried in turn until the method converges.
constexpr double kStartPeaks[] = {0.95, 0.7, 0.5};

// A refined bang-bang motion is taken over the grid it came from only when
// it is no slower (relative).
constexpr double kRefineSlack = 1e-4;

bool finite_task(const ShootingModel& m, const double y0[4], const double xt[4]) {
  for (int c = 0; c < 4; ++c)
    if (!std::isfinite(y0[c]) || !std::isfinite(xt[c])) return false;
  return std::isfinite(m.tau_max[0]) && std::isfinite(m.tau_max[1]) && m.tau_max[0] > 0 &&
         m.tau_max[1] > 0;
}

// The grid as the motion's torques, its arcs read with short runs as switches.
bool grid_motion(const DirectResult& g, DirectMotion& out) {
  if (!structure_of(g.grid, kSwitchSteps, out.motion)) return false;
  out.motion.grid_count = g.grid.n;
  for (int k = 0; k < g.grid.n; ++k)
    for (int j = 0; j < 2; ++j) out.motion.grid[k][j] = g.grid.u[k][j];
  out.found = true;
  out.end_error = g.end_error;
  return true;
}

}  // namespace

DirectResult grid_solution(const ShootingModel& m, const double y_start[4],
                           const double x_target[4], int n, int max_evaluations) {
  DirectResult out{};
  int evaluations = 0;
  if (finite_task(m, y_start, x_target)) {
    for (double peak : kStartPeaks) {
      TorqueGrid start{};
      if (!quintic_start(m, y_start, x_target, n, peak, start)) continue;
      out = solve_direct(m, y_start, x_target, start, max_evaluations);
      evaluations += out.evaluations;
      if (out.converged) break;
    }
  }
  out.evaluations = evaluations;
  return out;
}

DirectMotion read_grid(const ShootingModel& m, const double y_start[4], const double x_target[4],
                       const DirectResult& grid) {
  DirectMotion out{};
  if (!grid.converged) return out;
  Motion bang{};
  if (structure_of(grid.grid, grid.grid.n, bang) && bang.grid_count == 0) {
    const Refinement r = refine_switching(m, y_start, x_target, bang);
    out.evaluations += r.simulations;
    if (r.converged && r.motion.tf <= grid.grid.tf * (1 + kRefineSlack)) {
      out.found = true;
      out.motion = r.motion;
      out.end_error = r.end_error;
      Motion arcs{};
      out.ambiguous = structure_of(grid.grid, kSwitchSteps, arcs) && arcs.grid_count > 0;
      out.source = grid.grid;
      return out;
    }
  }
  grid_motion(grid, out);
  return out;
}

DirectMotion polish_grid(const ShootingModel& m, const double y_start[4],
                         const double x_target[4], const DirectMotion& coarse) {
  if (coarse.found && coarse.ambiguous && coarse.source.n > 0) {
    DirectResult source{};
    source.converged = true;
    source.grid = coarse.source;
    DirectMotion as_grid{};
    if (!grid_motion(source, as_grid)) return coarse;
    DirectMotion polished = polish_grid(m, y_start, x_target, as_grid);
    polished.evaluations += coarse.evaluations;
    if (polished.found && polished.motion.tf < coarse.motion.tf) return polished;
    DirectMotion out = coarse;
    out.evaluations = polished.evaluations;
    return out;
  }
  if (!coarse.found || coarse.motion.grid_count == 0) return coarse;
  TorqueGrid g{};
  g.n = coarse.motion.grid_count;
  g.tf = coarse.motion.tf;
  for (int k = 0; k < g.n; ++k)
    for (int j = 0; j < 2; ++j) g.u[k][j] = coarse.motion.grid[k][j];
  const DirectResult fine =
      solve_direct(m, y_start, x_target, refine_grid(g, kFineGrid), kFineEvaluations);
  DirectMotion out = coarse;
  out.evaluations += fine.evaluations;
  if (!fine.converged || !(fine.grid.tf < coarse.motion.tf)) return out;
  DirectMotion read = read_grid(m, y_start, x_target, fine);
  if (!read.found) return out;
  read.evaluations += out.evaluations;
  return read;
}

bool same_structure(const Motion& a, const Motion& b) {
  for (int j = 0; j < 2; ++j) {
    if (a.joint[j].count != b.joint[j].count) return false;
    for (int k = 0; k < a.joint[j].count; ++k)
      if (a.joint[j].kind[k] != b.joint[j].kind[k]) return false;
  }
  return true;
}

DirectMotion direct_motion(const ShootingModel& m, const double y_start[4],
                           const double x_target[4], int n) {
  const DirectResult g = grid_solution(m, y_start, x_target, n,
                                       n <= kCoarseGrid ? kCoarseEvaluations : kMoreEvaluations);
  DirectMotion out = polish_grid(m, y_start, x_target, read_grid(m, y_start, x_target, g));
  out.evaluations += g.evaluations;
  return out;
}
