#include "view/viewport.h"

#include <algorithm>
#include <cmath>

SquareViewport square_viewport(int width, int height) {
  const int w = std::max(width, 0);
  const int h = std::max(height, 0);
  const int side = std::min(w, h);
  return SquareViewport{(w - side) / 2, (h - side) / 2, side};
}

namespace {

// First pixel (0 .. side) whose centre lies at or right of (above) the
// drawing coordinate v, kept within 0 .. side before it becomes an integer.
int first_pixel_from(double v, int side) {
  const double p = std::ceil((v + 1.0) * 0.5 * side - 0.5);
  if (!(p > 0.0)) return 0;  // also not a number
  if (p >= side) return side;
  return static_cast<int>(p);
}

}  // namespace

PixelBox pixel_box(const DrawingRect& r, const SquareViewport& vp) {
  if (!(r.x1 > r.x0) || !(r.y1 > r.y0) || vp.side <= 0) return PixelBox{vp.x, vp.y, 0, 0};
  const int x0 = first_pixel_from(r.x0, vp.side);
  const int x1 = first_pixel_from(r.x1, vp.side);
  const int y0 = first_pixel_from(r.y0, vp.side);
  const int y1 = first_pixel_from(r.y1, vp.side);
  return PixelBox{vp.x + x0, vp.y + y0, x1 - x0, y1 - y0};
}

double drawing_coordinate(double pixel, int origin, int side) {
  return (pixel - origin) * 2.0 / side - 1.0;
}
