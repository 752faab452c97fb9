// Where the parts of the gear-ratio sweep's view lie in the picture's square,
// in drawing coordinates, and which point a click falls on. Header only and
// free of OpenGL, as view/lesson_layout.h: the describer lays the frame out
// from it and the program's mouse handling (app/session_sweep.cpp) finds the
// ratio clicked without linking the drawing code.
//
// From the top: title, legend, the graph over u1, the graph over u2 (each a
// caption line, the plot on a logarithmic ratio axis and a line of tick
// numbers under it), the results panel.
#pragma once

#include <cmath>
#include <optional>

#include "model/ratio_sweep.h"
#include "view/lesson_layout.h"
#include "view/primitives.h"
#include "view/viewport.h"

namespace sweep {

// Em sizes of the texts, in drawing units: larger than the lesson view's,
// the view having fewer parts (a 380-pixel square: 9 px body text).
inline constexpr double kTitleSize = 0.054;
inline constexpr double kBodySize = 0.046;
inline constexpr double kSmallSize = 0.04;
inline constexpr double kLineStep = 0.064;

inline constexpr double kLeftX = -0.97, kRightX = 0.97;
inline constexpr double kTitleY = 0.915;
inline constexpr double kLegendY = 0.835;

// The plots; a caption's base line above each, its tick numbers below it.
inline constexpr double kPlotX0 = -0.83, kPlotX1 = 0.95;
inline constexpr DrawingRect kPlot[2] = {{kPlotX0, 0.16, kPlotX1, 0.70},
                                         {kPlotX0, -0.54, kPlotX1, 0.0}};
inline constexpr double kCaptionGap = 0.028;   // plot top to the caption's base line
inline constexpr double kTickTextGap = 0.052;  // plot bottom to the tick numbers' base line

inline constexpr DrawingRect kResultsPanel{kLeftX, -0.98, kRightX, -0.64};

// x of ratio u on the ratio axis: log(u) evenly from kSweepRatioMin at the
// plot's left edge to kSweepRatioMax at its right.
inline double ratio_x(double u) {
  const double f = std::log(u / kSweepRatioMin) / std::log(kSweepRatioMax / kSweepRatioMin);
  return kPlotX0 + f * (kPlotX1 - kPlotX0);
}

// The distance between neighbouring ratios' columns.
inline constexpr double kColumnSpacing = (kPlotX1 - kPlotX0) / (kSweepRatios - 1);

}  // namespace sweep

// A point of the sweep: joint `axis`'s ratio swept, ratio `index` of it.
struct SweepPick {
  int axis;
  int index;
};

// The point a click at p (drawing coordinates) picks: in one of the plots,
// the nearest ratio column whose point is done and found (the points drawn),
// if it lies within about half a column's spacing of p; nothing outside the
// plots or away from every point drawn.
inline std::optional<SweepPick> sweep_pick_at(const Point& p, const RatioSweep& s) {
  if (!s.robot_selected || !is_finite(p)) return std::nullopt;
  for (int axis = 0; axis < 2; ++axis) {
    if (!lesson::contains(sweep::kPlot[axis], p)) continue;
    int best = -1;
    double best_dx = 0.6 * sweep::kColumnSpacing;
    for (int i = 0; i < kSweepRatios; ++i) {
      const SweepPoint& q = s.axis[axis][i];
      if (!q.done || !q.found || !(q.u > 0.0)) continue;
      const double dx = std::fabs(sweep::ratio_x(q.u) - p.x);
      if (dx < best_dx) best = i, best_dx = dx;
    }
    if (best >= 0) return SweepPick{axis, best};
    return std::nullopt;
  }
  return std::nullopt;
}
