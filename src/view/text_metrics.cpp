#include "view/text_metrics.h"

#include <algorithm>
#include <cmath>

namespace {

// DejaVu Sans 2.37 advance widths of ' ' .. '~' in font units.
constexpr int kAsciiAdvance[95] = {
    651,  821,  942,  1716, 1303, 1946, 1597, 563,  799,  799,  1024, 1716, 651,  739,  651,  690,
    1303, 1303, 1303, 1303, 1303, 1303, 1303, 1303, 1303, 1303, 690,  690,  1716, 1716, 1716, 1087,
    2048, 1401, 1405, 1430, 1577, 1294, 1178, 1587, 1540, 604,  604,  1343, 1141, 1767, 1532, 1612,
    1235, 1612, 1423, 1300, 1251, 1499, 1401, 2025, 1403, 1251, 1403, 799,  690,  799,  1716, 1024,
    1024, 1255, 1300, 1126, 1300, 1260, 721,  1300, 1298, 569,  569,  1186, 569,  1995, 1298, 1253,
    1300, 1300, 842,  1067, 803,  1298, 1212, 1675, 1212, 1212, 1075, 1303, 690,  1303, 1716};
// The characters after '~', and their advances in font units.
constexpr char32_t kExtraChar[] = {kMiddleDot, kSmallSigma, kSmallTau, kMinusSign};
constexpr int kExtraAdvance[] = {651, 1298, 1233, 1716};
constexpr int kExtras = static_cast<int>(sizeof kExtraChar / sizeof kExtraChar[0]);
static_assert(kFontTableSize == 95 + kExtras);
static_assert(sizeof kExtraAdvance / sizeof kExtraAdvance[0] == kExtras);

}  // namespace

int font_table_index(char32_t c) {
  if (c >= 0x20 && c <= 0x7E) return static_cast<int>(c - 0x20);
  for (int k = 0; k < kExtras; ++k)
    if (kExtraChar[k] == c) return 95 + k;
  return -1;
}

char32_t font_table_char(int i) {
  return i < 95 ? static_cast<char32_t>(0x20 + i) : kExtraChar[i - 95];
}

bool in_font_table(char32_t c) { return font_table_index(c) >= 0; }

int advance_units(char32_t c) {
  const int i = font_table_index(c);
  return i < 0 ? 0 : i < 95 ? kAsciiAdvance[i] : kExtraAdvance[i - 95];
}

char32_t next_char(std::string_view text, std::size_t& at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const auto follows = [&](std::size_t n) {  // n continuation bytes after `at`
    for (std::size_t k = 1; k <= n; ++k)
      if (at + k >= text.size() || (byte(at + k) & 0xC0) != 0x80) return false;
    return true;
  };
  const unsigned char b0 = byte(at);
  if ((b0 & 0xE0) == 0xC0 && follows(1)) {
    const char32_t c = (static_cast<char32_t>(b0 & 0x1F) << 6) | (byte(at + 1) & 0x3F);
    at += 2;
    return c;
  }
  if ((b0 & 0xF0) == 0xE0 && follows(2)) {
    const char32_t c = (static_cast<char32_t>(b0 & 0x0F) << 12) |
                       (static_cast<char32_t>(byte(at + 1) & 0x3F) << 6) | (byte(at + 2) & 0x3F);
    at += 3;
    return c;
  }
  ++at;
  return b0;
}

int text_pixels(double size, int side) {
  const double px = std::round(size * side / 2.0);
  return std::isfinite(px) ? std::max(6, static_cast<int>(std::min(px, 1000.0))) : 6;
}

double text_width(std::string_view text, double size) {
  long units = 0;
  for (std::size_t at = 0; at < text.size();) units += advance_units(next_char(text, at));
  return static_cast<double>(units) * size / kFontUnitsPerEm;
}

DrawingRect text_box(const ScaledText& t, int side) {
  const double size = side > 0 ? text_pixels(t.size, side) * 2.0 / side : t.size;
  const double w = text_width(t.text, size);
  const double x0 = t.align == TextAlign::Left    ? t.x
                    : t.align == TextAlign::Right ? t.x - w
                                                  : t.x - w / 2.0;
  return DrawingRect{x0, t.y - size * kFontDescent / kFontUnitsPerEm, x0 + w,
                     t.y + size * kFontAscent / kFontUnitsPerEm};
}

namespace {

// GLUT's advances of ' ' .. '~' in pixels (glutBitmapWidth), and of '\n'.
constexpr unsigned char kHelvetica12Advance[95] = {
    4,  3,  5,  7,  7, 11,  9,  3,  4,  4,  5,  7,  4,  8,  3,  4,
    7,  7,  7,  7,  7,  7,  7,  7,  7,  7,  3,  3,  7,  7,  7,  7,
    12, 9,  8,  9,  9,  8,  8,  9,  9,  3,  7,  8,  7, 11,  9, 10,
    8, 10,  8,  8,  7,  8,  9, 11,  9,  9,  9,  3,  4,  3,  6,  7,
    3,  7,  7,  7,  7,  7,  3,  7,  7,  3,  3,  6,  3,  9,  7,  7,
    7,  7,  4,  6,  3,  7,  7,  9,  6,  7,  6,  4,  3,  4,  7};
constexpr unsigned char kHelvetica18Advance[95] = {
    5,  6,  5, 10, 10, 16, 13,  4,  6,  6,  7, 10,  5, 11,  5,  5,
    10, 10, 10, 10, 10, 10, 10, 10, 10, 10,  5,  5, 10, 11, 10, 10,
    18, 12, 13, 14, 13, 11, 11, 14, 13,  6, 10, 13, 10, 16, 13, 15,
    12, 15, 12, 13, 12, 13, 14, 18, 13, 14, 12,  5,  5,  5,  9, 10,
    4,  9, 11, 10, 11, 10,  6, 11, 10,  4,  4,  9,  4, 14, 10, 11,
    11, 11,  6,  9,  6, 10, 10, 14, 10, 10,  9,  6,  4,  6, 10};
constexpr int kHelvetica12NewLine = 4;
constexpr int kHelvetica18NewLine = 5;

bool small_font(TextFont font) { return font == TextFont::Helvetica12; }

}  // namespace

int bitmap_advance(TextFont font, char c) {
  const int code = static_cast<unsigned char>(c);
  if (code == '\n') return small_font(font) ? kHelvetica12NewLine : kHelvetica18NewLine;
  if (code < 0x20 || code > 0x7E) return 0;
  return small_font(font) ? kHelvetica12Advance[code - 0x20] : kHelvetica18Advance[code - 0x20];
}

int bitmap_width(TextFont font, std::string_view text) {
  int w = 0;
  for (char c : text) w += bitmap_advance(font, c);
  return w;
}

int bitmap_ascent(TextFont font) { return small_font(font) ? 9 : 14; }
int bitmap_descent(TextFont font) { return small_font(font) ? 3 : 4; }

int raster_pixel(double v, int side) {
  const double p = std::floor((v + 1.0) * 0.5 * side);
  // Far outside the square (or not a number): kept well inside int range.
  if (!(p > -1e6)) return -1000000;
  if (p > 1e6) return 1000000;
  return static_cast<int>(p);
}

double pixel_centre(int px, int side) { return (px + 0.5) * 2.0 / side - 1.0; }

DrawingRect label_box(const Label& t, int side) {
  const int x = raster_pixel(t.x, side);
  const int y = raster_pixel(t.y, side);
  const auto at = [side](int px) { return px * 2.0 / side - 1.0; };
  return DrawingRect{at(x), at(y - bitmap_descent(t.font)), at(x + bitmap_width(t.font, t.text)),
                     at(y + bitmap_ascent(t.font))};
}
