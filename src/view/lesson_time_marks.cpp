#include "view/lesson_time_marks.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "view/lesson_label_layout.h"
#include "view/lesson_layout.h"
#include "view/lesson_switches.h"
#include "view/text_metrics.h"

namespace {

using namespace lesson;

std::string seconds(const char* name, double t) {
  char buf[48];
  std::snprintf(buf, sizeof buf, "%s = %.2f s", name, t);
  return buf;
}

bool within(const Plot& p, double t) { return std::isfinite(t) && t >= p.x_lo && t <= p.x_hi; }

// A vertical line through the plot at time t, solid or dashed.
void time_line(Lines& to, const Plot& p, double t, const Colour& c, bool dashed = false) {
  if (!within(p, t)) return;
  const double x = p.x_of(t);
  if (dashed)
    dashed_segment(to, {x, p.area.y0}, {x, p.area.y1}, c);
  else
    to.segments.push_back(Segment{{x, p.area.y0}, {x, p.area.y1}, c});
}

}  // namespace

void describe_time_lines(Lines& to, const LessonInputs& in, const Plot& p) {
  for (const SwitchPoint& s : switch_points(in))
    time_line(to, p, s.t, colour_switch_line, s.joint == 1);
  time_line(to, p, in.tf, colour_blue);
  time_line(to, p, in.tfm, colour_red);
}

void describe_interior_arcs(FrameDescription& f, const LessonInputs& in, const Plot& p, int joint) {
  for (const InteriorArc& a : interior_arcs(in)) {
    if (a.joint != joint) continue;
    // The part within the plot's time axis.
    const double x0 = p.x_of(std::fmax(a.t0, p.x_lo)), x1 = p.x_of(std::fmin(a.t1, p.x_hi));
    if (!(x1 > x0)) continue;
    const Box shade{{x0, p.area.y0}, x1 - x0, p.area.y1 - p.area.y0, 0.0, true, false,
                    colour_interior_arc, colour_interior_arc, 1.0f};
    f.box(shade);
  }
}

void describe_cursor(FrameDescription& f, const LessonInputs& in, const Plot& p) {
  const double now = in.shown * in.dt;
  if (!within(p, now)) return;
  const double x = p.x_of(now);
  f.new_lines(1.0f).segments.push_back(Segment{{x, p.area.y0}, {x, p.area.y1}, colour_black});
}

// tf and tfm first, which keep their places, then the switches in time
// order; each in the lowest row where it stands over its line, else where it
// comes nearest to it.
void describe_time_labels(FrameDescription& f, const LessonInputs& in, double span) {
  struct Label {
    double t;
    std::string text;
    Colour colour;
  };
  std::vector<Label> labels{{in.tf, seconds("tf", in.tf), colour_blue},
                            {in.tfm, seconds("tfm", in.tfm), colour_red}};
  for (const SwitchPoint& s : switch_points(in))
    labels.push_back(Label{s.t, switch_name(s), colour_axis});
  std::vector<const Label*> shown;
  std::vector<StripLabel> strip;
  for (const Label& l : labels) {
    if (!std::isfinite(l.t) || l.t < 0.0 || l.t > span) continue;
    shown.push_back(&l);
    // Room for the rounding of the text's pixel size.
    strip.push_back(StripLabel{time_x(l.t, span), text_width(l.text, kSmallSize) * 1.1});
  }
  // Within the right column.
  const std::vector<StripPlace> at = lay_out_strip(strip, 3, kTimePlotX0 - 0.09, 0.99, 0.01);
  for (std::size_t k = 0; k < at.size(); ++k) {
    if (at[k].row < 0) continue;  // no room left: the results panel has every time
    f.scaled_text(ScaledText{at[k].x, kTimeLabelRows[at[k].row], kSmallSize, TextAlign::Centre,
                             shown[k]->colour, shown[k]->text});
  }
}
