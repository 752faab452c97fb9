// Where the parts of the lesson view lie in the picture's square, in drawing
// coordinates. Header only and free of OpenGL: the describer lays the frame
// out from it, and the program's mouse handling (app/session.h) finds from it
// which part a click falls in, without linking the drawing code.
//
// Left column: title, robot area, the two phase planes, the results panel.
// Right column: a strip for the labels of the vertical time lines, then six
// time graphs under each other on one time axis (joint 1 and joint 2 of
// displacement, velocity and torque), so a switching time lines up through
// all of them. The switching functions, when shown, take the velocity rows'
// places: the mouse finds them as it finds those.
#pragma once

#include <algorithm>
#include <cmath>
#include <optional>

#include "view/primitives.h"
#include "view/viewport.h"

namespace lesson {

// Em sizes of the texts, in drawing units (a 600-pixel square: 10 px body text).
inline constexpr double kTitleSize = 0.044;
inline constexpr double kBodySize = 0.034;
inline constexpr double kSmallSize = 0.029;
// Base lines of consecutive lines of body text.
inline constexpr double kLineStep = 0.052;

inline constexpr double kTitleY = 0.945;
inline constexpr double kLegendY = 0.935;
inline constexpr double kLeftX0 = -0.98, kLeftX1 = -0.08;

inline constexpr DrawingRect kRobotArea{kLeftX0, 0.06, kLeftX1, 0.84};
inline constexpr double kRobotCaptionY = 0.87;

// The phase planes' cells: title above the plot, tick numbers left of and below it.
inline constexpr double kPhaseTitleY = 0.0;
inline constexpr DrawingRect kPhaseCell[2] = {{kLeftX0, -0.43, -0.55, 0.04},
                                              {-0.51, -0.43, kLeftX1, 0.04}};
inline constexpr double kPhasePlotInsetLeft = 0.10;
inline DrawingRect phase_plot(int joint) {
  const DrawingRect& c = kPhaseCell[joint];
  return DrawingRect{c.x0 + kPhasePlotInsetLeft, -0.37, c.x1 - 0.01, -0.04};
}

inline constexpr DrawingRect kResultsPanel{kLeftX0, -0.99, kLeftX1, -0.47};

// The time graphs: rows of kRowHeight from kRowTop down, each a title line,
// the plot, and a line of tick numbers below it.
inline constexpr int kTimeGraphs = 6;
inline constexpr double kTimePlotX0 = 0.10, kTimePlotX1 = 0.88;
inline constexpr double kRowTop = 0.76;
inline constexpr double kRowHeight = 0.285;
inline constexpr double kPlotTopGap = 0.05;
inline constexpr double kPlotHeight = 0.185;
// Base lines of the rows of time-line labels, above the first graph.
inline constexpr double kTimeLabelRows[3] = {0.785, 0.83, 0.875};

// Graph i: quantity i / 2 (0 displacement, 1 velocity, 2 torque) of joint i % 2.
inline DrawingRect time_plot(int i) {
  const double y1 = kRowTop - i * kRowHeight - kPlotTopGap;
  return DrawingRect{kTimePlotX0, y1 - kPlotHeight, kTimePlotX1, y1};
}

inline bool contains(const DrawingRect& r, const Point& p) {
  return p.x >= r.x0 && p.x <= r.x1 && p.y >= r.y0 && p.y <= r.y1;
}

// The time graph whose plot holds p, if any.
inline std::optional<int> time_graph_at(const Point& p) {
  for (int i = 0; i < kTimeGraphs; ++i)
    if (contains(time_plot(i), p)) return i;
  return std::nullopt;
}

// x of time t on the time graphs' axis, which runs from 0 to `span` seconds.
inline double time_x(double t, double span) {
  return kTimePlotX0 + (span > 0.0 ? t / span : 0.0) * (kTimePlotX1 - kTimePlotX0);
}
// The time at x, kept within 0 .. span.
inline double time_at(double x, double span) {
  const double f = (x - kTimePlotX0) / (kTimePlotX1 - kTimePlotX0);
  return std::clamp(std::isfinite(f) ? f : 0.0, 0.0, 1.0) * std::max(span, 0.0);
}

// How the robot area's picture is placed: the point from_centre of the
// classic picture's coordinates comes to to_centre, and everything about it
// is shrunk or grown by `scale` alike in x and y. `unapply` takes a point of
// the lesson view back to the classic picture's coordinates, where a tip
// position (x, y) [m] lies at view_scale * (robot base + (x, y)).
struct Placement {
  Point from_centre;
  Point to_centre;
  double scale;
  Point apply(const Point& p) const {
    return Point{to_centre.x + scale * (p.x - from_centre.x),
                 to_centre.y + scale * (p.y - from_centre.y)};
  }
  Point unapply(const Point& p) const {
    return Point{from_centre.x + (p.x - to_centre.x) / scale,
                 from_centre.y + (p.y - to_centre.y) / scale};
  }
};

// The drawing point at the centre of window pixel (x, y) of a width x height
// window, y counted from the top as the window system reports it: the
// picture is the centred square of side min(width, height) (view/viewport.h).
inline Point drawing_point(int x, int y, int width, int height) {
  const int w = std::max(width, 0), h = std::max(height, 0);
  const int side = std::min(w, h);
  if (side <= 0) return Point{NAN, NAN};
  const int left = (w - side) / 2, bottom = (h - side) / 2;
  const double from_bottom = (h - 1 - y) + 0.5;
  return Point{2.0 * (x + 0.5 - left) / side - 1.0, 2.0 * (from_bottom - bottom) / side - 1.0};
}

}  // namespace lesson
