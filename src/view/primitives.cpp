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

// Lighting off, optional placement, colour, then the caller's vertices.
void begin_placed(const Point& at, double angle, bool rotate, const Colour& c, GLenum mode) {
  glDisable(GL_LIGHTING);
  glPushMatrix();
  glTranslated(at.x, at.y, 0.0);
  if (rotate) glRotated(angle / kRadPerDegree, 0.0, 0.0, 1.0);
  glColor4f(c.r, c.g, c.b, c.a);
  glBegin(mode);
}

void end_placed() {
  glEnd();
  glPopMatrix();
  restore_lighting();
}

Point screen_point(const Point& p) { return Point{to_screen(p.x), to_screen(p.y)}; }

void rect(GLenum mode, const Point& corner, double w, double h, double angle, const Colour& c) {
  const Point p = screen_point(corner);
  const double sw = to_screen(w);
  const double sh = to_screen(h);
  begin_placed(p, angle, true, c, mode);
  glVertex2d(0.0, 0.0);
  glVertex2d(sw, 0.0);
  glVertex2d(sw, sh);
  glVertex2d(0.0, sh);
  end_placed();
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
  const Point a = screen_point(p1);
  const Point b = screen_point(p2);
  const double w = to_screen(width);
  glDisable(GL_LIGHTING);
  glLineWidth(static_cast<GLfloat>(w * 400.0));
  glColor4f(c.r, c.g, c.b, c.a);
  glBegin(GL_LINES);
  glVertex2d(a.x, a.y);
  glVertex2d(b.x, b.y);
  glEnd();
  glLineWidth(2.0f);
  restore_lighting();
}

void fill_rect(const Point& corner, double w, double h, double angle, const Colour& c) {
  rect(GL_POLYGON, corner, w, h, angle, c);
}

void outline_rect(const Point& corner, double w, double h, double angle, const Colour& c) {
  rect(GL_LINE_LOOP, corner, w, h, angle, c);
}

void fill_disc(const Point& centre, double r, const Colour& c) {
  const Point p = screen_point(centre);
  const double sr = to_screen(r);
  // The polygon of the 120 points as a fan about the centre: the same pixels
  // as the polygon (which the renderers split into a fan about its first
  // point), in small triangles instead of slivers across the whole disc.
  begin_placed(p, 0.0, false, c, GL_TRIANGLE_FAN);
  glVertex2d(0.0, 0.0);
  for (int i = 0; i <= circle_segments; ++i) {
    const Point v = circle_point(sr, i % circle_segments);
    glVertex2d(v.x, v.y);
  }
  end_placed();
}

void outline_circle(const Point& centre, double r, const Colour& c) {
  const Point p = screen_point(centre);
  const double sr = to_screen(r);
  // The loop p0, p1, ..., p119 and back to p0: each point once, since a
  // point repeated would only add segments of no length, which draw nothing.
  begin_placed(p, 0.0, false, c, GL_LINE_LOOP);
  for (int i = 0; i < circle_segments; ++i) {
    const Point v = circle_point(sr, i);
    glVertex2d(v.x, v.y);
  }
  end_placed();
}

void fill_half_disc(const Point& centre, double r, double a, const Colour& c) {
  const Point p = screen_point(centre);
  const double sr = to_screen(r);
  begin_placed(p, 0.0, false, c, GL_POLYGON);
  for (int i = 0; i < circle_segments; ++i) {
    const Point v = half_circle_point(sr, a, i);
    glVertex2d(v.x, v.y);
  }
  end_placed();
}

void outline_half_circle(const Point& centre, double r, double a, const Colour& c) {
  const Point p = screen_point(centre);
  const double sr = to_screen(r);
  // The open strip q0, q1, ..., q119, each point once (see outline_circle).
  begin_placed(p, 0.0, false, c, GL_LINE_STRIP);
  for (int i = 0; i < circle_segments; ++i) {
    const Point v = half_circle_point(sr, a, i);
    glVertex2d(v.x, v.y);
  }
  end_placed();
}
