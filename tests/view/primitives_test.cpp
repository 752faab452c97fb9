// The shapes of a frame as the renderer draws them: the pixels they cover,
// the line widths a sketch gives them, and the state a frame leaves behind.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cmath>
#include <random>

#include "model/constants.h"
#include "view/frame_description.h"
#include "view/primitives.h"
#include "view_harness.h"

namespace {

using namespace viewtest;

constexpr double kPi = 3.14159265358979;

class Primitives : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { window(); }
};

TEST(ToScreen, MapsDrawingUnitsOntoWindowUnitsUnchanged) {
  for (double v : {-1.0, -0.25, 0.0, 0.006, 0.5, 2.0}) EXPECT_DOUBLE_EQ(to_screen(v), v);
}

TEST_F(Primitives, UnrotatedRectangleCoversExactlyItsBox) {
  // [-0.5, 0] x [-0.25, 0.25]: pixel columns 200..399, rows 300..499.
  const Image im = render_sketch([](Sketch& sk) {
    sk.fill_rect(Point{-0.5, -0.25}, 0.5, 0.5, 0.0, colour_blue);
  });
  EXPECT_EQ(im.count(200, 300, 399, 499, is_blue), 200 * 200);
  EXPECT_EQ(im.count(0, 0, kSize - 1, kSize - 1, is_blue), 200 * 200);
}

TEST_F(Primitives, RectangleTurnsAboutItsCorner) {
  // A quarter turn puts the w side upward and the h side to the left.
  const Image im = render_sketch([](Sketch& sk) {
    sk.fill_rect(Point{0.0, 0.0}, 0.5, 0.25, kPi / 2, colour_red);
  });
  EXPECT_GT(im.near(-0.125, 0.25, 3, is_red), 40);
  EXPECT_EQ(im.near(0.25, 0.125, 3, is_red), 0);
  EXPECT_EQ(im.near(-0.125, -0.1, 3, is_red), 0);
}

TEST_F(Primitives, OutlineRectangleDrawsOnlyTheBorder) {
  const Image im = render_sketch([](Sketch& sk) {
    sk.outline_rect(Point{-0.5, -0.5}, 0.5, 0.5, 0.0, colour_red);
  });
  EXPECT_GT(im.near(-0.5, -0.25, 1, is_red), 0);   // left side
  EXPECT_GT(im.near(0.0, -0.25, 1, is_red), 0);    // right side
  EXPECT_GT(im.near(-0.25, -0.5, 1, is_red), 0);   // bottom
  EXPECT_GT(im.near(-0.25, 0.0, 1, is_red), 0);    // top
  EXPECT_EQ(im.near(-0.25, -0.25, 20, is_red), 0);  // inside stays clear
}

TEST_F(Primitives, DiscAndCircleHaveTheirRadius) {
  const Image disc = render_sketch([](Sketch& sk) {
    sk.fill_disc(Point{0.0, 0.0}, 0.25, colour_blue);
  });
  EXPECT_TRUE(is_blue(disc.at(pixel_of(0.0), pixel_of(0.0))));
  EXPECT_TRUE(is_blue(disc.at(pixel_of(0.24), pixel_of(0.0))));
  EXPECT_TRUE(is_blue(disc.at(pixel_of(0.0), pixel_of(-0.24))));
  EXPECT_FALSE(is_blue(disc.at(pixel_of(0.26), pixel_of(0.0))));
  EXPECT_FALSE(is_blue(disc.at(pixel_of(0.19), pixel_of(0.19))));  // outside the corner
  const int area = disc.count(0, 0, kSize - 1, kSize - 1, is_blue);
  EXPECT_NEAR(area, kPi * 100 * 100, 0.01 * kPi * 100 * 100);

  const Image ring = render_sketch([](Sketch& sk) {
    sk.outline_circle(Point{0.5, 0.5}, 0.1, colour_red);
  });
  EXPECT_GT(ring.near(0.6, 0.5, 1, is_red), 0);
  EXPECT_GT(ring.near(0.5, 0.4, 1, is_red), 0);
  EXPECT_GT(ring.near(0.5 + 0.1 * std::cos(1.0), 0.5 + 0.1 * std::sin(1.0), 1, is_red), 0);
  EXPECT_EQ(ring.near(0.5, 0.5, 15, is_red), 0);
}

TEST_F(Primitives, HalfDiscLiesTowardStartAngleMinusQuarterTurn) {
  // Start angle 0: clockwise to almost -pi, so the half below the centre.
  const Image im = render_sketch([](Sketch& sk) {
    sk.fill_half_disc(Point{0.0, 0.0}, 0.25, 0.0, colour_blue);
  });
  EXPECT_GT(im.near(0.0, -0.15, 3, is_blue), 40);
  EXPECT_EQ(im.near(0.0, 0.15, 3, is_blue), 0);
  // Start angle pi/2: the half on the right.
  const Image right = render_sketch([](Sketch& sk) {
    sk.fill_half_disc(Point{0.0, 0.0}, 0.25, kPi / 2, colour_blue);
  });
  EXPECT_GT(right.near(0.15, 0.0, 3, is_blue), 40);
  EXPECT_EQ(right.near(-0.15, 0.0, 3, is_blue), 0);

  const Image arc = render_sketch([](Sketch& sk) {
    sk.outline_half_circle(Point{0.0, 0.0}, 0.25, 0.0, colour_red);
  });
  EXPECT_GT(arc.near(0.0, -0.25, 1, is_red), 0);
  EXPECT_EQ(arc.near(0.0, 0.25, 2, is_red), 0);
  EXPECT_EQ(arc.near(0.0, 0.0, 5, is_red), 0);  // the strip stays open: no chord
}

// Corner i of a disc, counter-clockwise from angle 0, and of a half disc,
// clockwise from its start angle.
double disc_corner(int i, double) { return i * 2.0 * CIRCLE_PI / circle_segments; }
double half_disc_corner(int i, double start) { return start - i * CIRCLE_PI / circle_segments; }

// The 120 corners as OpenGL's own polygon draws them, each the float sum of
// centre and offset: the pixels a disc and a half disc must cover, however
// they are split into triangles.
void reference_polygon(const Point& centre, double r, double start,
                       double (*corner)(int, double)) {
  glDisable(GL_LIGHTING);
  glColor4f(0.0f, 0.0f, 1.0f, 0.0f);
  glBegin(GL_POLYGON);
  for (int i = 0; i < circle_segments; ++i) {
    const double a = corner(i, start);
    glVertex2f(static_cast<float>(centre.x) + static_cast<float>(r * std::cos(a)),
               static_cast<float>(centre.y) + static_cast<float>(r * std::sin(a)));
  }
  glEnd();
  glEnable(GL_LIGHTING);
}

// Pixels whose colours differ between two frames.
int differing_pixels(const Image& a, const Image& b) {
  int n = 0;
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      const Rgb p = a.at(x, y), q = b.at(x, y);
      n += (p.r != q.r || p.g != q.g || p.b != q.b) ? 1 : 0;
    }
  return n;
}

TEST_F(Primitives, DiscsCoverExactlyThePixelsOfTheirPolygon) {
  std::mt19937 random(20261207);
  std::uniform_real_distribution<double> place(-0.85, 0.85), radius(0.002, 0.15),
      angle(-4.0, 4.0);
  for (int k = 0; k < 40; ++k) {
    const Point c{place(random), place(random)};
    const double r = radius(random);
    const double a = angle(random);
    SCOPED_TRACE(::testing::Message() << "centre " << c.x << ", " << c.y << " radius " << r
                                      << " start " << a);
    const Image disc = render_sketch([&](Sketch& sk) { sk.fill_disc(c, r, colour_blue); });
    const Image polygon =
        render_with([&] { reference_polygon(c, r, 0.0, disc_corner); });
    EXPECT_EQ(differing_pixels(disc, polygon), 0);
    const Image half = render_sketch([&](Sketch& sk) { sk.fill_half_disc(c, r, a, colour_blue); });
    const Image half_polygon =
        render_with([&] { reference_polygon(c, r, a, half_disc_corner); });
    EXPECT_EQ(differing_pixels(half, half_polygon), 0);
  }
}

TEST_F(Primitives, WideLineHasItsWidthAndLeavesTwoPixels) {
  float left = 0.0f;
  const Image im = render_sketch([&](Sketch& sk) {
    sk.wide_line(Point{-0.5, 0.5}, Point{0.5, 0.5}, 0.02, colour_blue);  // 8 pixels
    sk.line(Point{-0.5, -0.5}, Point{0.5, -0.5}, colour_red);           // then 2 pixels
    left = sk.line_width;
  });
  const int col = pixel_of(0.0);
  EXPECT_NEAR(im.count(col, 0, col, kSize - 1, is_blue), 8, 1);
  EXPECT_EQ(im.count(col, 0, col, kSize - 1, is_red), 2);
  EXPECT_FLOAT_EQ(left, 2.0f);
}

TEST_F(Primitives, PlainLinesAndOutlinesTakeTheSketchsWidth) {
  const Image im = render_sketch([](Sketch& sk) {
    sk.line_width = 5.0f;
    sk.line(Point{-0.5, 0.0}, Point{0.5, 0.0}, colour_red);
    sk.line_width = 3.0f;
    sk.outline_rect(Point{-0.5, -0.75}, 1.0, 0.5, 0.0, colour_blue);
  });
  EXPECT_EQ(im.count(pixel_of(0.1), pixel_of(-0.2), pixel_of(0.1), kSize - 1, is_red), 5);
  // The rectangle's top edge at -0.25, 3 pixels wide, and its bottom at -0.75.
  EXPECT_EQ(im.count(pixel_of(0.1), pixel_of(-0.3), pixel_of(0.1), pixel_of(-0.2), is_blue), 3);
  EXPECT_EQ(im.count(pixel_of(0.1), pixel_of(-0.8), pixel_of(0.1), pixel_of(-0.7), is_blue), 3);
}

TEST_F(Primitives, DrawnUnlitInTheirOwnColourLeavingTheMatrixAlone) {
  const Point p{0.0, 0.0};
  const std::function<void(Sketch&)> shapes[] = {
      [&](Sketch& sk) { sk.line(p, Point{0.5, 0.5}, colour_red); },
      [&](Sketch& sk) { sk.wide_line(p, Point{0.5, 0.5}, 0.01, colour_red); },
      [&](Sketch& sk) { sk.fill_rect(p, 0.1, 0.1, 0.3, colour_red); },
      [&](Sketch& sk) { sk.outline_rect(p, 0.1, 0.1, 0.3, colour_red); },
      [&](Sketch& sk) { sk.fill_disc(p, 0.1, colour_red); },
      [&](Sketch& sk) { sk.fill_half_disc(p, 0.1, 0.3, colour_red); },
      [&](Sketch& sk) { sk.outline_circle(p, 0.1, colour_red); },
      [&](Sketch& sk) { sk.outline_half_circle(p, 0.1, 0.3, colour_red); },
  };
  for (const auto& shape : shapes) {
    GLdouble after[16];
    // Lighting on with no light: anything drawn lit would come out dark grey.
    glEnable(GL_LIGHTING);
    const Image im = render_sketch(shape);
    EXPECT_EQ(glIsEnabled(GL_LIGHTING), GL_TRUE);
    glGetDoublev(GL_MODELVIEW_MATRIX, after);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(after[i], i % 5 == 0 ? 1.0 : 0.0);  // identity
    EXPECT_GT(im.count(0, 0, kSize - 1, kSize - 1, is_red), 0);
    EXPECT_EQ(im.count(0, 0, kSize - 1, kSize - 1, [](const Rgb& c) { return !is_red(c) && !is_white(c); }), 0);
  }
}

}  // namespace
