#include "view/lesson_sigma.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "view/lesson_graphs.h"
#include "view/lesson_label_layout.h"
#include "view/lesson_layout.h"
#include "view/lesson_switches.h"
#include "view/lesson_time_marks.h"
#include "view/text_metrics.h"

namespace {

using namespace lesson;

constexpr float kCurvePixels = 2.0f;       // as the other time graphs' curves
constexpr double kCrossingRadius = 0.010;  // ring of a switch on the zero line
constexpr double kBreakRadius = 0.018;     // ring of a sign change without a switch
constexpr double kRuleRight = 0.99;        // the rule ends at the column's right edge

bool has_sigma(const LessonInputs& in) {
  return has_motion(in) && in.sigma_valid && in.toc_sigma != nullptr;
}

// The time of the sample shown [s]: the curve and its marks go as far.
double shown_time(const LessonInputs& in) { return in.shown * in.dt; }

bool reached(const LessonInputs& in, const Plot& p, double t) {
  return std::isfinite(t) && t >= p.x_lo && t <= p.x_hi && t <= shown_time(in);
}

// The curve up to the sample shown, and no further than tf: past the motion's
// end there is no function to show (the record holds 0 there). Blue, joint 2
// dashed.
void describe_curve(FrameDescription& f, const LessonInputs& in, int j, const Plot& p) {
  Lines& curve = f.new_lines(kCurvePixels);
  Polyline line(curve, colour_blue, j == 1);
  for (int i = 0; i <= in.shown && !(i * in.dt > in.tf); ++i) {
    const double v = in.toc_sigma[i][j];
    line.to(p.at(i * in.dt, std::isfinite(v) ? std::clamp(v, -1.0, 1.0) : v));
  }
}

// The joint's switches ringed on the zero line, and where the motion breaks
// the rule, that sign change ringed in dark red and said beside it.
void describe_crossings(FrameDescription& f, const LessonInputs& in, int j, const Plot& p) {
  std::vector<DrawingRect> taken;
  for (const SwitchPoint& s : joint_switches(in, j)) {
    if (!reached(in, p, s.t)) continue;
    const Point at = p.at(s.t, 0.0);
    f.round(Round{at, kCrossingRadius, false, 0.0, false, colour_blue, 1.5f});
    taken.push_back(DrawingRect{at.x - kCrossingRadius, at.y - kCrossingRadius,
                                at.x + kCrossingRadius, at.y + kCrossingRadius});
  }
  if (!in.rule_broken || in.rule_joint != j || !reached(in, p, in.rule_at)) return;
  const Point at = p.at(in.rule_at, 0.0);
  f.round(Round{at, kBreakRadius, false, 0.0, false, colour_dark_red, 2.0f});
  const char* say = "no switch";
  const double size = kSmallSize;
  const double ascent = size * kFontAscent / kFontUnitsPerEm;
  const double descent = size * kFontDescent / kFontUnitsPerEm;
  // A box with room for the rounding of the text's pixel size.
  const std::optional<DrawingRect> box =
      place_beside(at, kBreakRadius + 0.003, text_width(say, size) * 1.1,
                   (ascent + descent) * 1.1, p.area, taken, 0.003);
  if (box)
    f.scaled_text(
        ScaledText{box->x0, box->y0 + descent * 1.05, size, TextAlign::Left, colour_dark_red, say});
}

}  // namespace

bool shows_sigma(const LessonInputs& in, int graph) {
  return in.sigma_panel && graph >= 0 && graph < kTimeGraphs &&
         quantity_of(graph) == Quantity::Velocity;
}

void describe_sigma_graph(FrameDescription& f, const LessonInputs& in, int graph) {
  const int j = joint_of(graph);
  const double span = time_span(in) > 0.0 ? time_span(in) : 1.0;
  const Plot p{time_plot(graph), 0.0, span, -kSigmaReach, kSigmaReach};
  const double title_x = p.area.x0 - 0.09, title_y = p.area.y1 + 0.013;
  // Joint 1's title names the function in full; joint 2's leaves room for the rule.
  const std::string n = std::to_string(j + 1);
  f.scaled_text(ScaledText{title_x, title_y, kBodySize, TextAlign::Left, colour_text,
                           "joint " + n + (j == 0 ? " switching function" : "") +
                               " \u03c3" + n + " [scaled]"});
  if (j == 1)
    f.scaled_text(
        ScaledText{kRuleRight, title_y, kSmallSize, TextAlign::Right, colour_text, kSigmaRule});

  // Arcs inside the limits under everything, as in the torque graph.
  if (has_motion(in)) describe_interior_arcs(f, in, p, j);
  describe_plot_axes(f, p, axis_step(0.0, span, p.area.x1 - p.area.x0, 0.09, 8),
                     axis_step(p.y_lo, p.y_hi, p.area.y1 - p.area.y0, 0.05, 4));
  Lines& marks = f.new_lines(1.0f);
  if (has_motion(in)) describe_time_lines(marks, in, p);
  const double zero = p.y_of(0.0);
  dashed_segment(marks, {p.area.x0, zero}, {p.area.x1, zero}, colour_axis);
  if (!has_motion(in)) return;
  if (has_sigma(in)) {
    describe_curve(f, in, j, p);
    describe_crossings(f, in, j, p);
  } else {
    f.scaled_text(ScaledText{(p.area.x0 + p.area.x1) / 2.0, zero + 0.015, kSmallSize,
                             TextAlign::Centre, colour_text, "not worked out for this motion"});
  }
  describe_cursor(f, in, p);
}
