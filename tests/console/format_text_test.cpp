// The console's printf formatting: vsnprintf's text for every conversion the
// program's texts may hold, with NaNs printed without a sign.
#include "console/format_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdarg>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>

namespace {

std::string formatted(const char* fmt, ...) {
  va_list ap;
  va_start(ap, fmt);
  std::string s = format_text(fmt, ap);
  va_end(ap);
  return s;
}

std::string by_snprintf(const char* fmt, ...) {
  va_list ap;
  va_start(ap, fmt);
  char buf[1024];
  const int n = std::vsnprintf(buf, sizeof buf, fmt, ap);
  va_end(ap);
  return n < 0 ? std::string("<error>") : std::string(buf, static_cast<std::size_t>(n));
}

// The same format and arguments through both.
#define EXPECT_AS_SNPRINTF(...) EXPECT_EQ(formatted(__VA_ARGS__), by_snprintf(__VA_ARGS__))

double negative_nan() { return -std::numeric_limits<double>::quiet_NaN(); }

TEST(FormatText, EveryConversionAsVsnprintf) {
  EXPECT_AS_SNPRINTF("plain text, no conversion");
  EXPECT_AS_SNPRINTF("");
  EXPECT_AS_SNPRINTF("100%% done, %d%%", 42);
  EXPECT_AS_SNPRINTF("(%7.4f %6.3f %5.2f %.10g %e %E %G %a)", 2.56514, -0.5, 1e308, 1.0 / 3, 6.02e23,
                     -1.5e-300, 1e-5, 0.1);
  EXPECT_AS_SNPRINTF("[%+d|% d|%-5d|%05d|%x|%#X|%o|%u]", 7, 7, -7, -7, 255u, 255u, 8u, 4000000000u);
  EXPECT_AS_SNPRINTF("[%ld %lu %lld %llu %zu %zd %jd %td %hd %hhu]", -5L, 5UL, -6LL, 6ULL,
                     std::size_t{9}, std::ptrdiff_t{-9}, std::intmax_t{-1}, std::ptrdiff_t{3}, 70000,
                     300);
  EXPECT_AS_SNPRINTF("%s|%10s|%-10s|%.2s|%c%c", "力", "right", "left", "cut", 'o', 'k');
  EXPECT_AS_SNPRINTF("%Lf %Lg", 1.25L, -2.5e-3L);
}

TEST(FormatText, StarWidthsAndPrecisionsTakeTheirArguments) {
  EXPECT_AS_SNPRINTF("[%*d|%-*d|%*d]", 6, 42, 6, 42, -6, 42);  // a negative width left-aligns
  EXPECT_AS_SNPRINTF("[%.*f|%*.*f|%.*f]", 2, 3.14159, 9, 3, 2.5, -1, 2.5);  // a negative precision is none
  EXPECT_AS_SNPRINTF("[%.*s] then %d", 3, "abcdef", 5);
}

TEST(FormatText, LongOutputIsWhole) {
  const std::string big(3000, 'x');
  EXPECT_EQ(formatted("[%s]%d", big.c_str(), 7), "[" + big + "]7");
  EXPECT_EQ(formatted("%400.1f|", 1.0), std::string(397, ' ') + "1.0|");
}

TEST(FormatText, ANanHasNoSignWhateverItsSignBit) {
  ASSERT_TRUE(std::signbit(negative_nan()));
  EXPECT_EQ(formatted("(%7.4f %7.4f)", negative_nan(), std::nan("")), "(    nan     nan)");
  EXPECT_EQ(formatted("%.10g|%g|%e|%5.2F", negative_nan(), negative_nan(), negative_nan(), negative_nan()),
            "nan|nan|nan|  NAN");
  EXPECT_EQ(formatted("%Lf", -static_cast<long double>(std::nan(""))), "nan");
  // Infinities and zeros keep their signs.
  EXPECT_EQ(formatted("%6.3f|%5.2f|%.1f", -INFINITY, INFINITY, -0.0), "  -inf|  inf|-0.0");
}

TEST(FormatText, AFormatCutShortEndsTheText) {
  EXPECT_EQ(formatted("value %"), "value ");
  EXPECT_EQ(formatted("value %5."), "value ");
  EXPECT_EQ(formatted("%q|"), "%q|") << "not a conversion: as it stands";
}

}  // namespace
