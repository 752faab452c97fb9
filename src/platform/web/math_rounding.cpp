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

extern "C" {

double sin(double x) { return static_cast<double>(sinl(static_cast<long double>(x))); }
double cos(double x) { return static_cast<double>(cosl(static_cast<long double>(x))); }
double atan2(double y, double x) {
  return static_cast<double>(atan2l(static_cast<long double>(y), static_cast<long double>(x)));
}
double acos(double x) { return static_cast<double>(acosl(static_cast<long double>(x))); }

}  // extern "C"
