#include "view/sweep_graphs.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "view/plot_axes.h"
#include "view/sweep_layout.h"
#include "view/text_metrics.h"

namespace {

using namespace sweep;

constexpr float kCurvePixels = 2.0f;
constexpr double kDotRadius = 0.009;
constexpr double kFastestRing = 0.024;
constexpr double kMajorTick = 0.02, kMinorTick = 0.01;
constexpr double kLabelGap = 0.012;  // between a mark's line and its label
// Light lines across the plot at the numbered ticks.
constexpr Colour colour_grid{0.88f, 0.88f, 0.88f, 0.0f};

// Numbered ratios of the axis, and the ticks between them.
constexpr double kMajorRatios[] = {1.0, 3.0, 10.0, 30.0, 100.0, 300.0};
constexpr double kMinorRatios[] = {2.0,  4.0,  5.0,  6.0,  7.0,  8.0,  9.0,  20.0, 40.0,
                                   50.0, 60.0, 70.0, 80.0, 90.0, 200.0};

double ascent(double size) { return size * kFontAscent / kFontUnitsPerEm; }

std::string formatted(const char* format, double v) {
  char buf[48];
  std::snprintf(buf, sizeof buf, format, v);
  return buf;
}

double time_y(const DrawingRect& a, const SweepTimeAxis& t, double v) {
  return a.y0 + v / t.y_hi * (a.y1 - a.y0);
}

void describe_axes(FrameDescription& f, const DrawingRect& a, const SweepTimeAxis& t) {
  Lines& grid = f.new_lines(1.0f);
  for (double u : kMajorRatios)
    if (u > kSweepRatioMin && u < kSweepRatioMax)
      grid.segments.push_back(Segment{{ratio_x(u), a.y0}, {ratio_x(u), a.y1}, colour_grid});
  const std::vector<double> ys = tick_values(0.0, t.y_hi, t.y_step);
  for (double v : ys)
    if (v > 0.0 && v < t.y_hi - 1e-9 * t.y_step)
      grid.segments.push_back(
          Segment{{a.x0, time_y(a, t, v)}, {a.x1, time_y(a, t, v)}, colour_grid});

  Lines& frame = f.new_lines(1.0f);
  frame.segments.push_back(Segment{{a.x0, a.y0}, {a.x1, a.y0}, colour_axis});
  frame.segments.push_back(Segment{{a.x0, a.y0}, {a.x0, a.y1}, colour_axis});
  frame.segments.push_back(Segment{{a.x0, a.y1}, {a.x1, a.y1}, colour_frame_line});
  frame.segments.push_back(Segment{{a.x1, a.y0}, {a.x1, a.y1}, colour_frame_line});
  for (double u : kMinorRatios)
    frame.segments.push_back(
        Segment{{ratio_x(u), a.y0}, {ratio_x(u), a.y0 + kMinorTick}, colour_axis});
  for (double u : kMajorRatios) {
    const double x = ratio_x(u);
    frame.segments.push_back(Segment{{x, a.y0}, {x, a.y0 + kMajorTick}, colour_axis});
    const TextAlign align = u <= kSweepRatioMin   ? TextAlign::Left
                            : u >= kSweepRatioMax ? TextAlign::Right
                                                  : TextAlign::Centre;
    f.scaled_text(ScaledText{x, a.y0 - kTickTextGap, kSmallSize, align, colour_text,
                             formatted("%g", u)});
  }
  for (double v : ys) {
    const double y = time_y(a, t, v);
    frame.segments.push_back(Segment{{a.x0, y}, {a.x0 + kMajorTick, y}, colour_axis});
    const double base = std::min(y - 0.35 * kSmallSize, a.y1 - ascent(kSmallSize));
    f.scaled_text(ScaledText{a.x0 - 0.012, base, kSmallSize, TextAlign::Right, colour_text,
                             tick_text(v, t.y_step)});
  }
}

// A vertical mark at ratio u with its label in row `row` under the plot's
// top, on the side away from the other mark's line at `other` (so that no
// line runs through it) where it fits in the plot. Nothing for a ratio off
// the axis.
void describe_ratio_mark(FrameDescription& f, const DrawingRect& a, double u, double other,
                         bool dashed, const Colour& line_colour, int row,
                         const std::string& label) {
  if (!(u >= kSweepRatioMin && u <= kSweepRatioMax)) return;
  const double x = ratio_x(u);
  Lines& l = f.new_lines(1.0f);
  if (dashed)
    dashed_segment(l, {x, a.y0}, {x, a.y1}, line_colour);
  else
    l.segments.push_back(Segment{{x, a.y0}, {x, a.y1}, line_colour});
  const double w = kLabelGap + text_width(label, kSmallSize) * 1.06;
  const bool fits_right = x + w < a.x1 - 0.005, fits_left = x - w > a.x0 + 0.005;
  const bool other_right = other > u && other <= kSweepRatioMax;
  const bool left = fits_left && (other_right || !fits_right);
  const double y = a.y1 - kLabelGap - ascent(kSmallSize) - row * 0.9 * kLineStep;
  f.scaled_text(ScaledText{left ? x - kLabelGap : x + kLabelGap, y, kSmallSize,
                           left ? TextAlign::Right : TextAlign::Left, colour_text, label});
}

// One run's curve: the points drawn joined in ratio order, broken where a
// ratio has no motion; a dot at every point.
void describe_curve(FrameDescription& f, const RatioSweep& s, int axis, const DrawingRect& a,
                    const SweepTimeAxis& t, bool optimal) {
  const Colour& c = optimal ? colour_blue : colour_red;
  Lines& l = f.new_lines(kCurvePixels);
  Polyline line(l, c, false);
  std::vector<Dot>& dots = f.new_dots();
  for (int i = 0; i < kSweepRatios; ++i) {
    const SweepPoint& p = s.axis[axis][i];
    if (p.done && !p.found) line.pen_up();
    if (!sweep_point_drawn(p)) continue;
    const Point at{ratio_x(p.u), time_y(a, t, optimal ? p.tf : p.tfm)};
    if (!is_finite(at)) continue;
    line.to(at);
    dots.push_back(Dot{at, kDotRadius, c});
  }
}

void describe_fastest(FrameDescription& f, const RatioSweep& s, int axis, const DrawingRect& a,
                      const SweepTimeAxis& t) {
  const int best = fastest_sweep_point(s, axis);
  if (best < 0) return;
  const SweepPoint& p = s.axis[axis][best];
  const Point at{ratio_x(p.u), time_y(a, t, p.tf)};
  if (!is_finite(at)) return;
  f.round(Round{at, kFastestRing, false, 0.0, false, colour_blue, 1.5f});
  const std::string label = "tf = " + time_text(p.tf) + " s";
  const double w = text_width(label, kSmallSize) * 1.06;
  const double below = at.y - kFastestRing - 0.008 - ascent(kSmallSize);
  const double y = below - 0.3 * kSmallSize > a.y0 + 0.005 ? below : at.y + kFastestRing + 0.012;
  const TextAlign align = at.x - w / 2 < a.x0 + 0.01   ? TextAlign::Left
                          : at.x + w / 2 > a.x1 - 0.01 ? TextAlign::Right
                                                       : TextAlign::Centre;
  const double x = align == TextAlign::Left    ? std::max(at.x - kFastestRing, a.x0 + 0.01)
                   : align == TextAlign::Right ? std::min(at.x + kFastestRing, a.x1 - 0.01)
                                               : at.x;
  // On a white ground, so that a curve under it does not cross the digits.
  const double left = align == TextAlign::Left ? x : align == TextAlign::Right ? x - w : x - w / 2;
  f.box(Box{Point{left - 0.005, y - 0.3 * kSmallSize}, w + 0.01, 1.05 * kSmallSize, 0.0, true,
            false, colour_white, colour_white, 1.0f});
  f.scaled_text(ScaledText{x, y, kSmallSize, align, colour_blue, label});
}

}  // namespace

SweepTimeAxis sweep_time_axis(const RatioSweep& s) {
  double most = 0.0;
  for (const auto& points : s.axis)
    for (const SweepPoint& p : points)
      if (sweep_point_drawn(p)) {
        if (std::isfinite(p.tf)) most = std::max(most, p.tf);
        if (std::isfinite(p.tfm)) most = std::max(most, p.tfm);
      }
  const double top = most > 0.0 ? most * 1.08 : 1.0;
  const double height = kPlot[0].y1 - kPlot[0].y0;
  const double step = axis_step(0.0, top, height, 0.09, 5);
  return SweepTimeAxis{step * std::ceil(top / step - 1e-9), step};
}

std::string ratio_text(double u) { return formatted("%.3g", u); }
std::string time_text(double t) { return formatted("%.3f", t); }

void describe_sweep_graph(FrameDescription& f, const RatioSweep& s, int axis,
                          const SweepTimeAxis& t) {
  const DrawingRect& a = kPlot[axis];
  const std::string swept = axis == 0 ? "u1" : "u2";
  const std::string kept = axis == 0 ? "u2" : "u1";
  const std::string caption = (axis == 0 ? "joint 1" : "joint 2") +
                              (": tf and tfm [s] over " + swept) + " (" + kept + " = " +
                              ratio_text(s.current_u[1 - axis]) + ")";
  f.scaled_text(ScaledText{kLeftX, a.y1 + kCaptionGap, kBodySize, TextAlign::Left, colour_text,
                           caption});
  describe_axes(f, a, t);
  describe_ratio_mark(f, a, s.current_u[axis], s.matched_u[axis], false, colour_black, 0,
                      "current " + swept + " = " + ratio_text(s.current_u[axis]));
  describe_ratio_mark(f, a, s.matched_u[axis], s.current_u[axis], true, colour_axis, 1,
                      swept + "* = " + ratio_text(s.matched_u[axis]));
  describe_curve(f, s, axis, a, t, false);
  describe_curve(f, s, axis, a, t, true);
  describe_fastest(f, s, axis, a, t);
}
