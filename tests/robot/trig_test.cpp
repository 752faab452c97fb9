// The numeric core's own sin, cos, atan2 and acos: the double nearest to the
// true value (checked against 300-bit values and against long double), the
// special values of the C library, and arguments of every size.
#include "robot/trig.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>

namespace {

// Arguments where C libraries round the last bit otherwise than the nearest
// double (found where glibc and the browser's library differ); the results
// are the nearest doubles to values computed with 300-bit arithmetic.
struct OneArgument {
  double x, want;
};
struct TwoArguments {
  double y, x, want;
};

constexpr OneArgument kSin[] = {
    {0x1.3677decfb7cffp+8, 0x1.0b5ddbbcac41bp-1},
    {-0x1.730ade75208f0p-1, -0x1.53684c0028757p-1},
    {0x1.02690b98b4ff8p+4, -0x1.b6a54f042d28fp-2},
    {0x1.6f97db4faa196p-4, 0x1.6f19967aeedebp-4},
    {0x1.add0e1733b856p-4, 0x1.ad070dfa15c0fp-4},
};
constexpr OneArgument kCos[] = {
    {0x1.1317ff3f05bd2p+8, 0x1.9faa37df8e0a5p-3},
    {-0x1.a3579a4368ed2p+3, 0x1.b7a73cd5bdcb3p-1},
    {-0x1.b19ac0672a6ddp+0, -0x1.f66bf5a88b84fp-4},
    {0x1.78da7704dacaap-4, 0x1.fdd5a1af3c267p-1},
    {0x1.e2248e7bd98b5p-3, 0x1.f1e087f294423p-1},
};
constexpr OneArgument kAcos[] = {
    {0x1.61da4dca2c62ep-1, 0x1.9d92cd0eb6579p-1},
    {0x1.abdfa75ce71dcp-1, 0x1.29ae2fc4f0a29p-1},
    {0x1.aa6149ebdddc2p-1, 0x1.2c639eba15f29p-1},
};
constexpr TwoArguments kAtan2[] = {
    {-0x1.2bb941ab89e34p-3, 0x1.90542b004c2eap+0, -0x1.7e37c9455bb1bp-4},
    {0x1.7700d4c201d50p-1, 0x1.04cdcb5d1bf60p+0, 0x1.3f2429ad207e3p-1},
    {0x1.3c639b0c81f94p-2, 0x1.842545dbb7f12p+1, 0x1.9fe94270b24fdp-4},
};

std::uint64_t bits(double v) {
  std::uint64_t u;
  std::memcpy(&u, &v, sizeof u);
  return u;
}

TEST(Trig, NearestDoubleWhereLibrariesDiffer) {
  for (const auto& c : kSin) EXPECT_EQ(bits(trig::sin(c.x)), bits(c.want)) << std::hexfloat << c.x;
  for (const auto& c : kCos) EXPECT_EQ(bits(trig::cos(c.x)), bits(c.want)) << std::hexfloat << c.x;
  for (const auto& c : kAcos) EXPECT_EQ(bits(trig::acos(c.x)), bits(c.want)) << std::hexfloat << c.x;
  for (const auto& c : kAtan2)
    EXPECT_EQ(bits(trig::atan2(c.y, c.x)), bits(c.want)) << std::hexfloat << c.y << " " << c.x;
}

// The error of got against a long double reference, in units of the last
// place of the double nearest to the reference.
double ulps(double got, long double ref) {
  const double nearest = static_cast<double>(ref);
  if (nearest == 0) return got == 0 ? 0.0 : std::numeric_limits<double>::infinity();
  const long double ulp = std::ldexp(1.0L, std::ilogb(nearest) - 52);
  return static_cast<double>(std::fabs(static_cast<long double>(got) - ref) / ulp);
}

// Long double carries 11 bits more than double: a result is the nearest
// double when its error is below half a unit by more than the reference's own.
constexpr double kNearest = 0.5 + 0x1p-9;

TEST(Trig, WithinHalfAUnitOverTheRangeOfJointAngles) {
  std::mt19937_64 gen(7);
  std::uniform_real_distribution<double> unit(-1.0, 1.0);
  double worst[4] = {0, 0, 0, 0};
  for (int i = 0; i < 200000; ++i) {
    const double scale = (i % 4 == 0) ? 1e-4 : (i % 4 == 1) ? 0.8 : (i % 4 == 2) ? 7.0 : 300.0;
    const double x = unit(gen) * scale;
    const double y = unit(gen) * ((i % 3 == 0) ? 5.0 : 1.0);
    const double c = (i % 5 == 0) ? std::copysign(1 - std::fabs(unit(gen)) * 1e-6, unit(gen)) : unit(gen);
    const double e[4] = {ulps(trig::sin(x), std::sin(static_cast<long double>(x))),
                         ulps(trig::cos(x), std::cos(static_cast<long double>(x))),
                         ulps(trig::atan2(y, x), std::atan2(static_cast<long double>(y), static_cast<long double>(x))),
                         ulps(trig::acos(c), std::acos(static_cast<long double>(c)))};
    for (int k = 0; k < 4; ++k) worst[k] = std::fmax(worst[k], e[k]);
  }
  EXPECT_LT(worst[0], kNearest) << "sin";
  EXPECT_LT(worst[1], kNearest) << "cos";
  EXPECT_LT(worst[2], kNearest) << "atan2";
  EXPECT_LT(worst[3], kNearest) << "acos";
}

TEST(Trig, SincosIsSinAndCos) {
  for (const double x : {0.0, 1e-9, 0.3, -0.8, 2.0, 3.14159, -7.5, 123.456, 1e6, 1e300}) {
    double s, c;
    trig::sincos(x, s, c);
    EXPECT_EQ(bits(s), bits(trig::sin(x))) << x;
    EXPECT_EQ(bits(c), bits(trig::cos(x))) << x;
  }
}

TEST(Trig, SpecialValuesAsTheCLibrary) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  // Zeros keep their sign; tiny angles give themselves and 1.
  EXPECT_EQ(bits(trig::sin(-0.0)), bits(-0.0));
  EXPECT_EQ(bits(trig::sin(1e-300)), bits(1e-300));
  EXPECT_EQ(trig::cos(-0.0), 1.0);
  EXPECT_EQ(trig::cos(1e-10), 1.0);
  // Not numbers in, not numbers out; infinities give a NaN.
  for (const double v : {nan, inf, -inf}) {
    EXPECT_TRUE(std::isnan(trig::sin(v))) << v;
    EXPECT_TRUE(std::isnan(trig::cos(v))) << v;
  }
  EXPECT_TRUE(std::isnan(trig::atan2(nan, 1.0)));
  EXPECT_TRUE(std::isnan(trig::atan2(1.0, nan)));
  EXPECT_TRUE(std::isnan(trig::acos(nan)));
  EXPECT_TRUE(std::isnan(trig::acos(1.0000000000000002)));
  EXPECT_TRUE(std::isnan(trig::acos(-2.0)));
  EXPECT_EQ(bits(trig::acos(1.0)), bits(0.0));
  EXPECT_EQ(trig::acos(-1.0), std::acos(-1.0));
  EXPECT_EQ(trig::acos(0.0), std::acos(0.0));
  // The exactly defined cases of atan2: signed zeros and infinities.
  const double edge[] = {0.0, -0.0, 1.0, -1.0, 1e-310, -1e300, inf, -inf};
  for (const double y : edge)
    for (const double x : edge)
      EXPECT_EQ(bits(trig::atan2(y, x)), bits(std::atan2(y, x))) << y << " " << x;
}

TEST(Trig, LargeArgumentsStayInRange) {
  // Beyond 2^15 the angle is taken modulo the double nearest to 2 pi: not
  // the true sine, but a number in [-1, 1], and sin^2 + cos^2 = 1.
  for (const double x : {0x1p15, -0x1p15 - 3, 1e10, -3.7e150, 1.7e308}) {
    double s, c;
    trig::sincos(x, s, c);
    EXPECT_LE(std::fabs(s), 1.0) << x;
    EXPECT_LE(std::fabs(c), 1.0) << x;
    EXPECT_NEAR(s * s + c * c, 1.0, 1e-15) << x;
  }
  // Just below the limit the reduction is exact: sin(n pi) is tiny.
  const double n_pi = 10430 * 3.14159265358979323846;
  EXPECT_NEAR(trig::sin(n_pi), static_cast<double>(std::sin(static_cast<long double>(n_pi))), 1e-16);
  // atan2 of coordinates near the ends of the double range.
  EXPECT_EQ(trig::atan2(1e300, 1e300), std::atan2(1.0, 1.0));
  EXPECT_EQ(trig::atan2(-3e-310, -3e-310), std::atan2(-1.0, -1.0));
  EXPECT_EQ(trig::atan2(1e-300, 1e300), 0.0);  // 1e-600 is below the doubles
}

}  // namespace
