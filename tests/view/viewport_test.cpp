// Where the picture stands in a window of any shape, and which pixels a
// rectangle of the picture holds.
#include <gtest/gtest.h>

#include <limits>

#include "view/viewport.h"

namespace {

bool operator==(const SquareViewport& a, const SquareViewport& b) {
  return a.x == b.x && a.y == b.y && a.side == b.side;
}

TEST(SquareViewport, IsTheLargestCentredSquare) {
  EXPECT_TRUE((square_viewport(800, 800) == SquareViewport{0, 0, 800}));
  EXPECT_TRUE((square_viewport(1200, 700) == SquareViewport{250, 0, 700}));
  EXPECT_TRUE((square_viewport(500, 800) == SquareViewport{0, 150, 500}));
  // An odd leftover puts the extra pixel right of or above the square.
  EXPECT_TRUE((square_viewport(801, 800) == SquareViewport{0, 0, 800}));
  EXPECT_TRUE((square_viewport(800, 803) == SquareViewport{0, 1, 800}));
  // No window to speak of.
  EXPECT_TRUE((square_viewport(0, 600) == SquareViewport{0, 300, 0}));
  EXPECT_TRUE((square_viewport(-5, -7) == SquareViewport{0, 0, 0}));
}

TEST(PixelBox, HoldsThePixelsWhoseCentresTheRectangleCovers) {
  const SquareViewport vp{0, 0, 800};
  // x = 0.35 is the edge between pixel columns 539 and 540.
  PixelBox b = pixel_box(DrawingRect{-1.0, -1.0, 0.35, 1.0}, vp);
  EXPECT_EQ(b.x, 0);
  EXPECT_EQ(b.y, 0);
  EXPECT_EQ(b.width, 540);
  EXPECT_EQ(b.height, 800);
  // A centre on the left or bottom edge is in, one on the right or top edge
  // out: in a 1024-pixel square pixel 10's centre is at 21/1024 - 1.
  const double c10 = 21.0 / 1024 - 1.0;
  b = pixel_box(DrawingRect{c10, c10, c10 + 2.0 / 1024, c10 + 4.0 / 1024}, SquareViewport{0, 0, 1024});
  EXPECT_EQ(b.x, 10);
  EXPECT_EQ(b.width, 1);
  EXPECT_EQ(b.y, 10);
  EXPECT_EQ(b.height, 2);
  // Panels of the graphs at the default layout, widened by half a curve width.
  b = pixel_box(DrawingRect{0.396, -0.204, 0.904, 0.404}, vp);
  EXPECT_EQ(b.x, 558);
  EXPECT_EQ(b.width, 762 - 558);
  EXPECT_EQ(b.y, 318);
  EXPECT_EQ(b.height, 562 - 318);
}

TEST(PixelBox, FollowsTheViewportAndStaysInsideIt) {
  // The same rectangle in the square of a 1200 x 700 window.
  const SquareViewport vp{250, 0, 700};
  PixelBox b = pixel_box(DrawingRect{0.0, 0.0, 0.5, 0.5}, vp);
  EXPECT_EQ(b.x, 250 + 350);
  EXPECT_EQ(b.width, 175);
  EXPECT_EQ(b.y, 350);
  EXPECT_EQ(b.height, 175);
  // Beyond the picture: cut at its edges.
  b = pixel_box(DrawingRect{-3.0, 0.5, 7.0, 1e300}, vp);
  EXPECT_EQ(b.x, 250);
  EXPECT_EQ(b.width, 700);
  EXPECT_EQ(b.y, 525);
  EXPECT_EQ(b.height, 175);
}

TEST(PixelBox, IsEmptyForEmptyOrBrokenRectangles) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const SquareViewport vp{0, 0, 800};
  for (const DrawingRect& r : {DrawingRect{0.5, 0.0, 0.5, 1.0}, DrawingRect{0.5, 0.0, 0.2, 1.0},
                               DrawingRect{nan, 0.0, 0.5, 0.5}, DrawingRect{0.0, 0.0, nan, 0.5},
                               DrawingRect{0.0, inf, 0.5, inf}, DrawingRect{2.0, 0.0, 3.0, 1.0}}) {
    const PixelBox b = pixel_box(r, vp);
    EXPECT_EQ(b.width * b.height, 0) << r.x0 << " " << r.y0 << " " << r.x1 << " " << r.y1;
  }
  EXPECT_EQ(pixel_box(DrawingRect{-1.0, -1.0, 1.0, 1.0}, SquareViewport{0, 0, 0}).width, 0);
}

TEST(DrawingCoordinate, MapsPixelEdgesOntoTheSquare) {
  EXPECT_DOUBLE_EQ(drawing_coordinate(0, 0, 800), -1.0);
  EXPECT_DOUBLE_EQ(drawing_coordinate(400, 0, 800), 0.0);
  EXPECT_DOUBLE_EQ(drawing_coordinate(950, 250, 700), 1.0);
  EXPECT_DOUBLE_EQ(drawing_coordinate(250, 250, 700), -1.0);
}

}  // namespace
