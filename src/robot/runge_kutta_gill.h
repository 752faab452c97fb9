// Fourth-order Runge-Kutta step in Gill's form, for any small fixed-size state.
#pragma once

// Gill's coefficients, with exactly these decimal values.
constexpr double kGillA = 0.292893219;  // 1 - 1/sqrt(2)
constexpr double kGillB = 1.70710678;   // 1 + 1/sqrt(2)
constexpr double kGillC = 0.16666667;   // 1/6

// Advances y (N components) from time t by one step h into ynew; ynew may be y
// itself. T is double, or Dual<K> (robot/dual.h) for the exact derivatives of
// the step. deriv(t, z, f) fills f[0..N-1] with the time derivative of every
// component at the state z: one call per stage, each stage evaluated at the
// complete state of the previous stage. The Gill accumulator q starts at zero
// in every call.
template <int N, class Deriv, class T>
inline void runge_kutta_gill(const Deriv& deriv, const T& t, const T& h, const T (&y)[N],
                             T (&ynew)[N]) {
  static_assert(N >= 1 && N <= 10, "state vectors hold 1 to 10 components");
  T f[N], q[N], y1[N], y2[N], y3[N];

  deriv(t, y, f);
  for (int i = 0; i < N; ++i) {
    const T k1 = h * f[i];
    const T r = 0.5 * k1;
    y1[i] = y[i] + r;
    q[i] = 3 * r - 0.5 * k1;
  }

  deriv(t + 0.5 * h, y1, f);
  for (int i = 0; i < N; ++i) {
    const T k2 = h * f[i];
    const T r = kGillA * (k2 - q[i]);
    y2[i] = y1[i] + r;
    q[i] = q[i] + 3 * r - kGillA * k2;
  }

  deriv(t + 0.5 * h, y2, f);
  for (int i = 0; i < N; ++i) {
    const T k3 = h * f[i];
    const T r = kGillB * (k3 - q[i]);
    y3[i] = y2[i] + r;
    q[i] = q[i] + 3 * r - kGillB * k3;
  }

  deriv(t + h, y3, f);
  for (int i = 0; i < N; ++i) {
    const T k4 = h * f[i];
    const T r = kGillC * (k4 - 2 * q[i]);
    ynew[i] = y3[i] + r;
  }
}

// `steps` steps of h from time t, in place; the time is carried on by repeated
// addition (t, t + h, (t + h) + h, ...).
template <int N, class Deriv, class T>
inline void runge_kutta_gill_steps(const Deriv& deriv, const T& t, const T& h, int steps,
                                   T (&y)[N]) {
  T ts = t;
  for (int step = 0; step < steps; ++step) {
    runge_kutta_gill(deriv, ts, h, y, y);
    ts = ts + h;
  }
}
