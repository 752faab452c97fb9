#include "view/vertex_batch.h"

#include <GL/gl.h>

#include <cmath>

namespace {

// Farther than any picture reaches, near enough for a float.
constexpr double kCoordinateLimit = 1.0e6;

float to_float(double v) {
  if (v > kCoordinateLimit) v = kCoordinateLimit;
  if (v < -kCoordinateLimit) v = -kCoordinateLimit;
  return static_cast<float>(v);
}

bool finite(const Point& p) { return std::isfinite(p.x) && std::isfinite(p.y); }

}  // namespace

void VertexBatch::reserve(std::size_t n) {
  xy_.reserve(xy_.size() + 2 * n);
  rgba_.reserve(rgba_.size() + 4 * n);
}

void VertexBatch::vertex(float x, float y, const Colour& c) {
  xy_.push_back(x);
  xy_.push_back(y);
  rgba_.push_back(c.r);
  rgba_.push_back(c.g);
  rgba_.push_back(c.b);
  rgba_.push_back(c.a);
}

void VertexBatch::add_segment(const Point& a, const Point& b, const Colour& c) {
  if (kind_ != Kind::Lines || !finite(a) || !finite(b)) return;
  vertex(to_float(to_screen(a.x)), to_float(to_screen(a.y)), c);
  vertex(to_float(to_screen(b.x)), to_float(to_screen(b.y)), c);
}

void VertexBatch::add_pixel_rect(int x0, int y0, int x1, int y1, const SquareViewport& vp,
                                 const Colour& c) {
  if (kind_ != Kind::Triangles || x1 <= x0 || y1 <= y0 || vp.side <= 0) return;
  const float l = to_float(drawing_coordinate(x0, vp.x, vp.side));
  const float r = to_float(drawing_coordinate(x1, vp.x, vp.side));
  const float b = to_float(drawing_coordinate(y0, vp.y, vp.side));
  const float t = to_float(drawing_coordinate(y1, vp.y, vp.side));
  const float corners[12] = {l, b, r, b, r, t, l, b, r, t, l, t};
  xy_.insert(xy_.end(), corners, corners + 12);
  const float rgba[4] = {c.r, c.g, c.b, c.a};
  for (int i = 0; i < 6; ++i) rgba_.insert(rgba_.end(), rgba, rgba + 4);
}

void VertexBatch::draw() const {
  if (xy_.empty()) return;
  glDisable(GL_LIGHTING);
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_COLOR_ARRAY);
  glVertexPointer(2, GL_FLOAT, 0, xy_.data());
  glColorPointer(4, GL_FLOAT, 0, rgba_.data());
  glDrawArrays(kind_ == Kind::Lines ? GL_LINES : GL_TRIANGLES, 0,
               static_cast<GLsizei>(vertex_count()));
  glDisableClientState(GL_COLOR_ARRAY);
  glDisableClientState(GL_VERTEX_ARRAY);
  restore_lighting();
}
