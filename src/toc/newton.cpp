#include "toc/newton.h"

#include <cmath>

#include "toc/lu.h"
#include "toc/worker_pool.h"

double sum_abs(int n, const double* x) {
  double s = 0.0;
  for (int i = 0; i < n; ++i) s = s + std::fabs(x[i]);
  return s;
}

double damping_factor(double rho) {
  if (rho >= 1.0) return 0.05 / rho;  // a step of 1-norm 0.05
  if (rho >= 0.1) return 0.05;
  if (rho >= 0.01) return 0.5;
  if (rho >= 0.001) return 0.2;
  if (rho >= 0.0001) return 0.5;
  return 1.0;  // full Newton step (also for a rho that is not a number)
}

double switching_jacobian(const ShootingModel& m, const double y_start[4], const double z[4],
                          int s1, int s2, const ShootingTrace& base, double J[4][4],
                          WorkerPool* pool) {
  // Each column is its own simulation and fills only its own column of J.
  auto column = [&](int k) {
    double zk[4] = {z[0], z[1], z[2], z[3]};
    zk[k] = zk[k] + kFdStep;
    ShootingTrace trace;
    simulate_bang_bang(m, zk, y_start, s1, s2, trace, &base);
    for (int i = 0; i < 4; ++i) J[i][k] = (trace.y_end[i] - base.y_end[i]) / kFdStep;
  };
  if (pool != nullptr) {
    pool->for_each(4, column);
  } else {
    for (int k = 0; k < 4; ++k) column(k);
  }
  return lu_invert(4, &J[0][0], 4, kSingularDeterminant);
}

NewtonPassResult newton_pass(const ShootingModel& m, const double y_start[4],
                             const double x_target[4], int s1, int s2, const double z_init[4],
                             WorkerPool* pool, const std::atomic<bool>* cancel) {
  NewtonPassResult res{};
  double* z = res.z;
  for (int i = 0; i < 4; ++i) z[i] = z_init[i];

  bool hit_limit = false;
  bool residual_nan = false;
  bool cancelled = false;
  int n = 0;
  for (;;) {
    ShootingTrace sim;
    simulate_bang_bang(m, z, y_start, s1, s2, sim, nullptr);
    res.plan = sim.plan;
    for (int i = 0; i < 4; ++i) res.y_end[i] = sim.y_end[i];
    double e[4];
    for (int i = 0; i < 4; ++i) e[i] = x_target[i] - sim.y_end[i];
    // Goes on only while the residual is at least the tolerance. One that is
    // not a number also ends the pass here, but as a failure: the motion did
    // not reach the target, whatever the switching times look like.
    const double norm = sum_abs(4, e);
    if (!(norm >= kNewtonTolerance)) {
      residual_nan = std::isnan(norm);
      break;
    }

    if (cancel != nullptr && cancel->load(std::memory_order_relaxed)) {
      cancelled = true;
      break;
    }
    double M[4][4];
    switching_jacobian(m, y_start, z, s1, s2, sim, M, pool);
    double d[4];
    for (int i = 0; i < 4; ++i) {
      double di = 0.0;
      for (int j = 0; j < 4; ++j) di = di + M[i][j] * e[j];
      d[i] = di;
    }
    const double alpha = damping_factor(sum_abs(4, d));
    for (int i = 0; i < 4; ++i) z[i] = z[i] + alpha * d[i];

    n = n + 1;
    if (n >= kNewtonMaxIterations) {
      hit_limit = true;
      break;
    }
  }
  res.updates = n;

  // z2 > z3 is false when either is not a number; the NaN tests catch z0..z2.
  const bool bad_times = std::isnan(z[0]) || std::isnan(z[1]) || std::isnan(z[2]) ||
                         z[0] < 0 || z[1] < 0 || z[2] < 0 || z[2] > z[3];
  res.failed = hit_limit || bad_times || residual_nan || cancelled;
  if (res.failed) res.plan.tt[3] = kFailedFinalTime;
  return res;
}
