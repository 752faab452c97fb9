// sin, cos, atan2 and acos for the page, taking the place of the C library's
// own: computed in 128-bit long double and rounded once to double. The
// browser's C library rounds the last bit of these otherwise than the
// desktop's glibc in some percent of the arguments; rounded from four times
// the precision, the results agree with glibc's in all but about one in a
// thousand, so that the page's numbers (the motion files most) are the
// desktop's as nearly as a browser allows. The quad arithmetic is done in
// software: slower, but the dialogue's computations take a fraction of a
// second either way.
//
// Built with -fno-builtin: the compiler would otherwise turn each of these
// back into a call of the double function, that is, of itself.
#include <cmath>

namespace {

// A NaN as glibc gives it: the argument that was one, else one without a
// sign (the console prints "nan", where the quad arithmetic's would print
// "-nan" after an end point out of reach).
double as_glibc(double r, double x, double y = 0.0) {
  if (!std::isnan(r)) return r;
  if (std::isnan(x)) return x;
  if (std::isnan(y)) return y;
  return std::fabs(r);
}

}  // namespace

extern "C" {

double sin(double x) { return as_glibc(static_cast<double>(sinl(static_cast<long double>(x))), x); }
double cos(double x) { return as_glibc(static_cast<double>(cosl(static_cast<long double>(x))), x); }
double atan2(double y, double x) {
  return as_glibc(
      static_cast<double>(atan2l(static_cast<long double>(y), static_cast<long double>(x))), y, x);
}
double acos(double x) { return as_glibc(static_cast<double>(acosl(static_cast<long double>(x))), x); }

}  // extern "C"
