#include "view/line_batch.h"

#include <GL/gl.h>

namespace {

// Farther than any picture reaches, near enough for a float.
constexpr double kCoordinateLimit = 1.0e6;

float to_float(double v) {
  if (v > kCoordinateLimit) v = kCoordinateLimit;
  if (v < -kCoordinateLimit) v = -kCoordinateLimit;
  return static_cast<float>(v);
}

}  // namespace

void LineBatch::reserve(std::size_t n) {
  xy_.reserve(xy_.size() + 2 * n);
  rgba_.reserve(rgba_.size() + 4 * n);
}

void LineBatch::vertex(float x, float y, const Colour& c) {
  xy_.push_back(x);
  xy_.push_back(y);
  rgba_.push_back(c.r);
  rgba_.push_back(c.g);
  rgba_.push_back(c.b);
  rgba_.push_back(c.a);
}

void LineBatch::add_segment(const Point& a, const Point& b, const Colour& c) {
  if (!is_finite(a) || !is_finite(b)) return;
  vertex(to_float(to_screen(a.x)), to_float(to_screen(a.y)), c);
  vertex(to_float(to_screen(b.x)), to_float(to_screen(b.y)), c);
}

void LineBatch::draw() const {
  if (xy_.empty()) return;
  glDisable(GL_LIGHTING);
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_COLOR_ARRAY);
  glVertexPointer(2, GL_FLOAT, 0, xy_.data());
  glColorPointer(4, GL_FLOAT, 0, rgba_.data());
  glDrawArrays(GL_LINES, 0, static_cast<GLsizei>(vertex_count()));
  glDisableClientState(GL_COLOR_ARRAY);
  glDisableClientState(GL_VERTEX_ARRAY);
  restore_lighting();
}
