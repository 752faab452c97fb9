#include "view/viewport.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

SquareViewport square_viewport(int width, int height) {
  const int w = std::max(width, 0);
  const int h = std::max(height, 0);
  const int side = std::min(w, h);
  return SquareViewport{(w - side) / 2, (h - side) / 2, side};
}

SquareViewport current_square_viewport() {
  GLint vp[4] = {0, 0, 0, 0};
  glGetIntegerv(GL_VIEWPORT, vp);
  return SquareViewport{vp[0], vp[1], std::max(0, std::min(vp[2], vp[3]))};
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

ScissorScope::ScissorScope(const DrawingRect& r)
    : was_enabled_(glIsEnabled(GL_SCISSOR_TEST) == GL_TRUE), previous_{0, 0, 0, 0} {
  glGetIntegerv(GL_SCISSOR_BOX, previous_);
  PixelBox b = pixel_box(r, current_square_viewport());
  if (was_enabled_) {
    // Within the box already in force.
    const int x0 = std::max(b.x, previous_[0]);
    const int y0 = std::max(b.y, previous_[1]);
    const int x1 = std::min(b.x + b.width, previous_[0] + previous_[2]);
    const int y1 = std::min(b.y + b.height, previous_[1] + previous_[3]);
    b = PixelBox{x0, y0, std::max(0, x1 - x0), std::max(0, y1 - y0)};
  }
  glScissor(b.x, b.y, b.width, b.height);
  glEnable(GL_SCISSOR_TEST);
}

ScissorScope::~ScissorScope() {
  glScissor(previous_[0], previous_[1], previous_[2], previous_[3]);
  if (!was_enabled_) glDisable(GL_SCISSOR_TEST);
}

void scissor_to_picture() {
  const SquareViewport vp = current_square_viewport();
  glScissor(vp.x, vp.y, vp.side, vp.side);
  glEnable(GL_SCISSOR_TEST);
}
