// Sums and products of doubles kept exactly as a rounded result and its
// error, in double arithmetic alone (no fused multiply-add, which the build
// keeps from being formed: these rely on every operation being rounded).
#pragma once

namespace dd {

// v rounded to an integer, halves to even, for |v| < 2^51: adding 1.5 * 2^52
// leaves no bits below the units. (std::nearbyint is a library call on
// processors without a rounding instruction.)
inline double nearest_integer(double v) {
  constexpr double kShift = 0x1.8p52;
  return (v + kShift) - kShift;
}

// a + b = s + e exactly.
inline void two_sum(double a, double b, double& s, double& e) {
  s = a + b;
  const double bv = s - a;
  e = (a - (s - bv)) + (b - bv);
}

// The same, when |a| >= |b| (or a is 0).
inline void fast_two_sum(double a, double b, double& s, double& e) {
  s = a + b;
  e = b - (s - a);
}

// a = hi + lo with hi of 26 bits at most (Veltkamp's split).
inline void split(double a, double& hi, double& lo) {
  const double c = 134217729.0 * a;  // 2^27 + 1
  hi = c - (c - a);
  lo = a - hi;
}

// a * b = p + e exactly (Dekker's product; no overflow for |a|, |b| < 2^900).
inline void two_prod(double a, double b, double& p, double& e) {
  p = a * b;
  double ah, al, bh, bl;
  split(a, ah, al);
  split(b, bh, bl);
  e = ((ah * bh - p) + ah * bl + al * bh) + al * bl;
}

}  // namespace dd
