#include "view/lesson_graphs.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "view/lesson_label_layout.h"
#include "view/lesson_layout.h"
#include "view/lesson_sigma.h"
#include "view/lesson_switches.h"
#include "view/lesson_time_marks.h"
#include "view/robot_drawing.h"
#include "view/text_metrics.h"

namespace {

using namespace lesson;

constexpr float kCurvePixels = 2.0f;
constexpr double kMarkerRadius = 0.012;
constexpr double kDotRadius = 0.7 * kMarkerRadius;  // of a switching point

bool sliding(const LessonInputs& in, int joint) {
  const RobotDrawing* drawing = robot_drawing(in.robot);
  return drawing != nullptr && drawing->joint2_slides && joint == 1;
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

// Joint j's switching points in its phase plane, numbered by name ("1a"),
// each once the motion shown has passed it. Only the joint's own switches:
// there its torque jumps and its curve turns a corner, which the names tie
// to the lines of the time graphs; the other joint's switches only bend the
// curve a little (through the coupling), and their dots would crowd the
// corners that matter.
void describe_switching_points(FrameDescription& f, const LessonInputs& in, int j, const Plot& p) {
  struct Shown {
    Point at;
    std::string name;
  };
  std::vector<Shown> shown;
  for (const SwitchPoint& s : joint_switches(in, j)) {
    const std::optional<Point> state = state_at(in, j, s.t);
    if (state && s.t <= in.shown * in.dt)
      shown.push_back(Shown{p.at(state->x, state->y), switch_name(s)});
  }
  // The labels keep clear of every dot, the start and the goal marker.
  std::vector<DrawingRect> taken;
  const auto keep_clear = [&](const Point& c, double r) {
    taken.push_back(DrawingRect{c.x - r, c.y - r, c.x + r, c.y + r});
  };
  keep_clear(p.at(in.start[j], 0.0), kMarkerRadius);
  keep_clear(p.at(in.goal[j], 0.0), kMarkerRadius);
  for (const Shown& d : shown) {
    f.round(Round{d.at, kDotRadius, false, 0.0, true, colour_blue, 1.0f});
    keep_clear(d.at, kDotRadius);
  }
  const double size = kSmallSize;
  const double ascent = size * kFontAscent / kFontUnitsPerEm;
  const double descent = size * kFontDescent / kFontUnitsPerEm;
  for (const Shown& d : shown) {
    // A box with room for the rounding of the text's pixel size.
    const std::optional<DrawingRect> box =
        place_beside(d.at, kDotRadius + 0.003, text_width(d.name, size) * 1.1,
                     (ascent + descent) * 1.1, p.area, taken, 0.003);
    if (!box) continue;  // crowded out: the dot stays, the time graphs name it
    taken.push_back(*box);
    f.scaled_text(
        ScaledText{box->x0, box->y0 + descent * 1.05, size, TextAlign::Left, colour_blue, d.name});
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

std::optional<Point> state_at(const LessonInputs& in, int joint, double t) {
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
    if (shows_sigma(in, g)) {
      describe_sigma_graph(f, in, g);
      continue;
    }
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
    if (q == Quantity::Torque && has_motion(in)) describe_interior_arcs(f, in, p, j);
    describe_plot_axes(f, p, x_step, y_step);

    Lines& marks = f.new_lines(1.0f);
    if (has_motion(in)) describe_time_lines(marks, in, p);
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
      describe_cursor(f, in, p);
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
    describe_switching_points(f, in, j, p);
  }
}
