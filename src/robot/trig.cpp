// sin and cos: x = k pi/256 + t, |t| <= pi/512, with sin and cos of k pi/256
// from a table of the whole circle, then the addition theorems with short
// series for sin t and cos t. t is found to about 2^-98 (pi/256 in three
// parts), so that results near the zeros of sin and cos, where the table gives
// exactly 0 and 1, keep their relative precision. The main terms are summed
// exactly; the small ones in plain double, where their rounding lies far below
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
// Below this, k stays under 2^22 and k pi/256 is subtracted exactly.
constexpr double kReduceLimit = 0x1p15;

// x = k pi/256 + th + tl, with sin and cos of k pi/256, and th split as
// t1 + t2 with t1 of 26 bits at most, so that t1 times the upper half of a
// table value is exact.
struct Reduced {
  Pair sin_a;
  Pair cos_a;
  double th;
  double tl;
  double t1;
  double t2;
  double sin_t_minus_t;  // of th
  double cos_t_minus_1;  // of th, less th tl for the low part
};

inline Reduced reduce(double x) {
  if (!(std::fabs(x) < kReduceLimit)) x = std::remainder(x, t::kTwoPi);  // exact
  const double k = dd::nearest_integer(x * t::kStepsPerRadian);
  // Exact: k P1 and k P2 have at most 53 bits, and x - k P1 cancels.
  const double r1 = x - k * t::kStepPart1;
  double h, l;
  dd::two_sum(r1, -(k * t::kStepPart2), h, l);
  l -= k * t::kStepPart3;
  Reduced r;
  dd::fast_two_sum(h, l, r.th, r.tl);
  const int index = static_cast<int>(k) & (t::kCircle - 1);  // k mod 512, negative k too
  r.sin_a = t::kSin[index];
  r.cos_a = t::kSin[(index + t::kCircle / 4) & (t::kCircle - 1)];
  constexpr double kShift = 0x1.8p19;  // rounds to a multiple of 2^-33
  r.t1 = (r.th + kShift) - kShift;
  r.t2 = r.th - r.t1;  // exact
  // The series in pairs of terms (shorter chains of dependent operations).
  const double t2 = r.th * r.th;
  const double t4 = t2 * t2;
  r.sin_t_minus_t = (r.th * t2) * ((-1.0 / 6 + t2 * (1.0 / 120)) + t4 * (-1.0 / 5040));
  r.cos_t_minus_1 = t2 * ((-0.5 + t2 * (1.0 / 24)) + t4 * (-1.0 / 720 + t2 * (1.0 / 40320))) -
                    r.th * r.tl;
  return r;
}

// c th = p + rest with p exact (26 bits by 26) and rest far below it.
inline double product_rest(double c, const Reduced& r, double& p) {
  double top, low;
  dd::split(c, top, low);
  p = top * r.t1;
  return low * r.t1 + c * r.t2;
}

// sin(a + t) = sin a cos t + cos a sin t. |sin a| >= |p| but where sin a is 0.
inline double sin_of(const Reduced& r) {
  double p, sh, sl;
  const double rest = product_rest(r.cos_a.hi, r, p);
  dd::fast_two_sum(r.sin_a.hi, p, sh, sl);
  const double tail = ((sl + rest) + (r.sin_a.lo + r.cos_a.hi * r.tl + r.cos_a.lo * r.th)) +
                      (r.cos_a.hi * r.sin_t_minus_t + r.sin_a.hi * r.cos_t_minus_1);
  return sh + tail;
}

// cos(a + t) = cos a cos t - sin a sin t. |cos a| >= |p| but where cos a is 0.
inline double cos_of(const Reduced& r) {
  double p, ch, cl;
  const double rest = product_rest(r.sin_a.hi, r, p);
  dd::fast_two_sum(r.cos_a.hi, -p, ch, cl);
  const double tail = ((cl - rest) + (r.cos_a.lo - r.sin_a.hi * r.tl - r.sin_a.lo * r.th)) +
                      (r.cos_a.hi * r.cos_t_minus_1 - r.sin_a.hi * r.sin_t_minus_t);
  return ch + tail;
}

// A NaN stays itself; an infinity gives a NaN of one sign everywhere.
double not_finite(double x) {
  return std::isnan(x) ? x : std::numeric_limits<double>::quiet_NaN();
}

}  // namespace

double sin(double x) {
  if (!std::isfinite(x)) return not_finite(x);
  if (std::fabs(x) < kSinIsX) return x;
  return sin_of(reduce(x));
}

double cos(double x) {
  if (!std::isfinite(x)) return not_finite(x);
  if (std::fabs(x) < kCosIsOne) return 1.0;
  return cos_of(reduce(x));
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
  s = std::fabs(x) < kSinIsX ? x : sin_of(r);
  c = cos_of(r);
}

}  // namespace trig
