// Graph panels of the lesson view: value ranges fitted to what a graph shows,
// tick steps at round numbers, the mapping of values into a plot, its axes
// with numbered ticks, and dashed curves made of plain segments (so that any
// renderer of the frame description draws them alike).
#pragma once

#include <string>
#include <vector>

#include "view/frame_description.h"
#include "view/viewport.h"

// Colours of the lesson view besides the curves' blue and red.
inline constexpr Colour colour_axis{0.25f, 0.25f, 0.25f, 0.0f};
inline constexpr Colour colour_switch_line{0.6f, 0.6f, 0.6f, 0.0f};
inline constexpr Colour colour_limit{0.85f, 0.45f, 0.0f, 0.0f};  // no curve is orange
inline constexpr Colour colour_frame_line{0.75f, 0.75f, 0.75f, 0.0f};
inline constexpr Colour colour_dark_red{0.8f, 0.0f, 0.0f, 0.0f};

// The smallest and largest finite values given; empty until one is.
struct ValueRange {
  double lo = 0.0, hi = 0.0;
  bool empty = true;
  void include(double v);
};

// The range widened by `margin` of its span on each side; a single value
// (or none) becomes a unit-wide range about it (about 0).
ValueRange with_margin(const ValueRange& r, double margin = 0.06);

// The smallest step of 1, 2 or 5 times a power of ten that is at least
// `raw`; 1 for a raw step that is not a positive finite number.
double round_step(double raw);

// The multiples of `step` within lo .. hi (at most 50).
std::vector<double> tick_values(double lo, double hi, double step);

// A tick value written with as many decimals as the step needs ("-0.5",
// "2", "0.25"); a value within a thousandth of a step of 0 is "0".
std::string tick_text(double v, double step);

// Values x_lo .. x_hi across and y_lo .. y_hi up the plot's rectangle.
struct Plot {
  DrawingRect area;
  double x_lo, x_hi, y_lo, y_hi;
  Point at(double x, double y) const;
  double x_of(double x) const;
  double y_of(double y) const;
};

// Steps for the plot's axes: round steps whose tick numbers stay apart
// (`min_gap` drawing units between ticks, at most `most` ticks).
double axis_step(double lo, double hi, double length, double min_gap, int most);

// The outline of a panel, 1 pixel wide.
void describe_outline(FrameDescription& f, const DrawingRect& r, const Colour& c);

// The plot's frame, its ticks and their numbers left of and below it.
void describe_plot_axes(FrameDescription& f, const Plot& p, double x_step, double y_step);

// A polyline drawn solid or dashed, the dashes running on across its
// segments; points that are not finite break it.
class Polyline {
 public:
  Polyline(Lines& into, const Colour& colour, bool dashed)
      : into_(into), colour_(colour), dashed_(dashed) {}
  void to(const Point& p);
  void pen_up() { has_last_ = false; }

 private:
  Lines& into_;
  Colour colour_;
  bool dashed_;
  bool has_last_ = false;
  Point last_{0.0, 0.0};
  double phase_ = 0.0;  // drawing units into the current dash period
};

// A straight dashed segment a-b in its own right.
void dashed_segment(Lines& into, const Point& a, const Point& b, const Colour& colour);
