#include "view/renderer.h"

#define GL_GLEXT_PROTOTYPES 1
#include <GL/freeglut.h>
#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <cmath>
#include <utility>

#include "model/constants.h"
#include "view/dot_layer.h"
#include "view/text_metrics.h"

namespace {

// Farther than any picture reaches, near enough for a float.
constexpr double kCoordinateLimit = 1.0e6;

// A coordinate rounded to float as OpenGL rounds a glVertex2d, brought to
// +-1e6 first.
float to_float(double v) {
  if (v > kCoordinateLimit) v = kCoordinateLimit;
  if (v < -kCoordinateLimit) v = -kCoordinateLimit;
  return static_cast<float>(v);
}

// Point i of a circle of radius r, counter-clockwise from angle 0.
Point circle_point(double r, int i) {
  const double a = i * 2.0 * CIRCLE_PI / circle_segments;
  return Point{r * std::cos(a), r * std::sin(a)};
}

// Point i of a half circle of radius r, clockwise from angle a.
Point half_circle_point(double r, double a, int i) {
  const double ai = a - i * CIRCLE_PI / circle_segments;
  return Point{r * std::cos(ai), r * std::sin(ai)};
}

// A shape about a centre (screen units), placed without a matrix: each vertex
// is the centre plus its offset, added in float as OpenGL's transform by a
// glTranslated matrix adds them (both rounded to float first, then one
// rounding of the sum), so the vertices are those the translated shape had.
// Leaving the matrix alone lets consecutive shapes reach the rasteriser as
// one draw.
class Centred {
 public:
  Centred(const Point& centre, const Colour& c, GLenum mode)
      : x_(static_cast<float>(centre.x)), y_(static_cast<float>(centre.y)) {
    glColor4f(c.r, c.g, c.b, c.a);
    glBegin(mode);
  }
  ~Centred() { glEnd(); }
  Centred(const Centred&) = delete;
  Centred& operator=(const Centred&) = delete;
  void vertex(const Point& offset) const {
    glVertex2f(x_ + static_cast<float>(offset.x), y_ + static_cast<float>(offset.y));
  }

 private:
  float x_, y_;
};

}  // namespace

Renderer::Renderer() : scaled_font_(kLessonFontPath) {
  place_glyph_sheets();
  // Ears of the convex polygon of circle_segments corners: every other corner
  // cut off, round after round, until three are left. Any split of a convex
  // polygon into triangles fills the same pixels; this one keeps triangles
  // small near the rim and few over any block of pixels.
  int left[circle_segments];
  int n = circle_segments;
  for (int i = 0; i < n; ++i) left[i] = i;
  EarList& e = ears_;
  while (n > 3) {
    int kept = 0;
    int i = 0;
    // The ear at corner i + 1, while more than three corners would be left.
    for (int cut = 0; i + 1 < n && n - cut > 3; i += 2, ++cut) {
      e.index[e.count++] = left[i];
      e.index[e.count++] = left[i + 1];
      e.index[e.count++] = left[(i + 2) % n];
      left[kept++] = left[i];
    }
    for (; i < n; ++i) left[kept++] = left[i];
    n = kept;
  }
  e.index[e.count++] = left[0];
  e.index[e.count++] = left[1];
  e.index[e.count++] = left[2];
}

void Renderer::draw(const FrameDescription& frame) {
  GLint vp[4] = {0, 0, 0, 0};
  glGetIntegerv(GL_VIEWPORT, vp);
  vp_ = SquareViewport{vp[0], vp[1], std::max(0, std::min(vp[2], vp[3]))};
  glLoadIdentity();
  for (const Item& item : frame.items) {
    if (item.kind != ItemKind::Text) flush_texts();
    if (item.kind != ItemKind::ScaledText) scaled_font_.flush(vp_);
    draw_item(frame, item);
  }
  flush_texts();
  scaled_font_.flush(vp_);
}

void Renderer::draw_item(const FrameDescription& f, const Item& item) {
  switch (item.kind) {
    case ItemKind::Clear:
      glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
      return;
    case ItemKind::ScissorOff:
      glDisable(GL_SCISSOR_TEST);
      return;
    case ItemKind::Scissor:
      set_scissor(f.scissors[item.index]);
      return;
    case ItemKind::LightingOff:
      glDisable(GL_LIGHTING);
      return;
    case ItemKind::LightingOn:
      glEnable(GL_LIGHTING);
      return;
    case ItemKind::FlatShading:
      glShadeModel(GL_FLAT);
      return;
    case ItemKind::SmoothShading:
      glShadeModel(GL_SMOOTH);
      return;
    case ItemKind::HandOver:
      glFlush();
      return;
    case ItemKind::Lines:
      draw_lines(f.lines[item.index]);
      return;
    case ItemKind::Box:
      draw_box(f.boxes[item.index]);
      return;
    case ItemKind::Round:
      draw_round(f.rounds[item.index]);
      return;
    case ItemKind::Text:
      draw_text(f.texts[item.index]);
      return;
    case ItemKind::Dots:
      draw_dots(f.dots[item.index]);
      return;
    case ItemKind::ScaledText:
      scaled_font_.add(f.scaled_texts[item.index], vp_);
      return;
  }
}

void Renderer::set_scissor(const DrawingRect& r) {
  const PixelBox b = pixel_box(r, vp_);
  glScissor(b.x, b.y, b.width, b.height);
  glEnable(GL_SCISSOR_TEST);
}

void Renderer::draw_lines(const Lines& lines) {
  xy_.clear();
  rgba_.clear();
  xy_.reserve(4 * lines.segments.size());
  rgba_.reserve(8 * lines.segments.size());
  for (const Segment& s : lines.segments) {
    // A segment with an end that is not a finite number is left out.
    if (!is_finite(s.a) || !is_finite(s.b)) continue;
    for (const Point& p : {s.a, s.b}) {
      xy_.push_back(to_float(to_screen(p.x)));
      xy_.push_back(to_float(to_screen(p.y)));
      rgba_.insert(rgba_.end(), {s.colour.r, s.colour.g, s.colour.b, s.colour.a});
    }
  }
  if (xy_.empty()) return;
  if (lines.placed) {
    glPushMatrix();
    glTranslated(lines.origin.x, lines.origin.y, 0.0);
    glRotated(lines.angle_deg, 0.0, 0.0, 1.0);
  }
  glLineWidth(lines.width);
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_COLOR_ARRAY);
  glVertexPointer(2, GL_FLOAT, 0, xy_.data());
  glColorPointer(4, GL_FLOAT, 0, rgba_.data());
  glDrawArrays(GL_LINES, 0, static_cast<GLsizei>(xy_.size() / 2));
  glDisableClientState(GL_COLOR_ARRAY);
  glDisableClientState(GL_VERTEX_ARRAY);
  if (lines.placed) glPopMatrix();
}

void Renderer::draw_box(const Box& b) {
  // The rectangle 0 .. w along, 0 .. h across, under a matrix that puts its
  // corner in place and turns it; fill and outline under that one matrix.
  const double w = to_screen(b.w);
  const double h = to_screen(b.h);
  auto quad = [&](GLenum mode, const Colour& c) {
    glColor4f(c.r, c.g, c.b, c.a);
    glBegin(mode);
    glVertex2d(0.0, 0.0);
    glVertex2d(w, 0.0);
    glVertex2d(w, h);
    glVertex2d(0.0, h);
    glEnd();
  };
  if (b.outlined) glLineWidth(b.width);
  glPushMatrix();
  glTranslated(to_screen(b.corner.x), to_screen(b.corner.y), 0.0);
  glRotated(b.angle / kRadPerDegree, 0.0, 0.0, 1.0);
  if (b.filled) quad(GL_POLYGON, b.fill);
  if (b.outlined) quad(GL_LINE_LOOP, b.outline);
  glPopMatrix();
}

void Renderer::draw_round(const Round& d) {
  const Point p{to_screen(d.centre.x), to_screen(d.centre.y)};
  const double sr = to_screen(d.r);
  Point ring[circle_segments];
  for (int i = 0; i < circle_segments; ++i)
    ring[i] = d.half ? half_circle_point(sr, d.start, i) : circle_point(sr, i);
  if (d.filled) {
    const Centred shape(p, d.colour, GL_TRIANGLES);
    for (int k = 0; k < ears_.count; ++k) shape.vertex(ring[ears_.index[k]]);
    return;
  }
  // The loop (or the open strip of a half circle) through each point once:
  // a point repeated would only add segments of no length, which draw nothing.
  glLineWidth(d.width);
  const Centred shape(p, d.colour, d.half ? GL_LINE_STRIP : GL_LINE_LOOP);
  for (int i = 0; i < circle_segments; ++i) shape.vertex(ring[i]);
}

void Renderer::draw_dots(const std::vector<Dot>& dots) {
  DotLayer layer(vp_);
  for (const Dot& d : dots) layer.add(d.centre, d.r, d.colour);
  const DotLayer::Tiles t = layer.tiles();
  if (t.pieces.empty()) return;
  // Each frame's dots replace the last ones' in the one texture.
  dot_texture_.upload(PixelTexture::Format::Rgba, t.sheet_w, t.sheet_h, t.rgba.data());
  dot_texture_.draw(t.pieces, vp_, colour_white);
}
