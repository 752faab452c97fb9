// Drawing primitives of the graphics window: lines, rectangles, discs, half
// discs and their outlines, in normalised window coordinates (-1 .. +1).
//
// Every primitive maps its coordinates and lengths through to_screen, switches
// lighting off, draws with its colour and switches lighting on again, so
// lighting is on between primitives (inside a LightingOffScope it stays off
// until the scope ends). Line width is global state: draw_wide_line leaves it
// at 2 pixels, the other primitives never set it.
#pragma once

#include <cmath>

struct Point {
  double x, y;
};

// Both coordinates are finite numbers.
inline bool is_finite(const Point& p) { return std::isfinite(p.x) && std::isfinite(p.y); }

struct Colour {
  float r, g, b, a;
};

// The same colour in every channel.
inline bool same_colour(const Colour& a, const Colour& b) {
  return a.r == b.r && a.g == b.g && a.b == b.b && a.a == b.a;
}

// Alpha is 0 in all three; blending is never enabled.
inline constexpr Colour colour_red{1.0f, 0.0f, 0.0f, 0.0f};
inline constexpr Colour colour_blue{0.0f, 0.0f, 1.0f, 0.0f};
inline constexpr Colour colour_white{1.0f, 1.0f, 1.0f, 0.0f};

// Vertices of every circle and half circle.
constexpr int circle_segments = 120;
// Radians per degree for glRotated.
constexpr double kRadPerDegree = 0.01745329252;

// While one lives, the primitives (and vertex batches) leave lighting off
// after their shape instead of switching it on again: Mesa's software
// renderers pay for that switch at every following draw, and a frame draws
// many shapes. Lighting is switched on when the scope ends, so after it the
// state is as the primitives leave it. Scopes may nest.
class LightingOffScope {
 public:
  LightingOffScope();
  ~LightingOffScope();
  LightingOffScope(const LightingOffScope&) = delete;
  LightingOffScope& operator=(const LightingOffScope&) = delete;
};

// Switches lighting on again after a shape, unless a LightingOffScope lives.
void restore_lighting();

// Drawing units to window units: half the 800-pixel window over itself, the
// single place where that mapping lives.
inline double to_screen(double v) { return v * 400.0 / 400.0; }

// The segment p1-p2 in whatever line width is current.
void draw_line(const Point& p1, const Point& p2, const Colour& colour);
// The segment p1-p2, width in drawing units (x 400 pixels); leaves the width at 2.
void draw_wide_line(const Point& p1, const Point& p2, double width, const Colour& colour);
// The n segments segments[i][0]-segments[i][1] in that order, as draw_wide_line
// draws each, in one draw.
void draw_wide_lines(const Point (*segments)[2], int n, double width, const Colour& colour);
// Rectangle with its corner at `corner`, sides w along and h across the
// direction `angle` (radians, counter-clockwise).
void fill_rect(const Point& corner, double w, double h, double angle, const Colour& colour);
void outline_rect(const Point& corner, double w, double h, double angle, const Colour& colour);
// fill_rect in `fill`, then outline_rect in `outline`, placed once for both.
void boxed_rect(const Point& corner, double w, double h, double angle, const Colour& fill,
                const Colour& outline);
// Disc and circle of radius r about `centre`.
void fill_disc(const Point& centre, double r, const Colour& colour);
void outline_circle(const Point& centre, double r, const Colour& colour);
// Half disc and half circle running clockwise from angle a to a - 119 pi/120.
void fill_half_disc(const Point& centre, double r, double a, const Colour& colour);
void outline_half_circle(const Point& centre, double r, double a, const Colour& colour);
