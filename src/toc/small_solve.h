// Small dense linear solves of the refinement steps, on the stack.
#pragma once

#include <cmath>

// Solves A x = b (n x n, n <= 12) by Gaussian elimination with partial
// pivoting; A and b are left alone. False when a pivot vanishes or is not a
// number.
template <int N>
inline bool solve_dense(int n, const double (&A)[N][N], const double* b, double* x) {
  double a[N][N + 1];
  for (int i = 0; i < n; ++i) {
    for (int j = 0; j < n; ++j) a[i][j] = A[i][j];
    a[i][n] = b[i];
  }
  for (int k = 0; k < n; ++k) {
    int p = k;
    for (int i = k + 1; i < n; ++i)
      if (std::fabs(a[i][k]) > std::fabs(a[p][k])) p = i;
    if (!(std::fabs(a[p][k]) > 0)) return false;
    if (p != k)
      for (int j = 0; j <= n; ++j) {
        const double t = a[k][j];
        a[k][j] = a[p][j];
        a[p][j] = t;
      }
    for (int i = k + 1; i < n; ++i) {
      const double f = a[i][k] / a[k][k];
      for (int j = k; j <= n; ++j) a[i][j] -= f * a[k][j];
    }
  }
  for (int i = n - 1; i >= 0; --i) {
    double s = a[i][n];
    for (int j = i + 1; j < n; ++j) s -= a[i][j] * x[j];
    x[i] = s / a[i][i];
    if (!std::isfinite(x[i])) return false;
  }
  return true;
}

inline bool solve4(const double (&A)[4][4], const double* b, double* x) {
  return solve_dense<4>(4, A, b, x);
}
