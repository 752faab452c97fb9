#include "toc/lm_run.h"

#include <cmath>
#include <limits>

#include "toc/lu.h"
#include "toc/newton.h"

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

double max_of(double a, double b) { return a < b ? b : a; }

// F = |r|^2 / 2, with a value that is not finite taken as infinite.
double half_square(const double r[4]) {
  double s = 0.0;
  for (int i = 0; i < 4; ++i) s = s + r[i] * r[i];
  const double F = 0.5 * s;
  return std::isfinite(F) ? F : kInf;
}

void residual(const double x_target[4], const ShootingTrace& t, double r[4]) {
  for (int i = 0; i < 4; ++i) r[i] = x_target[i] - t.y_end[i];
}

}  // namespace

void project_switching_times(double z[4]) {
  z[0] = max_of(z[0], 0.0);
  z[1] = max_of(z[1], 0.0);
  if (z[2] < z[0]) {
    const double mid = max_of((z[0] + z[2]) / 2, 0.0);
    z[0] = mid;
    z[2] = mid;
  }
  z[3] = max_of(max_of(z[3], z[1]), z[2]);
}

void lm_run(const ShootingModel& m, const double y_start[4], const double x_target[4], int s1,
            int s2, const double z_start[4], LmRunResult& out) {
  double* z = out.z;
  for (int k = 0; k < 4; ++k) z[k] = z_start[k];
  ShootingTrace* base = &out.trace;
  simulate_bang_bang(m, z, y_start, s1, s2, *base, nullptr);
  out.simulations = 1;
  out.iterations = 0;
  out.accepted_steps = 0;
  double r[4];
  residual(x_target, *base, r);
  double F = half_square(r);

  double mu = 0.0, nu = 2.0;
  int slow = 0;
  ShootingTrace column, trial;
  for (int it = 0; it < kLmMaxIterations; ++it) {
    if (!(sum_abs(4, r) >= kLmStopResidual)) break;

    // Forward differences; a column's simulation reuses the base's intervals
    // that lie before the perturbed switching time.
    double J[4][4];
    for (int k = 0; k < 4; ++k) {
      const double h = kLmFdRelStep * max_of(1.0, std::fabs(z[k]));
      double zk[4] = {z[0], z[1], z[2], z[3]};
      zk[k] = zk[k] + h;
      simulate_bang_bang(m, zk, y_start, s1, s2, column, base);
      for (int i = 0; i < 4; ++i) J[i][k] = ((x_target[i] - column.y_end[i]) - r[i]) / h;
    }
    out.simulations = out.simulations + 4;
    out.iterations = it + 1;

    double A[4][4], g[4], Amax = 0.0;
    for (int a = 0; a < 4; ++a) {
      g[a] = 0.0;
      for (int i = 0; i < 4; ++i) g[a] = g[a] + J[i][a] * r[i];
      for (int b = 0; b < 4; ++b) {
        double sum = 0.0;
        for (int i = 0; i < 4; ++i) sum = sum + J[i][a] * J[i][b];
        A[a][b] = sum;
      }
      Amax = max_of(Amax, A[a][a]);
    }
    if (it == 0) mu = 1e-3 * Amax;

    bool accepted = false;
    for (int attempt = 0; attempt <= kLmMaxRetries && !accepted; ++attempt) {
      double M[4][4], delta[4];
      for (int a = 0; a < 4; ++a) {
        for (int b = 0; b < 4; ++b) M[a][b] = A[a][b];
        M[a][a] = M[a][a] + mu * max_of(A[a][a], 1e-12);
        delta[a] = -g[a];
      }
      LuFactors lu;
      if (lu_factor(4, &M[0][0], 4, lu)) {
        lu_solve(lu, delta);
        double zt[4];
        for (int k = 0; k < 4; ++k) zt[k] = z[k] + delta[k];
        project_switching_times(zt);
        double lin[4];
        for (int i = 0; i < 4; ++i) {
          double v = r[i];
          for (int k = 0; k < 4; ++k) v = v + J[i][k] * (zt[k] - z[k]);
          lin[i] = v;
        }
        const double predicted = F - half_square(lin);
        // Only a step the linear model expects to help is worth a simulation.
        // Times held at a bound (z0 = 0, say) often leave the first intervals
        // as they were; those are taken from the base.
        if (predicted > 0.0) {
          simulate_bang_bang(m, zt, y_start, s1, s2, trial, base);
          out.simulations = out.simulations + 1;
          double rt[4];
          residual(x_target, trial, rt);
          const double Ft = half_square(rt);
          if (Ft < F) {
            const double rho = (F - Ft) / predicted;
            const double c = 2 * rho - 1;
            mu = mu * max_of(1.0 / 3.0, 1 - c * c * c);
            nu = 2.0;
            slow = (F - Ft < kLmSlowFraction * F) ? slow + 1 : 0;
            for (int k = 0; k < 4; ++k) z[k] = zt[k];
            for (int i = 0; i < 4; ++i) r[i] = rt[i];
            F = Ft;
            *base = trial;
            out.accepted_steps = out.accepted_steps + 1;
            accepted = true;
          }
        }
      }
      if (!accepted) {
        mu = mu * nu;
        nu = 2 * nu;
      }
    }
    if (!accepted || slow >= kLmSlowSteps) break;
  }
  out.F = F;
}
