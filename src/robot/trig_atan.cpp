// atan2 and acos: atan z for 0 <= z <= 1 as atan b + atan((z - b) / (1 + z b))
// with b = j/64 from the table and a short series for the second term; the
// octant is then added as pi/2 - v or pi - v. Values are carried as
// double-double pairs up to the last rounding.
#include <cmath>
#include <limits>

#include "robot/double_double.h"
#include "robot/trig.h"
#include "robot/trig_tables.h"

namespace trig {
namespace {

using trig_tables::Pair;
namespace t = trig_tables;

// Below this, atan z rounds to z.
constexpr double kAtanIsZ = 0x1p-30;

// (a.hi + a.lo) / (b.hi + b.lo), b.hi > 0.
Pair divide(Pair a, Pair b) {
  const double q = a.hi / b.hi;
  double ph, pl;
  dd::two_prod(q, b.hi, ph, pl);
  return {q, ((a.hi - ph) - pl + a.lo - q * b.lo) / b.hi};  // a.hi - ph cancels exactly
}

// (a.hi + a.lo) - (b.hi + b.lo)
Pair subtract(Pair a, Pair b) {
  double h, l;
  dd::two_sum(a.hi, -b.hi, h, l);
  Pair r;
  dd::fast_two_sum(h, l + (a.lo - b.lo), r.hi, r.lo);
  return r;
}

// atan z for 0 <= z <= 1.
Pair atan_unit(Pair z) {
  if (z.hi < kAtanIsZ) return z;
  const double j = dd::nearest_integer(z.hi * t::kAtanSteps);
  const double b = j / t::kAtanSteps;
  // u = (z - b) / (1 + z b); z.hi - b is exact, both lying within 2^-7 on a 2^-53 grid.
  double ph, pl, dh, dl;
  dd::two_prod(z.hi, b, ph, pl);
  dd::two_sum(1.0, ph, dh, dl);
  const Pair u = divide({z.hi - b, z.lo}, {dh, dl + pl + z.lo * b});
  const double u2 = u.hi * u.hi;
  const double series = u.hi * u2 * (-1.0 / 3 + u2 * (1.0 / 5 + u2 * (-1.0 / 7 + u2 * (1.0 / 9))));
  const Pair& atan_b = t::kAtan[static_cast<int>(j)];
  double sh, sl;
  dd::two_sum(atan_b.hi, u.hi, sh, sl);
  Pair r;
  dd::fast_two_sum(sh, sl + atan_b.lo + u.lo + series, r.hi, r.lo);
  return r;
}

// The angle of the point (x, y) with y = num > 0 given as a pair, x a double.
double angle(Pair num, double x) {
  const double ax = std::fabs(x);
  const bool steep = num.hi > ax;
  Pair v = atan_unit(steep ? divide({ax, 0.0}, num) : divide(num, {ax, 0.0}));
  if (steep) v = subtract(t::kPio2, v);
  if (x < 0) v = subtract(t::kPi, v);
  return v.hi + v.lo;
}

// Both infinite, or one of them: the limits of the angle.
double atan2_not_finite(double y, double x) {
  if (std::isinf(x)) {
    if (std::isinf(y)) return std::copysign(x > 0 ? t::kPio2.hi / 2 : t::kThreePio4, y);
    return std::copysign(x > 0 ? 0.0 : t::kPi.hi, y);
  }
  return std::copysign(t::kPio2.hi, y);
}

// The powers of two that bring both coordinates into the range where
// products of the pairs neither overflow nor underflow.
constexpr double kLarge = 0x1p900;
constexpr double kSmall = 0x1p-900;
constexpr double kScaleDown = 0x1p-600;
constexpr double kScaleUp = 0x1p600;

}  // namespace

double atan2(double y, double x) {
  if (std::isnan(x) || std::isnan(y)) return x + y;
  if (y == 0) return std::signbit(x) ? std::copysign(t::kPi.hi, y) : y;
  if (x == 0) return std::copysign(t::kPio2.hi, y);
  if (std::isinf(x) || std::isinf(y)) return atan2_not_finite(y, x);
  double ay = std::fabs(y);
  const double larger = std::fmax(ay, std::fabs(x));
  const double scale = larger > kLarge ? kScaleDown : larger < kSmall ? kScaleUp : 1.0;
  ay *= scale;
  const double a = angle({ay, 0.0}, x * scale);
  return y < 0 ? -a : a;
}

// acos x = the angle of (x, sqrt(1 - x^2)), with 1 - x^2 = (1 - x)(1 + x)
// and its root as pairs.
double acos(double x) {
  if (std::isnan(x)) return x;
  if (std::fabs(x) > 1) return std::numeric_limits<double>::quiet_NaN();
  if (x == 1) return 0.0;
  if (x == -1) return t::kPi.hi;
  double a, al, b, bl, wh, wl;
  dd::two_sum(1.0, -x, a, al);
  dd::two_sum(1.0, x, b, bl);
  dd::two_prod(a, b, wh, wl);
  wl += a * bl + al * b;
  const double root = std::sqrt(wh);
  double qh, ql;
  dd::two_prod(root, root, qh, ql);
  const double root_lo = ((wh - qh) - ql + wl) / (2 * root);
  return angle({root, root_lo}, x);
}

}  // namespace trig
