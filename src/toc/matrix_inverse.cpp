#include "toc/matrix_inverse.h"

#include <cmath>
#include <limits>

double invert_matrix(int n, double* a, int stride) {
  if (n < 0 || n > kMaxInvertOrder) return std::numeric_limits<double>::quiet_NaN();

  constexpr int M = kMaxInvertOrder;
  double lu[M][M] = {};
  int ip[M] = {};  // position k of the factorisation holds row ip[k] of lu
  int w[M] = {};
  int iq[M] = {};

  for (int i = 0; i < n; ++i) {
    for (int j = 0; j < n; ++j) lu[i][j] = a[i * stride + j];
  }
  for (int k = 0; k < n; ++k) ip[k] = k;

  // Elimination; rows are exchanged only in ip. There is no test for a zero pivot.
  for (int k = 0; k < n; ++k) {
    int p = k;
    double amax = std::fabs(lu[ip[k]][k]);
    for (int i = k + 1; i < n; ++i) {
      const double v = std::fabs(lu[ip[i]][k]);
      if (v > amax) {
        p = i;
        amax = v;
      }
    }
    const int tmp = ip[k];
    ip[k] = ip[p];
    ip[p] = tmp;

    const int r = ip[k];
    const double pivot = lu[r][k];
    for (int i = k + 1; i < n; ++i) {
      const int ri = ip[i];
      const double f = lu[ri][k] / pivot;
      lu[ri][k] = f;
      for (int j = k + 1; j < n; ++j) lu[ri][j] = lu[ri][j] - f * lu[r][j];
    }
  }

  // Sign of the permutation: undo it one transposition at a time.
  for (int i = 0; i < n; ++i) w[i] = ip[i];
  for (int i = 0; i < n; ++i) iq[w[i]] = i;
  double sign = 1.0;
  for (int i = 0; i < n - 1; ++i) {
    if (w[i] != i) {
      const int j = w[i];
      w[iq[i]] = j;
      iq[j] = iq[i];
      sign = -sign;
    }
  }

  double det = sign;
  for (int i = 0; i < n; ++i) det = det * lu[ip[i]][i];

  if (std::fabs(det) > kSingularDeterminant) {
    for (int m = 0; m < n; ++m) {
      // Forward substitution with the unit lower factor, right-hand side e_m.
      for (int i = 0; i < n; ++i) {
        const int ii = ip[i];
        double s = (ii == m) ? 1.0 : 0.0;
        for (int j = 0; j < i; ++j) s = s - lu[ii][j] * a[j * stride + m];
        a[i * stride + m] = s;
      }
      // Back substitution with the upper factor.
      for (int i = n - 1; i >= 0; --i) {
        const int ii = ip[i];
        double s = a[i * stride + m];
        for (int j = i + 1; j < n; ++j) s = s - lu[ii][j] * a[j * stride + m];
        a[i * stride + m] = s / lu[ii][i];
      }
    }
  }
  return det;
}
