// The few-draw paths of a frame: the tip paths as one layer of round dots,
// text as read-back glyphs, consecutive texts in one draw, and the state a
// whole frame leaves behind.
#include <gtest/gtest.h>

#include <GL/freeglut.h>
#include <GL/gl.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "view/dot_layer.h"
#include "view/frame.h"
#include "view/frame_description.h"
#include "view/primitives.h"
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

// The text grey of every label, as GLUT would draw it straight.
void glut_text(void* font, float x, float y, const std::string& text) {
  glDisable(GL_LIGHTING);
  glColor4f(kTextGrey, kTextGrey, kTextGrey, 1.0f);
  glRasterPos2f(x, y);
  for (char c : text) glutBitmapCharacter(font, static_cast<unsigned char>(c));
}

TEST_F(Drawn, TextIsThePixelsOfGlutBitmapCharacters) {
  // Every printable character of both fonts, from raster positions that fall
  // at different places within a pixel.
  std::string all;
  for (int c = 32; c < 127; ++c) all += static_cast<char>(c);
  const std::pair<TextFont, void*> fonts[] = {{TextFont::Helvetica12, GLUT_BITMAP_HELVETICA_12},
                                              {TextFont::Helvetica18, GLUT_BITMAP_HELVETICA_18}};
  for (const auto& [font, glut] : fonts) {
    for (double dx : {0.0, 0.3 / 400, 0.5 / 400, 0.77 / 400}) {
      const double x = -0.99 + dx, y = 0.31 + 0.6 * dx;
      FrameDescription lines;
      for (int line = 0; line < 4; ++line)
        lines.text(font, x, y - 0.1 * line, all.substr(line * 24, 24) + "\n");
      const Image glyphs = render_items(lines);
      const Image bitmaps = render_with([&] {
        for (int line = 0; line < 4; ++line)
          glut_text(glut, static_cast<float>(x), static_cast<float>(y - 0.1 * line),
                    all.substr(line * 24, 24) + "\n");
      });
      EXPECT_GT(glyphs.count(0, 0, kSize - 1, kSize - 1, is_text_grey), 500);
      EXPECT_TRUE(glyphs.px == bitmaps.px) << dx;
    }
  }
  // A character that was not read back still draws, through GLUT.
  FrameDescription latin;
  latin.text(TextFont::Helvetica18, 0.0, 0.0, "caf\xe9");
  const Image drawn = render_items(latin);
  const Image direct = render_with([] { glut_text(GLUT_BITMAP_HELVETICA_18, 0.0f, 0.0f, "caf\xe9"); });
  EXPECT_GT(drawn.count(0, 0, kSize - 1, kSize - 1, is_text_grey), 40);
  EXPECT_TRUE(drawn.px == direct.px);
}

TEST_F(Drawn, ARendererWithoutGlyphsDrawsTheSameTextThroughGlut) {
  Renderer fresh;  // its glyphs never read back
  EXPECT_FALSE(fresh.glyphs_captured());
  EXPECT_TRUE(renderer().glyphs_captured());
  FrameDescription f;
  f.add(ItemKind::LightingOff);
  f.text(TextFont::Helvetica12, -0.5, 0.2, "T1max goal2 0123456789");
  f.text(TextFont::Helvetica18, -0.5, 0.0, "Reduction ratio (u1, u2)=");
  const Image via_glut = render_with([&] { fresh.draw(f); });
  const Image via_glyphs = render_with([&] { renderer().draw(f); });
  EXPECT_GT(via_glut.count(0, 0, kSize - 1, kSize - 1, is_text_grey), 200);
  EXPECT_TRUE(via_glut.px == via_glyphs.px);
}

TEST_F(Drawn, ConsecutiveTextsLookAsTextsDrawnOneByOne) {
  // Overlapping texts of two colours and one that only GLUT draws between
  // them: drawn together, the same picture as each in a draw of its own.
  FrameDescription together;
  auto at = [&](float x, float y, float grey, const char* text) {
    together.text(TextFont::Helvetica18, x, y, text);
    together.texts.back().colour = Colour{grey, grey, grey, 1.0f};
  };
  at(-0.5f, 0.0f, 0.2f, "MMMMWWWW");
  at(-0.5f, 0.0f, 0.6f, "IIII||||");
  at(-0.49f, 0.0f, 0.2f, "caf\xe9 caf\xe9");
  at(-0.5f, 0.01f, 0.2f, "########");
  const Image held_back = render_items(together);
  const Image one_by_one = render_with([&] {
    for (const Label& t : together.texts) {
      FrameDescription alone;
      alone.add(ItemKind::LightingOff);
      alone.items.push_back(Item{ItemKind::Text, 0});
      alone.texts.push_back(t);
      renderer().draw(alone);
    }
  });
  auto grey = [](int v) { return [v](const Rgb& c) { return c.r == v && c.g == v && c.b == v; }; };
  EXPECT_GT(one_by_one.count(0, 0, kSize - 1, kSize - 1, grey(51)), 100);
  EXPECT_GT(one_by_one.count(0, 0, kSize - 1, kSize - 1, grey(153)), 20);
  EXPECT_TRUE(held_back.px == one_by_one.px);
}

TEST_F(Drawn, AFrameEndsLitSmoothAndUnscissoredWhateverItFound) {
  auto s = make_scenario('b', 'g');
  for (bool lit : {false, true}) {
    if (lit) glEnable(GL_LIGHTING); else glDisable(GL_LIGHTING);
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, 0, 10, 10);
    const Image im = render(*s);
    EXPECT_EQ(glIsEnabled(GL_LIGHTING), GL_TRUE);
    EXPECT_EQ(glIsEnabled(GL_SCISSOR_TEST), GL_FALSE);
    GLint shading = 0;
    glGetIntegerv(GL_SHADE_MODEL, &shading);
    EXPECT_EQ(shading, GL_SMOOTH);
    // The old scissor box did not keep the frame from the window: the title
    // and the grid far from the corner are there.
    EXPECT_GT(im.count(0, pixel_of(0.9), pixel_of(0.0), kSize - 1, is_text_grey), 100);
    EXPECT_GT(im.count(0, pixel_of(-0.5) - 1, pixel_of(0.3), pixel_of(-0.5) + 1, is_black), 100);
  }
}

}  // namespace
