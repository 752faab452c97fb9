#include "view/lesson_graphs.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "view/lesson_layout.h"
#include "view/robot_drawing.h"
#include "view/text_metrics.h"

namespace {

using namespace lesson;

constexpr float kCurvePixels = 2.0f;
constexpr double kMarkerRadius = 0.012;

bool sliding(const LessonInputs& in, int joint) {
  const RobotDrawing* drawing = robot_drawing(in.robot);
  return drawing != nullptr && drawing->joint2_slides && joint == 1;
}

std::string seconds(const char* name, double t) {
  char buf[48];
  std::snprintf(buf, sizeof buf, "%s = %.2f s", name, t);
  return buf;
}

// Both runs' curves of one graph up to the sample shown: joint 2 dashed.
void describe_runs(FrameDescription& f, const LessonInputs& in, int joint, const double (*fb)[2],
                   const double (*toc)[2], const double (*fb_x)[2], const double (*toc_x)[2],
                   const Plot& p) {
  Lines& curves = f.new_lines(kCurvePixels);
  const bool dashed = joint == 1;
  for (int run = 0; run < 2; ++run) {
    const double(*y)[2] = run == 0 ? fb : toc;
    const double(*x)[2] = run == 0 ? fb_x : toc_x;
    Polyline line(curves, run == 0 ? colour_red : colour_blue, dashed);
    for (int i = 0; i <= in.shown; ++i)
      line.to(x == nullptr ? p.at(i * in.dt, y[i][joint]) : p.at(x[i][joint], y[i][joint]));
  }
}

// A time line through a plot: the switching times grey, tf blue, tfm red.
void time_line(Lines& to, const Plot& p, double t, const Colour& c) {
  if (!std::isfinite(t) || t < p.x_lo || t > p.x_hi) return;
  const double x = p.x_of(t);
  to.segments.push_back(Segment{{x, p.area.y0}, {x, p.area.y1}, c});
}

// The labels of the time lines in the strip above the first graph: each in
// the lowest row where it keeps clear of the labels already there.
void describe_time_labels(FrameDescription& f, const LessonInputs& in, double span) {
  struct Label {
    double t;
    std::string text;
    Colour colour;
  };
  std::vector<Label> labels;
  const char* names[3] = {"t1", "t2", "t3"};
  for (int k = 0; k < 3; ++k) labels.push_back(Label{in.switching[k], names[k], colour_axis});
  labels.push_back(Label{in.tf, seconds("tf", in.tf), colour_blue});
  labels.push_back(Label{in.tfm, seconds("tfm", in.tfm), colour_red});
  double row_end[3] = {-2.0, -2.0, -2.0};
  for (const Label& l : labels) {
    if (!std::isfinite(l.t) || l.t < 0.0 || l.t > span) continue;
    ScaledText t{time_x(l.t, span), 0.0, kSmallSize, TextAlign::Centre, l.colour, l.text};
    const double w = text_width(l.text, kSmallSize) * 1.1;
    // Kept within the right column.
    t.x = std::min(std::max(t.x, kTimePlotX0 - 0.09 + w / 2.0), 0.99 - w / 2.0);
    int row = 0;
    while (row < 2 && t.x - w / 2.0 < row_end[row] + 0.01) ++row;
    row_end[row] = t.x + w / 2.0;
    t.y = kTimeLabelRows[row];
    f.scaled_text(t);
  }
}

}  // namespace

const double (*series(const LessonInputs& in, Quantity q, bool time_optimal))[2] {
  switch (q) {
    case Quantity::Displacement: return time_optimal ? in.toc_q : in.fb_q;
    case Quantity::Velocity: return time_optimal ? in.toc_dq : in.fb_dq;
    case Quantity::Torque: return time_optimal ? in.toc_tau : in.fb_tau;
  }
  return nullptr;
}

ValueRange time_graph_range(const LessonInputs& in, int graph) {
  const Quantity q = quantity_of(graph);
  const int j = joint_of(graph);
  ValueRange r;
  if (has_motion(in)) {
    for (bool toc : {false, true}) {
      const double(*v)[2] = series(in, q, toc);
      for (int i = 0; i <= in.frame_count; ++i) r.include(v[i][j]);
    }
  }
  if (q == Quantity::Displacement) r.include(in.goal[j]), r.include(in.start[j]);
  if (q == Quantity::Velocity) r.include(0.0);
  if (q == Quantity::Torque) r.include(in.limit[j]), r.include(-in.limit[j]);
  return with_margin(r);
}

ValueRange phase_range_q(const LessonInputs& in, int joint) { return time_graph_range(in, joint); }
ValueRange phase_range_dq(const LessonInputs& in, int joint) {
  return time_graph_range(in, 2 + joint);
}

std::optional<Point> switching_state(const LessonInputs& in, int joint, int k) {
  const double t = in.switching[k];
  if (!has_motion(in) || !(in.dt > 0.0) || !std::isfinite(t) || t < 0.0) return std::nullopt;
  const double at = t / in.dt;
  if (!(at <= in.frame_count)) return std::nullopt;
  const int i = std::min(static_cast<int>(at), in.frame_count - 1);
  const double s = at - i;
  const auto mix = [&](const double(*v)[2]) {
    return v[i][joint] + s * (v[i + 1][joint] - v[i][joint]);
  };
  return Point{mix(in.toc_q), mix(in.toc_dq)};
}

const char* unit_of(const LessonInputs& in, Quantity q, int joint) {
  const bool m = sliding(in, joint);
  switch (q) {
    case Quantity::Displacement: return m ? "m" : "rad";
    case Quantity::Velocity: return m ? "m/s" : "rad/s";
    case Quantity::Torque: return m ? "N" : "N\u00b7m";
  }
  return "";
}

void describe_time_graphs(FrameDescription& f, const LessonInputs& in) {
  const double span = time_span(in) > 0.0 ? time_span(in) : 1.0;
  const char* what[3] = {"displacement", "velocity", "torque"};
  for (int g = 0; g < kTimeGraphs; ++g) {
    const Quantity q = quantity_of(g);
    const int j = joint_of(g);
    const ValueRange r = time_graph_range(in, g);
    const Plot p{time_plot(g), 0.0, span, r.lo, r.hi};
    const char* name =
        (q == Quantity::Torque && sliding(in, j)) ? "force" : what[static_cast<int>(q)];
    f.scaled_text(
        ScaledText{p.area.x0 - 0.09, p.area.y1 + 0.013, kBodySize, TextAlign::Left, colour_text,
                   "joint " + std::to_string(j + 1) + " " + name + " [" + unit_of(in, q, j) + "]"});
    const double x_step = axis_step(0.0, span, p.area.x1 - p.area.x0, 0.09, 8);
    const double y_step = axis_step(r.lo, r.hi, p.area.y1 - p.area.y0, 0.05, 4);
    describe_plot_axes(f, p, x_step, y_step);

    Lines& marks = f.new_lines(1.0f);
    if (has_motion(in)) {
      for (double t : in.switching) time_line(marks, p, t, colour_switch_line);
      time_line(marks, p, in.tf, colour_blue);
      time_line(marks, p, in.tfm, colour_red);
    }
    // Goal and limits dashed, labelled right of the plot, just above the line.
    const double label_x = p.area.x1 + 0.008;
    if (q == Quantity::Displacement) {
      const double y = p.y_of(in.goal[j]);
      dashed_segment(marks, {p.area.x0, y}, {p.area.x1, y}, colour_axis);
      f.scaled_text(
          ScaledText{label_x, y + 0.005, kSmallSize, TextAlign::Left, colour_text, "goal"});
    }
    if (q == Quantity::Torque && std::isfinite(in.limit[j]) && in.limit[j] != 0.0) {
      for (double sign : {1.0, -1.0}) {
        const double y = p.y_of(sign * in.limit[j]);
        dashed_segment(marks, {p.area.x0, y}, {p.area.x1, y}, colour_limit);
        // Above its line: clear of the time axis's numbers below the plot.
        f.scaled_text(ScaledText{label_x, y + 0.005, kSmallSize, TextAlign::Left, colour_limit,
                                 sign > 0.0 ? "+max" : "-max"});
      }
    }
    if (has_motion(in)) {
      describe_runs(f, in, j, series(in, q, false), series(in, q, true), nullptr, nullptr, p);
      Lines& cursor = f.new_lines(1.0f);
      time_line(cursor, p, in.shown * in.dt, colour_black);
    }
  }
  if (has_motion(in)) describe_time_labels(f, in, span);
}

void describe_phase_planes(FrameDescription& f, const LessonInputs& in) {
  for (int j = 0; j < 2; ++j) {
    const ValueRange rx = phase_range_q(in, j);
    const ValueRange ry = phase_range_dq(in, j);
    const Plot p{phase_plot(j), rx.lo, rx.hi, ry.lo, ry.hi};
    const std::string title = "joint " + std::to_string(j + 1) + ": " +
                              unit_of(in, Quantity::Velocity, j) + " over " +
                              unit_of(in, Quantity::Displacement, j);
    f.scaled_text(
        ScaledText{kPhaseCell[j].x0, kPhaseTitleY, kBodySize, TextAlign::Left, colour_text, title});
    const double w = p.area.x1 - p.area.x0;
    describe_plot_axes(f, p, axis_step(rx.lo, rx.hi, w, 0.11, 4),
                       axis_step(ry.lo, ry.hi, p.area.y1 - p.area.y0, 0.05, 4));
    if (!has_motion(in)) continue;
    describe_runs(f, in, j, in.fb_dq, in.toc_dq, in.fb_q, in.toc_q, p);
    // Start hollow, goal filled (both at rest), switching points numbered.
    f.round(Round{p.at(in.start[j], 0.0), kMarkerRadius, false, 0.0, false, colour_black, 1.5f});
    f.round(Round{p.at(in.goal[j], 0.0), kMarkerRadius, false, 0.0, true, colour_black, 1.0f});
    // A switching point appears when the motion shown has passed it.
    for (int k = 0; k < 3; ++k) {
      const std::optional<Point> s = switching_state(in, j, k);
      if (!s || in.switching[k] > in.shown * in.dt) continue;
      const Point at = p.at(s->x, s->y);
      f.round(Round{at, 0.7 * kMarkerRadius, false, 0.0, true, colour_blue, 1.0f});
      f.scaled_text(ScaledText{at.x + 0.012, at.y + 0.01, kSmallSize, TextAlign::Left, colour_blue,
                               std::to_string(k + 1)});
    }
  }
}
