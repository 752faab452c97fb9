#include "toc/costate.h"

#include <cmath>

#include "robot/dual.h"
#include "toc/refine.h"
#include "toc/small_solve.h"
#include "toc/structure.h"

namespace {

// sigma of both joints at state y and velocity costates lv: lv times the
// acceleration a unit torque of each joint adds (the accelerations are affine
// in the torques).
void sigma_at(const ShootingModel& m, const double y[4], const double lv[2], double out[2]) {
  double a0[2], a1[2], a2[2];
  m.plant.accelerations(y, 0.0, 0.0, a0);
  m.plant.accelerations(y, 1.0, 0.0, a1);
  m.plant.accelerations(y, 0.0, 1.0, a2);
  out[0] = lv[0] * (a1[0] - a0[0]) + lv[1] * (a1[1] - a0[1]);
  out[1] = lv[0] * (a2[0] - a0[0]) + lv[1] * (a2[1] - a0[1]);
}

struct TracedStep {
  double t;
  double y[4];         // state at the step's start
  double phi[4][4];    // d(state after)/d(state before)
};

}  // namespace

namespace {

// A stretch of the motion under constant torques, integrated in `steps` equal
// steps: the arcs of a bang-bang motion, the steps of a grid.
struct Piece {
  double end;
  double tau[2];
  int steps;
};

// The multipliers of a bang-bang motion: least squares on J^T nu = -e_tf,
// (J J^T) nu = -J e_tf (exact for 4 unknowns).
bool bang_multipliers(const ShootingModel& m, const double y_start[4], const Motion& motion,
                      double nu[4]) {
  double y_end[4], J[4][kMaxUnknowns];
  int n = 0;
  if (!motion_jacobian(m, y_start, motion, y_end, J, n)) return false;
  double A[4][4] = {}, b[4];
  for (int i = 0; i < 4; ++i) {
    for (int e = 0; e < 4; ++e)
      for (int v = 0; v < n; ++v) A[i][e] += J[i][v] * J[e][v];
    b[i] = -J[i][n - 1];
  }
  return solve4(A, b, nu);
}

// Those of a grid motion: the final time stationary (1 + nu . dx/dtf = 0)
// and every torque off its limits too (nu . dx/du = 0), in least squares.
bool grid_multipliers(const ShootingModel& m, const double y_start[4], const TorqueGrid& g,
                      double nu[4]) {
  double y[4], jac[4][kGridVariables];
  simulate_grid(m, g, y_start, y, jac);
  double A[4][4] = {}, b[4];
  for (int v = 0; v <= 2 * g.n; ++v) {
    const bool time = v == 2 * g.n;
    if (!time && std::fabs(g.u[v / 2][v % 2]) >= 1.0 - kInteriorMargin) continue;
    for (int i = 0; i < 4; ++i)
      for (int e = 0; e < 4; ++e) A[i][e] += jac[i][v] * jac[e][v];
  }
  for (int i = 0; i < 4; ++i) b[i] = -jac[i][2 * g.n];
  return solve4(A, b, nu);
}

TorqueGrid grid_of(const Motion& motion) {
  TorqueGrid g{};
  g.n = motion.grid_count;
  g.tf = motion.tf;
  for (int k = 0; k < g.n; ++k)
    for (int j = 0; j < 2; ++j) g.u[k][j] = motion.grid[k][j];
  return g;
}

}  // namespace

SwitchingFunctions switching_functions(const ShootingModel& m, const double y_start[4],
                                       const Motion& motion) {
  SwitchingFunctions f{};
  std::vector<Piece> pieces;
  if (motion.grid_count > 0) {
    if (motion.grid_count > kMaxTorqueGrid || !(motion.tf > 0)) return f;
    const TorqueGrid g = grid_of(motion);
    if (!grid_multipliers(m, y_start, g, f.nu)) return f;
    for (int k = 0; k < g.n; ++k)
      pieces.push_back(Piece{(k + 1) * (g.tf / g.n),
                             {g.u[k][0] * m.tau_max[0], g.u[k][1] * m.tau_max[1]},
                             kDirectSubsteps});
  } else {
    if (!bang_multipliers(m, y_start, motion, f.nu)) return f;
    ArcPlan plan{};
    if (!arc_plan_of(motion, plan)) return f;
    for (int i = 0; i < plan.count; ++i)
      pieces.push_back(Piece{plan.end[i],
                             {plan.sign[i][0] * m.tau_max[0], plan.sign[i][1] * m.tau_max[1]},
                             kStepsPerInterval});
  }
  std::vector<TracedStep> steps;
  using D = Dual<4>;
  double y[4] = {y_start[0], y_start[1], y_start[2], y_start[3]};
  double start = 0.0;
  for (const Piece& piece : pieces) {
    const double h = (piece.end - start) / piece.steps;
    const ConstantTorques<D> deriv{m.plant, D(piece.tau[0]), D(piece.tau[1])};
    double ts = start;
    for (int k = 0; k < piece.steps; ++k) {
      TracedStep s{};
      s.t = ts;
      D yd[4];
      for (int c = 0; c < 4; ++c) {
        s.y[c] = y[c];
        yd[c] = D::variable(y[c], c);
      }
      runge_kutta_gill(deriv, D(ts), D(h), yd, yd);
      for (int c = 0; c < 4; ++c) {
        y[c] = yd[c].v;
        for (int e = 0; e < 4; ++e) s.phi[c][e] = yd[c].d[e];
      }
      steps.push_back(s);
      ts = ts + h;
    }
    start = piece.end;
  }
  // Back from tf: lambda_k = phi_k^T lambda_(k+1).
  f.samples.resize(steps.size() + 1);
  double lam[4] = {f.nu[0], f.nu[1], f.nu[2], f.nu[3]};
  SigmaSample& last = f.samples.back();
  last.t = motion.tf;
  sigma_at(m, y, lam + 2, last.sigma);
  for (std::size_t k = steps.size(); k-- > 0;) {
    const TracedStep& s = steps[k];
    double prev[4];
    for (int e = 0; e < 4; ++e) {
      prev[e] = 0;
      for (int c = 0; c < 4; ++c) prev[e] += s.phi[c][e] * lam[c];
    }
    for (int e = 0; e < 4; ++e) lam[e] = prev[e];
    f.samples[k].t = s.t;
    sigma_at(m, s.y, lam + 2, f.samples[k].sigma);
  }
  f.computed = true;
  for (const SigmaSample& s : f.samples)
    if (!std::isfinite(s.sigma[0]) || !std::isfinite(s.sigma[1])) f.computed = false;
  return f;
}

RuleBreak first_rule_break(const SwitchingFunctions& f, const Motion& motion, double slack) {
  RuleBreak r{};
  if (!f.computed) return r;
  double peak[2] = {0, 0};
  for (const SigmaSample& s : f.samples)
    for (int j = 0; j < 2; ++j) peak[j] = std::fmax(peak[j], std::fabs(s.sigma[j]));
  // Near a switch the step that holds it is excused: sigma crosses zero there.
  const double near = 2.0 * motion.tf / (static_cast<double>(f.samples.size()) + 1.0);
  for (const SigmaSample& s : f.samples)
    for (int j = 0; j < 2; ++j) {
      const JointArcs& a = motion.joint[j];
      bool by_switch = false;
      for (int k = 0; k + 1 < a.count; ++k)
        if (std::fabs(s.t - a.end[k]) <= near) by_switch = true;
      const int sign = arc_sign_at(a, s.t);
      if (!by_switch && sign * s.sigma[j] > slack * peak[j]) {
        r.broken = true;
        r.joint = j;
        r.at = s.t;
        return r;
      }
    }
  return r;
}
