// Forward-mode derivatives: a value with its derivatives along K directions,
// carried through the same formulas as a plain double. The equations of motion
// are written once for any scalar, so the solver's sensitivities are the exact
// derivatives of the very numbers the simulation computes.
#pragma once

#include "robot/trig.h"

template <int K>
struct Dual {
  double v = 0.0;
  double d[K] = {};

  Dual() = default;
  Dual(double value) : v(value) {}  // a constant: all derivatives zero
  // The variable of direction k.
  static Dual variable(double value, int k) {
    Dual x(value);
    x.d[k] = 1.0;
    return x;
  }
};

template <int K>
inline Dual<K> operator+(const Dual<K>& a, const Dual<K>& b) {
  Dual<K> r(a.v + b.v);
  for (int k = 0; k < K; ++k) r.d[k] = a.d[k] + b.d[k];
  return r;
}
template <int K>
inline Dual<K> operator-(const Dual<K>& a, const Dual<K>& b) {
  Dual<K> r(a.v - b.v);
  for (int k = 0; k < K; ++k) r.d[k] = a.d[k] - b.d[k];
  return r;
}
template <int K>
inline Dual<K> operator-(const Dual<K>& a) {
  Dual<K> r(-a.v);
  for (int k = 0; k < K; ++k) r.d[k] = -a.d[k];
  return r;
}
template <int K>
inline Dual<K> operator*(const Dual<K>& a, const Dual<K>& b) {
  Dual<K> r(a.v * b.v);
  for (int k = 0; k < K; ++k) r.d[k] = a.d[k] * b.v + a.v * b.d[k];
  return r;
}
template <int K>
inline Dual<K> operator/(const Dual<K>& a, const Dual<K>& b) {
  const double q = a.v / b.v;
  Dual<K> r(q);
  for (int k = 0; k < K; ++k) r.d[k] = (a.d[k] - q * b.d[k]) / b.v;
  return r;
}
// With a plain number on one side.
template <int K>
inline Dual<K> operator+(const Dual<K>& a, double b) {
  Dual<K> r = a;
  r.v = a.v + b;
  return r;
}
template <int K>
inline Dual<K> operator+(double a, const Dual<K>& b) {
  return b + a;
}
template <int K>
inline Dual<K> operator-(const Dual<K>& a, double b) {
  Dual<K> r = a;
  r.v = a.v - b;
  return r;
}
template <int K>
inline Dual<K> operator-(double a, const Dual<K>& b) {
  Dual<K> r(a - b.v);
  for (int k = 0; k < K; ++k) r.d[k] = -b.d[k];
  return r;
}
template <int K>
inline Dual<K> operator*(const Dual<K>& a, double b) {
  Dual<K> r(a.v * b);
  for (int k = 0; k < K; ++k) r.d[k] = a.d[k] * b;
  return r;
}
template <int K>
inline Dual<K> operator*(double a, const Dual<K>& b) {
  Dual<K> r(a * b.v);
  for (int k = 0; k < K; ++k) r.d[k] = a * b.d[k];
  return r;
}
template <int K>
inline Dual<K> operator/(const Dual<K>& a, double b) {
  Dual<K> r(a.v / b);
  for (int k = 0; k < K; ++k) r.d[k] = a.d[k] / b;
  return r;
}

namespace trig {

template <int K>
inline void sincos(const Dual<K>& x, Dual<K>& s, Dual<K>& c) {
  double sv, cv;
  sincos(x.v, sv, cv);
  s = Dual<K>(sv);
  c = Dual<K>(cv);
  for (int k = 0; k < K; ++k) {
    s.d[k] = cv * x.d[k];
    c.d[k] = -sv * x.d[k];
  }
}

template <int K>
inline Dual<K> cos(const Dual<K>& x) {
  double sv, cv;
  sincos(x.v, sv, cv);
  Dual<K> c(cv);
  for (int k = 0; k < K; ++k) c.d[k] = -sv * x.d[k];
  return c;
}

}  // namespace trig
