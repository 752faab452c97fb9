#include "view/plot_axes.h"

#include <cmath>
#include <cstdio>

#include "view/lesson_layout.h"
#include "view/text_metrics.h"

namespace {

constexpr double kDash = 0.018;  // drawn part of a dash period
constexpr double kGap = 0.012;   // left-out part
constexpr double kTickLength = 0.012;

}  // namespace

void ValueRange::include(double v) {
  if (!std::isfinite(v)) return;
  if (empty) {
    lo = hi = v;
    empty = false;
    return;
  }
  lo = std::min(lo, v);
  hi = std::max(hi, v);
}

ValueRange with_margin(const ValueRange& r, double margin) {
  if (r.empty) return ValueRange{-0.5, 0.5, false};
  const double span = r.hi - r.lo;
  // A span lost in the rounding of its values counts as none.
  if (!(span > 1e-9 * std::max(1.0, std::max(std::fabs(r.lo), std::fabs(r.hi)))))
    return ValueRange{r.lo - 0.5, r.hi + 0.5, false};
  return ValueRange{r.lo - margin * span, r.hi + margin * span, false};
}

double round_step(double raw) {
  if (!(raw > 0.0) || !std::isfinite(raw)) return 1.0;
  const double p = std::pow(10.0, std::floor(std::log10(raw)));
  for (double m : {1.0, 2.0, 5.0, 10.0})
    if (m * p >= raw * (1.0 - 1e-12)) return m * p;
  return 10.0 * p;
}

std::vector<double> tick_values(double lo, double hi, double step) {
  std::vector<double> v;
  if (!(step > 0.0) || !std::isfinite(lo) || !std::isfinite(hi)) return v;
  const double first = std::ceil(lo / step - 1e-9);
  for (int k = 0; k < 50; ++k) {
    const double t = (first + k) * step;
    if (t > hi + 1e-9 * step) break;
    v.push_back(t);
  }
  return v;
}

std::string tick_text(double v, double step) {
  if (std::fabs(v) < 1e-3 * step) v = 0.0;
  const int decimals = step >= 1.0 ? 0 : static_cast<int>(std::ceil(-std::log10(step) - 1e-9));
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.*f", std::min(decimals, 6), v);
  return buf;
}

double Plot::x_of(double x) const {
  return area.x0 + (x - x_lo) / (x_hi - x_lo) * (area.x1 - area.x0);
}
double Plot::y_of(double y) const {
  return area.y0 + (y - y_lo) / (y_hi - y_lo) * (area.y1 - area.y0);
}
Point Plot::at(double x, double y) const { return Point{x_of(x), y_of(y)}; }

double axis_step(double lo, double hi, double length, double min_gap, int most) {
  const double span = hi - lo;
  double step = round_step(span / most);
  // Widen until neighbouring ticks are min_gap apart.
  for (int k = 0; k < 20 && step / span * length < min_gap; ++k) step = round_step(step * 1.5);
  return step;
}

void describe_outline(FrameDescription& f, const DrawingRect& r, const Colour& c) {
  Lines& l = f.new_lines(1.0f);
  l.segments.push_back(Segment{{r.x0, r.y0}, {r.x1, r.y0}, c});
  l.segments.push_back(Segment{{r.x1, r.y0}, {r.x1, r.y1}, c});
  l.segments.push_back(Segment{{r.x1, r.y1}, {r.x0, r.y1}, c});
  l.segments.push_back(Segment{{r.x0, r.y1}, {r.x0, r.y0}, c});
}

void describe_plot_axes(FrameDescription& f, const Plot& p, double x_step, double y_step) {
  const DrawingRect& a = p.area;
  Lines& frame = f.new_lines(1.0f);
  frame.segments.push_back(Segment{{a.x0, a.y0}, {a.x1, a.y0}, colour_axis});
  frame.segments.push_back(Segment{{a.x0, a.y0}, {a.x0, a.y1}, colour_axis});
  frame.segments.push_back(Segment{{a.x0, a.y1}, {a.x1, a.y1}, colour_frame_line});
  frame.segments.push_back(Segment{{a.x1, a.y0}, {a.x1, a.y1}, colour_frame_line});
  const double size = lesson::kSmallSize;
  for (double v : tick_values(p.x_lo, p.x_hi, x_step)) {
    const double x = p.x_of(v);
    frame.segments.push_back(Segment{{x, a.y0}, {x, a.y0 + kTickLength}, colour_axis});
  }
  for (double v : tick_values(p.y_lo, p.y_hi, y_step)) {
    const double y = p.y_of(v);
    frame.segments.push_back(Segment{{a.x0, y}, {a.x0 + kTickLength, y}, colour_axis});
    // A line at 0 helps read signs (velocity, torque).
    if (std::fabs(v) < 1e-3 * y_step)
      frame.segments.push_back(Segment{{a.x0, y}, {a.x1, y}, colour_frame_line});
  }
  // Numbers at a corner of the plot keep inside its width (clear of the
  // other axis's numbers and of labels beside the plot), and those of the
  // value axis inside its height (clear of the title above).
  const double ascent = size * kFontAscent / kFontUnitsPerEm;
  for (double v : tick_values(p.x_lo, p.x_hi, x_step)) {
    const double x = p.x_of(v);
    const TextAlign align = x < a.x0 + 0.02   ? TextAlign::Left
                            : x > a.x1 - 0.02 ? TextAlign::Right
                                              : TextAlign::Centre;
    f.scaled_text(ScaledText{x, a.y0 - 0.032, size, align, colour_text, tick_text(v, x_step)});
  }
  for (double v : tick_values(p.y_lo, p.y_hi, y_step))
    f.scaled_text(ScaledText{a.x0 - 0.008, std::min(p.y_of(v) - 0.35 * size, a.y1 - ascent), size,
                             TextAlign::Right, colour_text, tick_text(v, y_step)});
}

void Polyline::to(const Point& p) {
  if (!is_finite(p)) {
    has_last_ = false;
    return;
  }
  if (!has_last_) {
    has_last_ = true;
    last_ = p;
    return;
  }
  const Point a = last_;
  last_ = p;
  if (!dashed_) {
    into_.segments.push_back(Segment{a, p, colour_});
    return;
  }
  const double len = std::hypot(p.x - a.x, p.y - a.y);
  double done = 0.0;
  while (done < len) {
    const bool on = phase_ < kDash;
    const double left = on ? kDash - phase_ : kDash + kGap - phase_;
    const double take = std::min(left, len - done);
    if (on) {
      const double s0 = done / len, s1 = (done + take) / len;
      into_.segments.push_back(Segment{{a.x + s0 * (p.x - a.x), a.y + s0 * (p.y - a.y)},
                                       {a.x + s1 * (p.x - a.x), a.y + s1 * (p.y - a.y)},
                                       colour_});
    }
    done += take;
    phase_ += take;
    if (phase_ >= kDash + kGap) phase_ = 0.0;
  }
}

void dashed_segment(Lines& into, const Point& a, const Point& b, const Colour& colour) {
  Polyline line(into, colour, true);
  line.to(a);
  line.to(b);
}
