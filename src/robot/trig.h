// sin, cos, atan2 and acos of the numeric core, computed in double arithmetic
// alone, so that they give the same bits wherever the program runs: the C
// libraries of the desktop and of the browser each round the last bit of
// their own in about one result in a thousand, and a motion computed with
// one of them differs from the other's in its last printed digits.
//
// Each result is the double nearest to the true value but in rare cases
// (errors below about 2^-65 of the result before the last rounding). Angles
// beyond 2^15 rad are taken modulo the double nearest to 2 pi: the same bits
// everywhere, but not the sine of the number given.
#pragma once

namespace trig {

double sin(double x);
double cos(double x);
double atan2(double y, double x);
double acos(double x);

// sin x and cos x together, for a little less than the two apart.
void sincos(double x, double& s, double& c);

}  // namespace trig
