#include "toc/lu.h"

#include <cmath>
#include <limits>

bool lu_factor(int n, const double* a, int stride, LuFactors& f) {
  if (n < 0 || n > kMaxLuOrder) {
    f.n = 0;
    f.sign = std::numeric_limits<double>::quiet_NaN();
    f.regular = false;
    return false;
  }
  f.n = n;
  f.sign = 1.0;
  f.regular = true;
  for (int i = 0; i < n; ++i) {
    f.row[i] = i;
    for (int j = 0; j < n; ++j) f.lu[i][j] = a[i * stride + j];
  }
  for (int k = 0; k < n; ++k) {
    int p = k;
    double amax = std::fabs(f.lu[k][k]);
    for (int i = k + 1; i < n; ++i) {
      const double v = std::fabs(f.lu[i][k]);
      if (v > amax) {
        p = i;
        amax = v;
      }
    }
    if (!(amax > 0.0) || !std::isfinite(amax)) f.regular = false;
    if (p != k) {
      // The whole rows change places, the multipliers already stored with them.
      for (int j = 0; j < n; ++j) {
        const double t = f.lu[k][j];
        f.lu[k][j] = f.lu[p][j];
        f.lu[p][j] = t;
      }
      const int t = f.row[k];
      f.row[k] = f.row[p];
      f.row[p] = t;
      f.sign = -f.sign;
    }
    const double pivot = f.lu[k][k];
    for (int i = k + 1; i < n; ++i) {
      const double m = f.lu[i][k] / pivot;
      f.lu[i][k] = m;
      for (int j = k + 1; j < n; ++j) f.lu[i][j] = f.lu[i][j] - m * f.lu[k][j];
    }
  }
  return f.regular;
}

namespace {

// L y = P e, then U x = y, for the right-hand side e read by row of A and the
// solution x written by position: x[i * stride]. Subtracting the terms one by
// one in index order gives the very numbers elimination with b alongside the
// rows would.
template <class Rhs>
void substitute(const LuFactors& f, const Rhs& e, double* x, int stride) {
  const int n = f.n;
  for (int i = 0; i < n; ++i) {
    double s = e(f.row[i]);
    for (int j = 0; j < i; ++j) s = s - f.lu[i][j] * x[j * stride];
    x[i * stride] = s;
  }
  for (int i = n - 1; i >= 0; --i) {
    double s = x[i * stride];
    for (int j = i + 1; j < n; ++j) s = s - f.lu[i][j] * x[j * stride];
    x[i * stride] = s / f.lu[i][i];
  }
}

}  // namespace

void lu_solve(const LuFactors& f, double* b) {
  double x[kMaxLuOrder];
  substitute(f, [b](int r) { return b[r]; }, x, 1);
  for (int i = 0; i < f.n; ++i) b[i] = x[i];
}

double lu_determinant(const LuFactors& f) {
  double det = f.sign;
  for (int i = 0; i < f.n; ++i) det = det * f.lu[i][i];
  return det;
}

double lu_invert(int n, double* a, int stride, double min_abs_det) {
  LuFactors f;
  lu_factor(n, a, stride, f);
  const double det = lu_determinant(f);
  if (std::fabs(det) > min_abs_det) {
    // Column m of the inverse solves A x = e_m; it is worked out in place.
    for (int m = 0; m < f.n; ++m) {
      substitute(f, [m](int r) { return r == m ? 1.0 : 0.0; }, a + m, stride);
    }
  }
  return det;
}
