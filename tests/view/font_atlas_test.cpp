// The lesson font's atlas has a glyph with ink for every character of the
// table beyond ASCII, and a text written with them is placed glyph by glyph,
// each pen step the table's advance.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "view/font_atlas.h"
#include "view/text_metrics.h"

namespace {

// The atlas's coverage texels inside glyph g's box, summed.
long ink(const FontAtlases::Atlas& a, const FontAtlases::Glyph& g) {
  long sum = 0;
  for (int r = g.v; r < g.v + g.h; ++r)
    for (int c = g.u; c < g.u + g.w; ++c) sum += a.texels[static_cast<std::size_t>(r) * a.width + c];
  return sum;
}

TEST(FontAtlas, GreekLettersAndTheMinusSignHaveGlyphsOfTheirOwn) {
  FontAtlases fonts(kLessonFontPath);
  ASSERT_TRUE(fonts.usable()) << kLessonFontPath;
  const FontAtlases::Atlas& a = fonts.atlas(24);
  for (char32_t c : {kMiddleDot, kSmallSigma, kSmallTau, kMinusSign}) {
    SCOPED_TRACE(static_cast<int>(c));
    const FontAtlases::Glyph& g = a.glyphs[font_table_index(c)];
    ASSERT_GT(g.w, 0);
    ASSERT_GT(g.h, 0);
    ASSERT_LE(g.u + g.w, a.width);
    ASSERT_LE(g.v + g.h, a.height);
    EXPECT_GT(ink(a, g), 0);
  }
  // The minus sign is a longer bar than the hyphen; σ is not an o.
  const FontAtlases::Glyph& minus = a.glyphs[font_table_index(kMinusSign)];
  const FontAtlases::Glyph& hyphen = a.glyphs[font_table_index('-')];
  EXPECT_GT(minus.w, hyphen.w);
  const FontAtlases::Glyph& sigma = a.glyphs[font_table_index(kSmallSigma)];
  const FontAtlases::Glyph& o = a.glyphs[font_table_index('o')];
  EXPECT_NE(sigma.w * 100 + sigma.h, o.w * 100 + o.h);
}

TEST(FontAtlas, TheRuleIsPlacedOneGlyphPerInkedCharacterAtTheTablesAdvances) {
  FontAtlases fonts(kLessonFontPath);
  ASSERT_TRUE(fonts.usable()) << kLessonFontPath;
  // τ_j = −τ_jmax · sign(σ_j), as UTF-8.
  const std::string rule =
      "\xcf\x84_j = \xe2\x88\x92\xcf\x84_jmax \xc2\xb7 sign(\xcf\x83_j)";
  const SquareViewport vp{0, 0, 800};
  const ScaledText t{-0.5, 0.0, 0.06, TextAlign::Left, colour_text, rule};
  std::vector<PixelTexture::Piece> pieces;
  const FontAtlases::Atlas* a = fonts.place(t, vp, pieces);
  ASSERT_NE(a, nullptr);
  std::vector<char32_t> chars;
  for (std::size_t at = 0; at < rule.size();) chars.push_back(next_char(rule, at));
  ASSERT_EQ(chars.size(), 25u);
  std::vector<char32_t> inked;
  for (char32_t c : chars)
    if (c != ' ') inked.push_back(c);
  ASSERT_EQ(pieces.size(), inked.size());
  // Each piece is its character's glyph, its pen where the advances before it end.
  const double start = (text_box(t, vp.side).x0 + 1.0) / 2.0 * vp.side;
  double pen = start;
  std::size_t k = 0;
  for (char32_t c : chars) {
    if (c != ' ') {
      SCOPED_TRACE(k);
      const FontAtlases::Glyph& g = a->glyphs[font_table_index(c)];
      EXPECT_EQ(pieces[k].u, g.u);
      EXPECT_EQ(pieces[k].v, g.v);
      EXPECT_EQ(pieces[k].w, g.w);
      EXPECT_EQ(pieces[k].x, static_cast<int>(std::lround(pen)) + g.x0);
      ++k;
    }
    pen += advance_units(c) * a->scale;
  }
  EXPECT_NEAR(pen - start, text_width(rule, a->pixels * 2.0 / vp.side) / 2.0 * vp.side, 1e-9);
}

}  // namespace
