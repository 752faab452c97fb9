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
constexpr int kMiddleDotAdvance = 651;

}  // namespace

bool in_font_table(char32_t c) { return (c >= 0x20 && c <= 0x7E) || c == kMiddleDot; }

int advance_units(char32_t c) {
  if (c >= 0x20 && c <= 0x7E) return kAsciiAdvance[c - 0x20];
  if (c == kMiddleDot) return kMiddleDotAdvance;
  return 0;
}

char32_t next_char(std::string_view text, std::size_t& at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char b0 = byte(at);
  // Two-byte sequences are all the window writes beyond ASCII.
  if ((b0 & 0xE0) == 0xC0 && at + 1 < text.size() && (byte(at + 1) & 0xC0) == 0x80) {
    const char32_t c = (static_cast<char32_t>(b0 & 0x1F) << 6) | (byte(at + 1) & 0x3F);
    at += 2;
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
