#include "toc/switching_solver.h"

#include <cmath>

#include "robot/robot_kind.h"
#include "toc/acceptance.h"
#include "toc/newton.h"
#include "toc/direct_method.h"
#include "toc/refine.h"
#include "toc/optimal_solver.h"
#include "toc/switching_search.h"
#include "toc/worker_pool.h"

namespace {

// Both passes' final times above this: no solution from the passes (a failed
// pass reports 1e10 s).
constexpr double kNoSolutionTime = 1000.0;

// Simulations of a pass with n updates: per update the residual's and four
// Jacobian columns; a pass that stops before its limit simulates once more.
long pass_simulations(const NewtonPassResult& p) {
  return 5L * p.updates + (p.updates < kNewtonMaxIterations ? 1 : 0);
}

}  // namespace

SwitchingTask switching_task(const Conditions& s, Robot robot) {
  const RobotConditions& rec = model_conditions(s, robot);
  SwitchingTask t{};
  t.y_start[0] = rec.Phi0[0];
  t.y_start[1] = rec.Phi0[1];
  t.x_target[0] = rec.Phif[0];
  t.x_target[1] = rec.Phif[1];

  // Joint-1 inertia at the start, and the rest-to-rest time of joint 1 alone
  // at its full torque without gravity: the scale of the initial estimate.
  const double I1 = model_kind(robot).start_inertia(s);
  const double D1 = rec.Phif[0] - rec.Phi0[0];
  const double T = 2 * std::sqrt(std::fabs(D1) * I1 / rec.tau1max_h);
  t.tf0 = 0.6 * T;
  t.z_init[0] = 0.25 * t.tf0;
  t.z_init[1] = 0.5 * t.tf0;
  t.z_init[2] = 0.75 * t.tf0;
  t.z_init[3] = t.tf0;
  t.s1 = D1 > 0 ? 1 : -1;
  return t;
}

SwitchingSolution passes_outcome(const NewtonPassResult passes[2], const SolutionCheck checks[2]) {
  SwitchingSolution sol{};
  double tf[2];
  for (int i = 0; i < 2; ++i) {
    const NewtonPassResult& p = passes[i];
    PassSummary& ps = sol.pass[i];
    ps = {i == 0 ? -1 : +1, p.updates, !p.failed, false, p.plan.tt[3]};
    sol.simulations = sol.simulations + pass_simulations(p);
    if (ps.converged) {
      sol.simulations = sol.simulations + checks[i].simulations;
      ps.accepted = checks[i].accepted;
    }
    tf[i] = ps.accepted ? p.plan.tt[3] : kFailedFinalTime;
  }

  if (!(tf[0] > kNoSolutionTime && tf[1] > kNoSolutionTime)) {
    sol.found = true;
    sol.plan = (tf[0] < tf[1]) ? passes[0].plan : passes[1].plan;  // pass 2 on equal times
    sol.motion = motion_of_plan(sol.plan);
    sol.method = FoundBy::Passes;
    sol.four_intervals = true;
  }
  return sol;
}

namespace {

double solution_end_error(const Conditions& s, Robot robot, const SwitchingSolution& sol) {
  if (!sol.found) return NAN;
  const SwitchingTask t = switching_task(s, robot);
  const ShootingModel m(s, robot);
  if (sol.motion.grid_count == 0) return motion_end_error(m, t.y_start, t.x_target, sol.motion);
  TorqueGrid g{};
  g.n = sol.motion.grid_count;
  g.tf = sol.motion.tf;
  for (int k = 0; k < g.n; ++k)
    for (int j = 0; j < 2; ++j) g.u[k][j] = sol.motion.grid[k][j];
  double y[4];
  simulate_grid(m, g, t.y_start, y);
  return end_error(t.x_target, y);
}

SwitchingSolution solve_choice(const Conditions& s, Robot robot, SolverChoice choice,
                               WorkerPool* pool);

}  // namespace

SwitchingSolution solve_switching_plan(const Conditions& s, Robot robot, SolverChoice choice,
                                       WorkerPool* pool) {
  SwitchingSolution sol = solve_choice(s, robot, choice, pool);
  sol.end_error = solution_end_error(s, robot, sol);
  return sol;
}

namespace {

SwitchingSolution solve_choice(const Conditions& s, Robot robot, SolverChoice choice,
                               WorkerPool* pool) {
  if (choice == SolverChoice::Optimal) return solve_optimal(s, robot, pool);
  const SwitchingTask t = switching_task(s, robot);
  const ShootingModel model(s, robot);

  // The two passes, each with the check of its result, are independent: on a
  // pool they run side by side (and the thread whose pass ends first helps
  // with the other's Jacobians). Their results are taken in pass order.
  NewtonPassResult passes[2];
  SolutionCheck checks[2] = {};
  auto run_pass = [&](int i) {
    const NewtonPassResult& p = passes[i] =
        newton_pass(model, t.y_start, t.x_target, t.s1, i == 0 ? -1 : +1, t.z_init, pool);
    if (!p.failed) checks[i] = check_solution(model, t.y_start, t.x_target, p.plan, p.y_end);
  };
  if (pool != nullptr) {
    pool->for_each(2, run_pass);
  } else {
    run_pass(0);
    run_pass(1);
  }

  SwitchingSolution sol = passes_outcome(passes, checks);
  if (sol.found) return sol;
  if (choice == SolverChoice::Reference) return sol;

  const SearchResult found = search_switching_times(model, t.y_start, t.x_target, t.s1, t.tf0, pool);
  sol.searched = true;
  sol.search_runs = found.runs;
  sol.simulations = sol.simulations + found.simulations;
  if (found.found) {
    sol.found = true;
    sol.by_search = true;
    sol.plan = found.plan;
    sol.motion = motion_of_plan(sol.plan);
    sol.method = FoundBy::Search;
    sol.four_intervals = true;
  }
  return sol;
}

}  // namespace

Motion motion_of_plan(const SwitchingPlan& plan) {
  Motion m{};
  m.tf = plan.tt[3];
  for (int j = 0; j < 2; ++j) {
    JointArcs& a = m.joint[j];
    a.count = 1;
    a.kind[0] = static_cast<signed char>(plan.sign[0][j]);
    for (int k = 1; k < 4; ++k) {
      if (plan.sign[k][j] == a.kind[a.count - 1]) continue;
      a.end[a.count - 1] = plan.tt[k - 1];
      a.kind[a.count] = static_cast<signed char>(plan.sign[k][j]);
      ++a.count;
    }
    a.end[a.count - 1] = m.tf;
  }
  return m;
}

bool plan_of_motion(const Motion& m, int s1, SwitchingPlan& plan) {
  const JointArcs& a = m.joint[0];
  const JointArcs& b = m.joint[1];
  if (m.grid_count != 0 || has_interior_arc(m) || a.count != 2 || b.count != 3 ||
      a.kind[0] != s1)
    return false;
  const double z[4] = {b.end[0], a.end[0], b.end[1], m.tf};
  order_switching_times(z, s1, b.kind[0], plan);
  return true;
}

void store_solution(RobotRun& run, const SwitchingSolution& sol) {
  run.motion = sol.motion;
  run.general_motion = !sol.four_intervals;
  if (sol.four_intervals) {
    store_switching_plan(run, sol.plan);
  } else {
    // Only the final time means anything here; the rest stays zero.
    for (int k = 0; k < 4; ++k) {
      run.tt[k] = 0.0;
      for (int j = 0; j < 2; ++j) run.torque_sign[k][j] = 0.0;
    }
    run.tt[3] = sol.motion.tf;
  }
}

void store_switching_plan(RobotRun& rec, const SwitchingPlan& plan) {
  for (int k = 0; k < 4; ++k) {
    rec.tt[k] = plan.tt[k];
    for (int j = 0; j < 2; ++j) rec.torque_sign[k][j] = static_cast<double>(plan.sign[k][j]);
  }
}

SwitchingSolution find_switching_times(const Conditions& s, RobotRun& run, Robot robot,
                                       SolverChoice choice, WorkerPool* pool) {
  const SwitchingSolution sol = solve_switching_plan(s, robot, choice, pool);
  if (sol.found) store_solution(run, sol);
  return sol;
}
