#include "toc/gauss_solve.h"

#include <cmath>

bool gauss_solve(int n, double* a, double* b) {
  for (int k = 0; k < n; ++k) {
    int p = k;
    double amax = std::fabs(a[k * n + k]);
    for (int i = k + 1; i < n; ++i) {
      const double v = std::fabs(a[i * n + k]);
      if (v > amax) {
        p = i;
        amax = v;
      }
    }
    if (!(amax > 0.0) || !std::isfinite(amax)) return false;
    if (p != k) {
      for (int j = 0; j < n; ++j) {
        const double t = a[k * n + j];
        a[k * n + j] = a[p * n + j];
        a[p * n + j] = t;
      }
      const double t = b[k];
      b[k] = b[p];
      b[p] = t;
    }
    const double pivot = a[k * n + k];
    for (int i = k + 1; i < n; ++i) {
      const double f = a[i * n + k] / pivot;
      for (int j = k + 1; j < n; ++j) a[i * n + j] = a[i * n + j] - f * a[k * n + j];
      b[i] = b[i] - f * b[k];
    }
  }
  for (int i = n - 1; i >= 0; --i) {
    double s = b[i];
    for (int j = i + 1; j < n; ++j) s = s - a[i * n + j] * b[j];
    b[i] = s / a[i * n + i];
  }
  return true;
}
