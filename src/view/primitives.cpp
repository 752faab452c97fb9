#include "view/primitives.h"

#include <GL/gl.h>

#include <cmath>

#include "model/constants.h"

namespace {

int lighting_off_scopes = 0;

}  // namespace

LightingOffScope::LightingOffScope() {
  ++lighting_off_scopes;
  glDisable(GL_LIGHTING);
}

LightingOffScope::~LightingOffScope() {
  if (--lighting_off_scopes == 0) glEnable(GL_LIGHTING);
}

void restore_lighting() {
  if (lighting_off_scopes == 0) glEnable(GL_LIGHTING);
}

namespace {

Point screen_point(const Point& p) { return Point{to_screen(p.x), to_screen(p.y)}; }

// The rectangle 0 .. w along, 0 .. h across, under a matrix that puts its
// corner at `corner` (screen units) and turns it by `angle`; draw() adds its
// shapes, each of its own colour and mode, under that one matrix.
class PlacedRect {
 public:
  PlacedRect(const Point& corner, double w, double h, double angle)
      : w_(to_screen(w)), h_(to_screen(h)) {
    const Point p = screen_point(corner);
    glDisable(GL_LIGHTING);
    glPushMatrix();
    glTranslated(p.x, p.y, 0.0);
    glRotated(angle / kRadPerDegree, 0.0, 0.0, 1.0);
  }
  ~PlacedRect() {
    glPopMatrix();
    restore_lighting();
  }
  PlacedRect(const PlacedRect&) = delete;
  PlacedRect& operator=(const PlacedRect&) = delete;
  void draw(GLenum mode, const Colour& c) const {
    glColor4f(c.r, c.g, c.b, c.a);
    glBegin(mode);
    glVertex2d(0.0, 0.0);
    glVertex2d(w_, 0.0);
    glVertex2d(w_, h_);
    glVertex2d(0.0, h_);
    glEnd();
  }

 private:
  double w_, h_;
};

// A shape about a centre (screen units), placed without a matrix: each vertex
// is the centre plus its offset, added in float as OpenGL's transform by a
// glTranslated matrix adds them (both rounded to float first, then one
// rounding of the sum), so the vertices are those the translated shape had.
// Leaving the matrix alone lets consecutive shapes reach the renderer as one
// draw.
class Centred {
 public:
  Centred(const Point& centre, const Colour& c, GLenum mode)
      : x_(static_cast<float>(centre.x)), y_(static_cast<float>(centre.y)) {
    glDisable(GL_LIGHTING);
    glColor4f(c.r, c.g, c.b, c.a);
    glBegin(mode);
  }
  ~Centred() {
    glEnd();
    restore_lighting();
  }
  Centred(const Centred&) = delete;
  Centred& operator=(const Centred&) = delete;
  void vertex(const Point& offset) const {
    glVertex2f(x_ + static_cast<float>(offset.x), y_ + static_cast<float>(offset.y));
  }

 private:
  float x_, y_;
};

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

// Ears of a convex polygon of circle_segments points: every other corner cut
// off, round after round, until three are left. Any split of a convex
// polygon into triangles fills the same pixels; this one keeps triangles
// small near the rim and few over any block of pixels.
struct EarList {
  int index[3 * (circle_segments - 2)];
  int count = 0;
  EarList() {
    int left[circle_segments];
    int n = circle_segments;
    for (int i = 0; i < n; ++i) left[i] = i;
    while (n > 3) {
      int kept = 0;
      int i = 0;
      // The ear at corner i + 1, while more than three corners would be left.
      for (int cut = 0; i + 1 < n && n - cut > 3; i += 2, ++cut) {
        index[count++] = left[i];
        index[count++] = left[i + 1];
        index[count++] = left[(i + 2) % n];
        left[kept++] = left[i];
      }
      for (; i < n; ++i) left[kept++] = left[i];
      n = kept;
    }
    index[count++] = left[0];
    index[count++] = left[1];
    index[count++] = left[2];
  }
};

void fill_convex(const Point& centre, const Point (&ring)[circle_segments], const Colour& c) {
  static const EarList ears;
  const Centred shape(centre, c, GL_TRIANGLES);
  for (int k = 0; k < ears.count; ++k) shape.vertex(ring[ears.index[k]]);
}

}  // namespace

void draw_line(const Point& p1, const Point& p2, const Colour& c) {
  const Point a = screen_point(p1);
  const Point b = screen_point(p2);
  glDisable(GL_LIGHTING);
  glColor4f(c.r, c.g, c.b, c.a);
  glBegin(GL_LINES);
  glVertex2d(a.x, a.y);
  glVertex2d(b.x, b.y);
  glEnd();
  restore_lighting();
}

void draw_wide_line(const Point& p1, const Point& p2, double width, const Colour& c) {
  const Point segment[1][2] = {{p1, p2}};
  draw_wide_lines(segment, 1, width, c);
}

void draw_wide_lines(const Point (*segments)[2], int n, double width, const Colour& c) {
  glDisable(GL_LIGHTING);
  glLineWidth(static_cast<GLfloat>(to_screen(width) * 400.0));
  glColor4f(c.r, c.g, c.b, c.a);
  glBegin(GL_LINES);
  for (int i = 0; i < n; ++i) {
    const Point a = screen_point(segments[i][0]);
    const Point b = screen_point(segments[i][1]);
    glVertex2d(a.x, a.y);
    glVertex2d(b.x, b.y);
  }
  glEnd();
  glLineWidth(2.0f);
  restore_lighting();
}

void fill_rect(const Point& corner, double w, double h, double angle, const Colour& c) {
  PlacedRect(corner, w, h, angle).draw(GL_POLYGON, c);
}

void outline_rect(const Point& corner, double w, double h, double angle, const Colour& c) {
  PlacedRect(corner, w, h, angle).draw(GL_LINE_LOOP, c);
}

void boxed_rect(const Point& corner, double w, double h, double angle, const Colour& fill,
                const Colour& outline) {
  const PlacedRect rect(corner, w, h, angle);
  rect.draw(GL_POLYGON, fill);
  rect.draw(GL_LINE_LOOP, outline);
}

void fill_disc(const Point& centre, double r, const Colour& c) {
  const Point p = screen_point(centre);
  const double sr = to_screen(r);
  Point ring[circle_segments];
  for (int i = 0; i < circle_segments; ++i) ring[i] = circle_point(sr, i);
  fill_convex(p, ring, c);
}

void outline_circle(const Point& centre, double r, const Colour& c) {
  const Point p = screen_point(centre);
  const double sr = to_screen(r);
  // The loop p0, p1, ..., p119 and back to p0: each point once, since a
  // point repeated would only add segments of no length, which draw nothing.
  const Centred shape(p, c, GL_LINE_LOOP);
  for (int i = 0; i < circle_segments; ++i) shape.vertex(circle_point(sr, i));
}

void fill_half_disc(const Point& centre, double r, double a, const Colour& c) {
  const Point p = screen_point(centre);
  const double sr = to_screen(r);
  Point ring[circle_segments];
  for (int i = 0; i < circle_segments; ++i) ring[i] = half_circle_point(sr, a, i);
  fill_convex(p, ring, c);
}

void outline_half_circle(const Point& centre, double r, double a, const Colour& c) {
  const Point p = screen_point(centre);
  const double sr = to_screen(r);
  // The open strip q0, q1, ..., q119, each point once (see outline_circle).
  const Centred shape(p, c, GL_LINE_STRIP);
  for (int i = 0; i < circle_segments; ++i) shape.vertex(half_circle_point(sr, a, i));
}
