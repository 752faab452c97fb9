// The few-draw paths of a frame: pixel maps turned into rectangles, the tip
// paths as one layer of round dots, text as read-back glyphs, and lighting
// left off through a frame.
#include <gtest/gtest.h>

#include <GL/freeglut.h>
#include <GL/gl.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "view/dot_layer.h"
#include "view/glyphs.h"
#include "view/pixel_rects.h"
#include "view/primitives.h"
#include "view/text.h"
#include "view_harness.h"

namespace {

using namespace viewtest;

TEST(ValueRectangles, CoverExactlyTheMarkedPixelsWithTheirValues) {
  // A ring, a bar and a lone pixel of three values in a 12 x 9 map.
  const int w = 12, h = 9;
  std::vector<std::uint8_t> map(w * h, 0);
  auto set = [&](int x, int y, std::uint8_t v) { map[y * w + x] = v; };
  for (int y = 1; y <= 5; ++y)
    for (int x = 1; x <= 5; ++x)
      if (x == 1 || x == 5 || y == 1 || y == 5) set(x, y, 1);
  for (int y = 0; y < h; ++y) set(8, y, 2), set(9, y, 2);
  set(11, 8, 3);
  const std::vector<ValueRect> rects = value_rectangles(map, w, h);
  std::vector<std::uint8_t> drawn(w * h, 0);
  int cover = 0;
  for (const ValueRect& r : rects)
    for (int y = r.y0; y < r.y1; ++y)
      for (int x = r.x0; x < r.x1; ++x) {
        EXPECT_EQ(drawn[y * w + x], 0) << x << "," << y;  // no overlap
        drawn[y * w + x] = r.value;
        ++cover;
      }
  EXPECT_EQ(drawn, map);
  EXPECT_EQ(cover, 16 + 18 + 1);
  // Rows of the ring merge: bottom, top, and one rectangle for each side.
  EXPECT_EQ(rects.size(), 4u + 1u + 1u);
  // Scanning only the columns where each row may hold pixels gives the same.
  std::vector<std::pair<int, int>> spans(h, {0, 12});
  for (int y = 0; y < h; ++y) spans[y] = (y >= 1 && y <= 5) ? std::make_pair(1, 12) : std::make_pair(8, 12);
  const std::vector<ValueRect> scanned = value_rectangles(map, w, h, spans);
  ASSERT_EQ(scanned.size(), rects.size());
  for (std::size_t i = 0; i < rects.size(); ++i) {
    EXPECT_EQ(scanned[i].x0, rects[i].x0);
    EXPECT_EQ(scanned[i].y1, rects[i].y1);
  }
  // Columns outside the spans are not looked at.
  spans.assign(h, {8, 10});
  EXPECT_EQ(value_rectangles(map, w, h, spans).size(), 1u);
  EXPECT_TRUE(value_rectangles(map, 0, h).empty());
  EXPECT_TRUE(value_rectangles(std::vector<std::uint8_t>(5, 1), w, h).empty());
}

TEST(DotLayer, HoldsThePixelsWhoseCentresLieInEachCircleLaterDotsOnTop) {
  const SquareViewport vp{100, 50, 400};  // 0.005 of a drawing unit per pixel
  DotLayer layer(vp);
  const Point a{0.0123, -0.2071}, b{0.0301, -0.1998};
  const double r = 0.02;  // 4 pixels
  layer.add(a, r, colour_red);
  layer.add(b, r, colour_blue);
  layer.add(Point{std::nan(""), 0.0}, r, colour_red);  // left out
  layer.add(Point{5.0, 5.0}, r, colour_red);           // off the picture
  std::vector<int> owner(400 * 400, 0);  // 0 none, 1 red, 2 blue
  for (const DotLayer::Rect& q : layer.rectangles())
    for (int y = q.y0; y < q.y1; ++y)
      for (int x = q.x0; x < q.x1; ++x) {
        ASSERT_TRUE(x >= vp.x && x < vp.x + vp.side && y >= vp.y && y < vp.y + vp.side);
        owner[(y - vp.y) * 400 + (x - vp.x)] = q.colour.r > 0.5f ? 1 : 2;
      }
  int red = 0, blue = 0;
  for (int y = 0; y < 400; ++y)
    for (int x = 0; x < 400; ++x) {
      auto inside = [&](const Point& c) {
        const double dx = x + 0.5 - (c.x + 1.0) * 200.0, dy = y + 0.5 - (c.y + 1.0) * 200.0;
        return dx * dx + dy * dy <= 16.0;
      };
      const int expect = inside(b) ? 2 : inside(a) ? 1 : 0;
      EXPECT_EQ(owner[y * 400 + x], expect) << x << "," << y;
      red += expect == 1, blue += expect == 2;
    }
  EXPECT_GT(red, 10);
  EXPECT_GT(blue, 45);
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
