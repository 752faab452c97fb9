// The plain values pictures are made of: points and colours in normalised
// window coordinates (-1 .. +1), and the constants of the round shapes.
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
inline constexpr Colour colour_black{0.0f, 0.0f, 0.0f, 0.0f};
inline constexpr Colour colour_ghost{0.78f, 0.78f, 0.78f, 0.0f};  // a path from before, faint

// Vertices of every circle and half circle.
constexpr int circle_segments = 120;
// Radians per degree for glRotated.
constexpr double kRadPerDegree = 0.01745329252;

// Drawing units to window units: half the 800-pixel window over itself, the
// single place where that mapping lives.
inline double to_screen(double v) { return v * 400.0 / 400.0; }

// A line width in drawing units as OpenGL's width in pixels (x 400).
inline float line_pixels(double width) { return static_cast<float>(to_screen(width) * 400.0); }
