// The table of advance widths the lesson view lays its texts out with is the
// font's own, and a text's box follows from it at every window size.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "view/text_metrics.h"

#define STB_TRUETYPE_IMPLEMENTATION
#define STBTT_STATIC
#include <stb/stb_truetype.h>

namespace {

TEST(TextMetrics, TheTableIsTheInstalledFontsOwn) {
  std::FILE* f = std::fopen(kLessonFontPath, "rb");
  ASSERT_NE(f, nullptr) << kLessonFontPath;
  std::vector<unsigned char> bytes(1 << 22);
  bytes.resize(std::fread(bytes.data(), 1, bytes.size(), f));
  std::fclose(f);
  stbtt_fontinfo info;
  ASSERT_NE(stbtt_InitFont(&info, bytes.data(), 0), 0);
  int ascent = 0, descent = 0, gap = 0;
  stbtt_GetFontVMetrics(&info, &ascent, &descent, &gap);
  EXPECT_EQ(ascent, kFontAscent);
  EXPECT_EQ(-descent, kFontDescent);
  EXPECT_FLOAT_EQ(stbtt_ScaleForMappingEmToPixels(&info, 1.0f), 1.0f / kFontUnitsPerEm);
  // Latin-1, Greek and the mathematical operators, where the table's
  // characters beyond ASCII lie.
  int in_table = 0;
  for (char32_t c = 0; c < 0x2300; ++c) {
    if (!in_font_table(c)) {
      EXPECT_EQ(advance_units(c), 0) << static_cast<int>(c);
      EXPECT_EQ(font_table_index(c), -1) << static_cast<int>(c);
      continue;
    }
    ++in_table;
    EXPECT_NE(stbtt_FindGlyphIndex(&info, static_cast<int>(c)), 0) << static_cast<int>(c);
    int advance = 0, bearing = 0;
    stbtt_GetCodepointHMetrics(&info, static_cast<int>(c), &advance, &bearing);
    EXPECT_EQ(advance_units(c), advance) << static_cast<int>(c);
  }
  EXPECT_EQ(in_table, kFontTableSize);
  for (char32_t c : {kMiddleDot, kSmallSigma, kSmallTau, kMinusSign})
    EXPECT_TRUE(in_font_table(c)) << static_cast<int>(c);
  for (int i = 0; i < kFontTableSize; ++i)
    EXPECT_EQ(font_table_index(font_table_char(i)), i) << i;
}

TEST(TextMetrics, BoxesFollowTheAlignmentAndThePixelSizeDrawn) {
  const ScaledText left{0.1, 0.2, 0.04, TextAlign::Left, colour_text, "tf = 1.39 s"};
  const DrawingRect b = text_box(left);
  EXPECT_DOUBLE_EQ(b.x0, 0.1);
  EXPECT_NEAR(b.x1 - b.x0, text_width("tf = 1.39 s", 0.04), 1e-15);
  EXPECT_NEAR(b.y1 - b.y0, 0.04 * (kFontAscent + kFontDescent) / kFontUnitsPerEm, 1e-15);
  ScaledText right = left, centre = left;
  right.align = TextAlign::Right;
  centre.align = TextAlign::Centre;
  EXPECT_NEAR(text_box(right).x1, 0.1, 1e-15);
  EXPECT_NEAR((text_box(centre).x0 + text_box(centre).x1) / 2.0, 0.1, 1e-15);
  // At 600 pixels 0.04 is 12 pixels exactly; at 650, 13 rounded from 13.0;
  // at 610, 12.2 drawn as 12: the box is that of 12 pixels.
  EXPECT_EQ(text_pixels(0.04, 600), 12);
  EXPECT_EQ(text_pixels(0.04, 610), 12);
  EXPECT_EQ(text_pixels(0.001, 600), 6);
  EXPECT_NEAR(text_box(left, 610).x1 - 0.1, text_width("tf = 1.39 s", 12 * 2.0 / 610), 1e-15);
  // The middle dot is two bytes of UTF-8 and one character's advance.
  EXPECT_NEAR(text_width("N\u00b7m", 1.0),
              (advance_units('N') + advance_units(kMiddleDot) + advance_units('m')) / 2048.0,
              1e-15);
  std::size_t at = 0;
  EXPECT_EQ(next_char("\xc2", at), 0xC2u);  // a sequence cut short reads as its byte
  EXPECT_EQ(at, 1u);
}

TEST(TextMetrics, GreekLettersAndTheMinusSignAreOneCharacterEach) {
  // σ and τ are two bytes of UTF-8, the minus sign three.
  const std::string rule = "\xcf\x84 = \xe2\x88\x92\xcf\x83";
  std::vector<char32_t> read;
  for (std::size_t at = 0; at < rule.size();) read.push_back(next_char(rule, at));
  EXPECT_EQ(read, (std::vector<char32_t>{kSmallTau, ' ', '=', ' ', kMinusSign, kSmallSigma}));
  EXPECT_NEAR(text_width(rule, 1.0),
              (advance_units(kSmallTau) + 2 * advance_units(' ') + advance_units('=') +
               advance_units(kMinusSign) + advance_units(kSmallSigma)) /
                  2048.0,
              1e-15);
  // The minus sign is as wide as the plus, wider than the hyphen.
  EXPECT_EQ(advance_units(kMinusSign), advance_units('+'));
  EXPECT_GT(advance_units(kMinusSign), advance_units('-'));
  // Three-byte sequences cut short or broken read byte by byte.
  for (const char* bad : {"\xe2\x88", "\xe2", "\xe2\x88-", "\xe2-\x92"}) {
    SCOPED_TRACE(bad);
    const std::string text = bad;
    std::size_t at = 0;
    EXPECT_EQ(next_char(text, at), 0xE2u);
    EXPECT_EQ(at, 1u);
  }
}

}  // namespace
