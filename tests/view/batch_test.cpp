// The few-draw paths of a frame: the tip paths as one layer of round dots,
// text as read-back glyphs, and lighting left off through a frame.
#include <gtest/gtest.h>

#include <GL/freeglut.h>
#include <GL/gl.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "view/dot_layer.h"
#include "view/glyphs.h"
#include "view/primitives.h"
#include "view/text.h"
#include "view_harness.h"

namespace {

using namespace viewtest;

TEST(DotLayer, HoldsThePixelsWhoseCentresLieInEachCircleLaterDotsOnTop) {
  const SquareViewport vp{100, 50, 400};  // 0.005 of a drawing unit per pixel
  DotLayer layer(vp);
  const Point a{0.0123, -0.2071}, b{0.0301, -0.1998};
  const double r = 0.02;  // 4 pixels
  layer.add(a, r, colour_red);
  layer.add(b, r, colour_blue);
  layer.add(Point{std::nan(""), 0.0}, r, colour_red);  // left out
  layer.add(Point{5.0, 5.0}, r, colour_red);           // off the picture
  const Point c{0.61, 0.377};                          // far from the others: the
  layer.add(c, r, colour_red);                         // tiles between stay out
  std::vector<int> owner(400 * 400, 0);  // 0 none, 1 red, 2 blue
  const DotLayer::Tiles tiles = layer.tiles();
  ASSERT_EQ(tiles.rgba.size(), 4u * tiles.sheet_w * tiles.sheet_h);
  std::vector<int> drawn(400 * 400, 0);
  for (const PixelTexture::Piece& q : tiles.pieces) {
    ASSERT_TRUE(q.w > 0 && q.w <= DotLayer::kTile && q.h > 0 && q.h <= DotLayer::kTile);
    ASSERT_TRUE(q.u >= 0 && q.u + q.w <= tiles.sheet_w && q.v >= 0 && q.v + q.h <= tiles.sheet_h);
    for (int y = 0; y < q.h; ++y)
      for (int x = 0; x < q.w; ++x) {
        const int wx = q.x + x - vp.x, wy = q.y + y - vp.y;
        ASSERT_TRUE(wx >= 0 && wx < 400 && wy >= 0 && wy < 400);
        EXPECT_EQ(drawn[wy * 400 + wx]++, 0) << "tiles overlap at " << wx << "," << wy;
        const std::uint8_t* p = &tiles.rgba[4 * ((q.v + y) * tiles.sheet_w + q.u + x)];
        if (p[3] == 0) continue;
        ASSERT_EQ(p[3], 255);
        ASSERT_TRUE((p[0] == 255 && p[1] == 0 && p[2] == 0) || (p[0] == 0 && p[1] == 0 && p[2] == 255));
        owner[wy * 400 + wx] = p[0] == 255 ? 1 : 2;
      }
  }
  int red = 0, blue = 0;
  for (int y = 0; y < 400; ++y)
    for (int x = 0; x < 400; ++x) {
      auto inside = [&](const Point& c) {
        const double dx = x + 0.5 - (c.x + 1.0) * 200.0, dy = y + 0.5 - (c.y + 1.0) * 200.0;
        return dx * dx + dy * dy <= 16.0;
      };
      const int expect = inside(b) ? 2 : (inside(a) || inside(c)) ? 1 : 0;
      EXPECT_EQ(owner[y * 400 + x], expect) << x << "," << y;
      red += expect == 1, blue += expect == 2;
    }
  EXPECT_GT(red, 10 + 45);
  EXPECT_GT(blue, 45);
  // Two groups of at most 2 x 2 tiles each, not the box's 8 x 8.
  EXPECT_LE(tiles.pieces.size(), 8u);
  EXPECT_TRUE(DotLayer(vp).tiles().pieces.empty());
  // Dots over a whole large viewport: a sheet no larger a side than it.
  const SquareViewport big{0, 0, 2400};
  DotLayer everywhere(big);
  for (int i = 0; i < 100; ++i)
    for (int j = 0; j < 100; ++j)
      everywhere.add(Point{-0.99 + 0.02 * i, -0.99 + 0.02 * j}, 0.02, colour_blue);
  const DotLayer::Tiles all = everywhere.tiles();
  EXPECT_EQ(all.pieces.size(), 150u * 150u);
  EXPECT_LE(all.sheet_w, 2400);
  EXPECT_LE(all.sheet_h, 2400);
}

class Drawn : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { window(); }
};

TEST_F(Drawn, TextIsThePixelsOfGlutBitmapCharacters) {
  // Every printable character of both fonts, from raster positions that fall
  // at different places within a pixel.
  std::string all;
  for (int c = 32; c < 127; ++c) all += static_cast<char>(c);
  for (void* font : {GLUT_BITMAP_HELVETICA_12, GLUT_BITMAP_HELVETICA_18}) {
    for (double dx : {0.0, 0.3 / 400, 0.5 / 400, 0.77 / 400}) {
      const double x = -0.99 + dx, y = 0.31 + 0.6 * dx;
      const Image glyphs = render_with([&] {
        for (int line = 0; line < 4; ++line)
          draw_text(x, y - 0.1 * line, font, (all.substr(line * 24, 24) + "\n").c_str());
      });
      const Image bitmaps = render_with([&] {
        glDisable(GL_LIGHTING);
        glColor4f(kTextGrey, kTextGrey, kTextGrey, 1.0f);
        for (int line = 0; line < 4; ++line) {
          glRasterPos2f(static_cast<float>(x), static_cast<float>(y - 0.1 * line));
          for (char c : all.substr(line * 24, 24) + "\n") glutBitmapCharacter(font, c);
        }
      });
      EXPECT_GT(glyphs.count(0, 0, kSize - 1, kSize - 1, is_text_grey), 500);
      EXPECT_TRUE(glyphs.px == bitmaps.px) << dx;
    }
  }
  // A font or a character that was not read back still draws, through GLUT.
  EXPECT_FALSE(draw_glyphs(GLUT_BITMAP_TIMES_ROMAN_24, "x"));
  EXPECT_FALSE(draw_glyphs(GLUT_BITMAP_HELVETICA_18, "caf\xe9"));
  const Image latin = render_with([] { draw_text(0.0, 0.0, GLUT_BITMAP_HELVETICA_18, "caf\xe9"); });
  const Image direct = render_with([] {
    glDisable(GL_LIGHTING);
    glColor4f(kTextGrey, kTextGrey, kTextGrey, 1.0f);
    glRasterPos2f(0.0f, 0.0f);
    for (char c : std::string("caf\xe9"))
      glutBitmapCharacter(GLUT_BITMAP_HELVETICA_18, static_cast<unsigned char>(c));
  });
  EXPECT_GT(latin.count(0, 0, kSize - 1, kSize - 1, is_text_grey), 40);
  EXPECT_TRUE(latin.px == direct.px);
  const Image times = render_with([] { draw_text(0.0, 0.0, GLUT_BITMAP_TIMES_ROMAN_24, "Times"); });
  EXPECT_GT(times.count(0, 0, kSize - 1, kSize - 1, is_text_grey), 30);
}

TEST_F(Drawn, TextsHeldBackTogetherLookAsTextsDrawnOneByOne) {
  // Overlapping texts of two colours, one that only GLUT draws between them,
  // and a nested batch: the same picture as without holding them back.
  auto texts = [] {
    auto at = [](float x, float y, float grey, const char* text) {
      glColor4f(grey, grey, grey, 1.0f);
      glRasterPos2f(x, y);
      if (!draw_glyphs(GLUT_BITMAP_HELVETICA_18, text)) {
        flush_glyphs();
        for (const char* p = text; *p != '\0'; ++p)
          glutBitmapCharacter(GLUT_BITMAP_HELVETICA_18, static_cast<unsigned char>(*p));
      }
    };
    glDisable(GL_LIGHTING);
    at(-0.5f, 0.0f, 0.2f, "MMMMWWWW");
    at(-0.5f, 0.0f, 0.6f, "IIII||||");
    at(-0.49f, 0.0f, 0.2f, "caf\xe9 caf\xe9");
    at(-0.5f, 0.01f, 0.2f, "########");
  };
  const Image one_by_one = render_with(texts);
  const Image held_back = render_with([&] {
    const GlyphBatch outer;
    {
      const GlyphBatch inner;
      texts();
    }
    glColor4f(1.0f, 0.0f, 0.0f, 1.0f);  // the held-back texts keep their colours
  });
  auto grey = [](int v) { return [v](const Rgb& c) { return c.r == v && c.g == v && c.b == v; }; };
  EXPECT_GT(one_by_one.count(0, 0, kSize - 1, kSize - 1, grey(51)), 100);
  EXPECT_GT(one_by_one.count(0, 0, kSize - 1, kSize - 1, grey(153)), 20);
  EXPECT_TRUE(held_back.px == one_by_one.px);
}

TEST_F(Drawn, LightingStaysOffWhileAScopeLivesAndComesBackAfter) {
  window();
  glEnable(GL_LIGHTING);
  {
    const LightingOffScope outer;
    fill_rect(Point{0.0, 0.0}, 0.1, 0.1, 0.0, colour_red);
    EXPECT_EQ(glIsEnabled(GL_LIGHTING), GL_FALSE);
    {
      const LightingOffScope inner;
      draw_line(Point{0.0, 0.0}, Point{0.1, 0.1}, colour_red);
    }
    EXPECT_EQ(glIsEnabled(GL_LIGHTING), GL_FALSE);  // the outer scope still lives
    outline_circle(Point{0.0, 0.0}, 0.1, colour_red);
    EXPECT_EQ(glIsEnabled(GL_LIGHTING), GL_FALSE);
  }
  EXPECT_EQ(glIsEnabled(GL_LIGHTING), GL_TRUE);
  fill_disc(Point{0.0, 0.0}, 0.1, colour_red);
  EXPECT_EQ(glIsEnabled(GL_LIGHTING), GL_TRUE);
}

}  // namespace
