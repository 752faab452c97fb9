// sin and cos: x = n pi/2 + r with |r| <= pi/4, r = a + t with a = j/64 from
// the tables and |t| <= 1/128, then the addition theorems with short series
// for sin t and cos t. The main terms are summed exactly (as double-double
// pairs); the small ones in plain double, where their rounding is far below
// the last bit of the result.
#include "robot/trig.h"

#include <cmath>
#include <limits>

#include "robot/double_double.h"
#include "robot/trig_tables.h"

namespace trig {
namespace {

using trig_tables::Pair;
namespace t = trig_tables;

// Below these, sin x rounds to x and cos x to 1.
constexpr double kSinIsX = 0x1p-26;
constexpr double kCosIsOne = 0x1p-27;
// The double below pi / 4: no reduction needed up to it.
constexpr double kPio4 = 0x1.921fb54442d18p-1;
// n pi/2 is subtracted exactly from arguments below this.
constexpr double kReduceLimit = 0x1p19;

// x = quadrant pi/2 + hi + lo, |hi + lo| <= pi/4 (a little more by rounding).
struct Reduced {
  double hi;
  double lo;
  int quadrant;
};

Reduced reduce(double x) {
  if (std::fabs(x) <= kPio4) return {x, 0.0, 0};
  if (!(std::fabs(x) < kReduceLimit)) x = std::remainder(x, t::kTwoPi);  // exact
  const double n = dd::nearest_integer(x * t::kTwoOverPi);
  // Exact: n P1 and n P2 have at most 52 bits, and x - n P1 cancels.
  const double r1 = x - n * t::kPio2Part1;
  double h, l;
  dd::two_sum(r1, -(n * t::kPio2Part2), h, l);
  l -= n * t::kPio2Part3;
  Reduced r;
  dd::fast_two_sum(h, l, r.hi, r.lo);
  r.quadrant = static_cast<int>(n) & 3;  // |n| < 2^19; & 3 is n mod 4 for negative n too
  return r;
}

// r = a + th + tl with a = j/64 and |th| <= 1/128, and sin a, cos a.
struct Split {
  Pair sin_a;
  Pair cos_a;
  double th;
  double tl;
  double sin_t_minus_t;  // of th
  double cos_t_minus_1;  // of th, less th tl for the low part
};

Split split_at_table(double rh, double rl) {
  const double j = dd::nearest_integer(rh * t::kSteps);
  const int k = static_cast<int>(std::fabs(j));  // 0..51
  const double sign = j < 0 ? -1.0 : 1.0;
  Split s;
  s.sin_a = {sign * t::kSin[k].hi, sign * t::kSin[k].lo};
  s.cos_a = t::kCos[k];
  s.th = rh - j / t::kSteps;  // exact: both lie within 2^-7 of each other on a 2^-53 grid
  s.tl = rl;
  const double t2 = s.th * s.th;
  s.sin_t_minus_t = s.th * t2 * (-1.0 / 6 + t2 * (1.0 / 120 + t2 * (-1.0 / 5040)));
  s.cos_t_minus_1 =
      t2 * (-0.5 + t2 * (1.0 / 24 + t2 * (-1.0 / 720 + t2 * (1.0 / 40320)))) - s.th * s.tl;
  return s;
}

// sin(a + t) = sin a cos t + cos a sin t
double sin_of(const Split& s) {
  double ph, pl, sh, sl;
  dd::two_prod(s.cos_a.hi, s.th, ph, pl);
  dd::two_sum(s.sin_a.hi, ph, sh, sl);
  const double tail = sl + pl + s.sin_a.lo + s.cos_a.hi * s.tl + s.cos_a.lo * s.th +
                      s.cos_a.hi * s.sin_t_minus_t + s.sin_a.hi * s.cos_t_minus_1;
  return sh + tail;
}

// cos(a + t) = cos a cos t - sin a sin t
double cos_of(const Split& s) {
  double ph, pl, sh, sl;
  dd::two_prod(s.sin_a.hi, s.th, ph, pl);
  dd::two_sum(s.cos_a.hi, -ph, sh, sl);
  const double tail = sl - pl + s.cos_a.lo - s.sin_a.hi * s.tl - s.sin_a.lo * s.th -
                      s.sin_a.hi * s.sin_t_minus_t + s.cos_a.hi * s.cos_t_minus_1;
  return sh + tail;
}

// A NaN stays itself; an infinity gives a NaN of one sign everywhere.
double not_finite(double x) {
  return std::isnan(x) ? x : std::numeric_limits<double>::quiet_NaN();
}

}  // namespace

double sin(double x) {
  double s, c;
  sincos(x, s, c);
  return s;
}

double cos(double x) {
  double s, c;
  sincos(x, s, c);
  return c;
}

// Both from one reduction: the numeric core mostly needs the pair.
void sincos(double x, double& s, double& c) {
  if (!std::isfinite(x)) {
    s = c = not_finite(x);
    return;
  }
  if (std::fabs(x) < kCosIsOne) {
    s = x;
    c = 1.0;
    return;
  }
  const Reduced r = reduce(x);
  const Split parts = split_at_table(r.hi, r.lo);
  const double sr = std::fabs(x) < kSinIsX ? x : sin_of(parts);
  const double cr = cos_of(parts);
  switch (r.quadrant) {
    case 0: s = sr, c = cr; break;
    case 1: s = cr, c = -sr; break;
    case 2: s = -sr, c = -cr; break;
    default: s = -cr, c = sr; break;
  }
}

}  // namespace trig
