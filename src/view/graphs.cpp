#include "view/graphs.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "robot/robot_kind.h"
#include "view/caption_text.h"
#include "view/robot_drawing.h"
#include "view/text.h"
#include "view/text_metrics.h"

namespace {

constexpr double kAxisWidth = 0.006;
constexpr double kCurveWidth = 0.008;
constexpr double kTickHeight = 0.02;
// How far the vertical axis reaches beyond the plotted height.
constexpr double kAxisOverhang = 0.05;

// A segment whose ends are not finite numbers is left out.
void line_if_finite(Sketch& sk, const Point& a, const Point& b, const Colour& c) {
  if (is_finite(a) && is_finite(b)) sk.line(a, b, c);
}

// The curves of a graph: one Lines item in the curve width, in the order the
// segments are added, kept within `panel`. The width is left at 2 pixels.
class Curves {
 public:
  Curves(Sketch& sk, const DrawingRect& panel, std::size_t segments) : sk_(sk) {
    sk.frame.scissor(panel);
    index_ = sk.frame.lines.size();
    sk.frame.new_lines(line_pixels(kCurveWidth)).segments.reserve(segments);
  }
  ~Curves() {
    sk_.frame.scissor(kWholePicture);
    sk_.line_width = 2.0f;
  }
  Curves(const Curves&) = delete;
  Curves& operator=(const Curves&) = delete;
  // A segment with an end that is not a finite number is left out.
  void add(const Point& a, const Point& b, const Colour& c) {
    if (is_finite(a) && is_finite(b)) sk_.frame.lines[index_].segments.push_back(Segment{a, b, c});
  }

 private:
  Sketch& sk_;
  std::size_t index_;
};

Point origin_of(const double o[2]) { return Point{o[0], o[1]}; }

// The box x0 .. x0 + width, y0 .. y1 widened by half a curve width.
DrawingRect curve_panel(double x0, double width, double y0, double y1) {
  const double m = kCurveWidth / 2.0;
  return DrawingRect{x0 - m, y0 - m, x0 + width + m, y1 + m};
}

// Pixels between a vertical axis and the labels beside it, and between a
// horizontal line and the texts above or below it: clear of the axes' 2.4
// pixels and of the lines' one.
constexpr int kLabelGap = 3;

// Texts placed in pixels in a square of `side` pixels (below 800).
struct PixelText {
  FrameDescription& f;
  int side;
  int at(double v) const { return raster_pixel(v, side); }
  void put(TextFont font, int column, int row, const std::string& text) const {
    f.text(font, pixel_centre(column, side), pixel_centre(row, side), text);
  }
  // Ending kLabelGap pixels left of the vertical axis at x.
  void left_of(TextFont font, double x, int row, const std::string& text) const {
    put(font, at(x) - kLabelGap - bitmap_width(font, text), row, text);
  }
  // The base line that puts the font's glyphs just above (below) row.
  static int above(int row) { return row + kLabelGap - 1; }
  static int below(TextFont font, int row) { return row - kLabelGap + 1 - bitmap_ascent(font); }
};

// x of sample i on a time axis of `width` for n samples.
double sample_x(double ox, int i, double width, int n) { return ox + i * width / n; }

// Where the goal labels stand in pixels: above their lines, kGoalX into the
// graph; two that would meet stand above the upper line and below the lower
// one, or, where that would take the lower one under the graph's axis, side
// by side above their lines. Not placed when a line is not a finite number.
struct GoalLabels {
  bool placed = false;
  int column[2] = {0, 0};
  int row[2] = {0, 0};
};

constexpr double kGoalX = 0.2;

GoalLabels goal_labels(const PixelText& p, const double yg[2], const Point& G,
                       const char* const names[2]) {
  GoalLabels g;
  if (!std::isfinite(yg[0]) || !std::isfinite(yg[1])) return g;
  const TextFont font = TextFont::Helvetica12;
  const int height = bitmap_ascent(font) + bitmap_descent(font);
  const int line[2] = {p.at(yg[0]), p.at(yg[1])};
  for (int j = 0; j < 2; ++j) {
    g.column[j] = p.at(G.x + kGoalX);
    g.row[j] = PixelText::above(line[j]);
  }
  g.placed = true;
  if (std::abs(g.row[0] - g.row[1]) >= height) return g;
  const int lower = line[0] <= line[1] ? 0 : 1;
  const int under = PixelText::below(font, line[lower]);
  if (under - bitmap_descent(font) >= PixelText::above(p.at(G.y))) {
    g.row[lower] = under;
  } else {
    const int upper = 1 - lower;
    g.column[upper] = g.column[lower] + bitmap_width(font, names[lower]) + bitmap_advance(font, ' ');
  }
  return g;
}

}  // namespace

void describe_time_axes(Sketch& sk, const Scenario& s, int mode, const Point& origin, double dt,
                        int n, double width, double height, int side) {
  FrameDescription& f = sk.frame;
  const double ox = origin.x;
  const double oy = origin.y;
  sk.wide_line(Point{ox, oy}, Point{ox + width, oy}, kAxisWidth, colour_red);

  const TimeTicks t = time_ticks(dt, n, width);
  for (int i = 1; i <= t.count; ++i) {
    const double x = ox + i * t.step;
    sk.line(Point{x, oy}, Point{x, oy + kTickHeight}, colour_red);
  }
  const double xm = ox + t.label_x;
  if (measured_layout(side)) {
    const PixelText p{f, side};
    const TextFont font = classic_font(side);
    const std::string digit(1, digit_chars[t.label]);
    const int tick = p.at(xm);
    const int row = PixelText::above(p.at(oy));
    p.put(font, tick - bitmap_width(font, digit), row, digit);
    p.put(font, tick + 1, row, "s");
  } else {
    char seconds_label[] = "0\n";
    seconds_label[0] = digit_chars[t.label];
    f.text(TextFont::Helvetica18, xm - 0.02, oy + 0.01, seconds_label);
    f.text(TextFont::Helvetica18, xm, oy + 0.01, "s");
  }
  sk.line(Point{xm, oy}, Point{xm, oy + kTickHeight}, colour_red);

  if (mode == 0) {
    sk.wide_line(Point{ox, oy}, Point{ox, oy + height}, kAxisWidth, colour_red);
    const double span = n * dt;
    const double xf = width * s.tfm / span;
    line_if_finite(sk, Point{ox + xf, oy}, Point{ox + xf, oy + height}, colour_red);
    if (const RobotRun* rec = selected_run(s, s.robot)) {
      const double xt = width * rec->tt[3] / span;
      line_if_finite(sk, Point{ox + xt, oy}, Point{ox + xt, oy + height}, colour_blue);
    }
  } else if (mode == 1) {
    sk.wide_line(Point{ox, oy - height}, Point{ox, oy + height}, kAxisWidth, colour_red);
  }
}

DrawingRect displacement_panel(const Layout& L) {
  const Point G = origin_of(L.disp_graph_origin);
  return curve_panel(G.x, L.graph_width, G.y, G.y + L.disp_graph_height + kAxisOverhang);
}

DrawingRect torque_panel(const Layout& L, int joint) {
  const Point O = origin_of(joint == 0 ? L.torque1_graph_origin : L.torque2_graph_origin);
  const double h = (joint == 0) ? L.torque1_graph_half_height : L.torque2_graph_half_height;
  return curve_panel(O.x, L.graph_width, O.y - h - kAxisOverhang, O.y + h + kAxisOverhang);
}

void describe_displacement_graph(Sketch& sk, const Scenario& s, int frame_index, int side) {
  FrameDescription& f = sk.frame;
  const Layout& L = s.layout;
  const Point G{L.disp_graph_origin[0], L.disp_graph_origin[1]};
  const bool measured = measured_layout(side);
  const PixelText p{f, side};

  describe_time_axes(sk, s, 0, G, s.dt, s.frame_count, L.graph_width,
                     L.disp_graph_height + kAxisOverhang, side);

  const TextFont font = measured ? classic_font(side) : TextFont::Helvetica18;
  const double unit_y = G.y + L.disp_graph_height - 0.05;
  const RobotDrawing* drawing = robot_drawing(s.robot);
  if (measured) {
    // Under the axis, kept inside the picture.
    const std::string title = "joint displacement";
    const int right_most = side - 2 - bitmap_width(font, title);
    const int column = std::max(std::min(p.at(G.x + 0.1), right_most), p.at(G.x) + kLabelGap);
    p.put(font, column, PixelText::below(font, p.at(G.y)), title);
    if (drawing != nullptr) p.left_of(font, G.x, p.at(unit_y), drawing->displacement_unit);
  } else {
    f.text(font, G.x + 0.1, G.y - 0.05, "joint displacement");
    if (drawing != nullptr) f.text(font, G.x - 0.1, unit_y, drawing->displacement_unit);
  }

  const RobotConditions* cond = selected_conditions(s);
  const RobotRun* rec = selected_run(s, s.robot);
  if (drawing == nullptr || cond == nullptr || rec == nullptr) return;

  const double lowest = rec->scales.displacement_min;
  const double sigma = rec->scales.displacement_per_unit;
  // Without a usable range every value lies on the base line.
  auto y = [&](double v) { return sigma == 0.0 ? G.y : G.y + (v - lowest) * sigma; };

  const double yg[2] = {y(cond->Phif[0]), y(cond->Phif[1])};
  const char* const goal_names[2] = {"goal1", "goal2"};
  const GoalLabels goals = measured ? goal_labels(p, yg, G, goal_names) : GoalLabels{};
  for (int j = 0; j < 2; ++j) {
    const Colour& c = drawing->goal_colour[j];
    line_if_finite(sk, Point{G.x, yg[j]}, Point{G.x + L.graph_width, yg[j]}, c);
    if (goals.placed)
      p.put(TextFont::Helvetica12, goals.column[j], goals.row[j], goal_names[j]);
    else
      f.text(TextFont::Helvetica12, G.x + 0.2, yg[j] + 0.01, goal_names[j]);
  }

  // Sample by sample: both feedback joints, then both time-optimal joints, so
  // that later samples lie over earlier ones as the curves grow.
  const int last = clamped_frame(frame_index);
  Curves curves(sk, displacement_panel(L), 4 * static_cast<std::size_t>(last));
  for (int i = 1; i <= last; ++i) {
    const double x0 = sample_x(G.x, i - 1, L.graph_width, s.frame_count);
    const double x1 = sample_x(G.x, i, L.graph_width, s.frame_count);
    for (int j = 0; j < 2; ++j) {
      curves.add(Point{x0, y(rec->fb_phi[i - 1][j])}, Point{x1, y(rec->fb_phi[i][j])}, colour_red);
    }
    for (int j = 0; j < 2; ++j) {
      curves.add(Point{x0, y(rec->toc_phi[i - 1][j])}, Point{x1, y(rec->toc_phi[i][j])},
                 colour_blue);
    }
  }
}

void describe_torque_graphs(Sketch& sk, const Scenario& s, int frame_index, int side) {
  FrameDescription& f = sk.frame;
  const Layout& L = s.layout;
  const RobotRun* rec = selected_run(s, s.robot);
  const RobotDrawing* drawing = robot_drawing(s.robot);
  const bool measured = measured_layout(side);
  const PixelText p{f, side};
  const TextFont font = measured ? classic_font(side) : TextFont::Helvetica18;
  const int last = clamped_frame(frame_index);

  for (int j = 0; j < 2; ++j) {
    const Point O = (j == 0) ? Point{L.torque1_graph_origin[0], L.torque1_graph_origin[1]}
                             : Point{L.torque2_graph_origin[0], L.torque2_graph_origin[1]};
    const double h = (j == 0) ? L.torque1_graph_half_height : L.torque2_graph_half_height;

    describe_time_axes(sk, s, 1, O, s.dt, s.frame_count, L.graph_width, h + kAxisOverhang, side);

    const char* title = (j == 0) ? "Torque(1)" : "Torque(2)";
    const char* limit = (j == 0) ? "T1max" : "T2max";
    if (measured) {
      // The title under the zero line, the zero beside it, the unit beside
      // the axis and the limit's name above its line, right of the axis.
      const int zero = p.at(O.y);
      if (drawing != nullptr)
        p.put(font, p.at(O.x + 0.1),
              std::min(p.at(O.y - drawing->torque_title_drop), PixelText::below(font, zero)), title);
      p.left_of(font, O.x, zero - bitmap_ascent(font) / 2, "0");
      p.left_of(font, O.x, p.at(O.y + h - 0.05), "T[Nm]");
      sk.line(Point{O.x, O.y + h}, Point{O.x + L.graph_width, O.y + h}, colour_red);
      p.put(TextFont::Helvetica12, p.at(O.x) + kLabelGap, PixelText::above(p.at(O.y + h)), limit);
    } else {
      if (drawing != nullptr) f.text(font, O.x + 0.1, O.y - drawing->torque_title_drop, title);
      f.text(font, O.x - 0.05, O.y - 0.02, "0");
      f.text(font, O.x - 0.1, O.y + h - 0.05, "T[Nm]");
      sk.line(Point{O.x, O.y + h}, Point{O.x + L.graph_width, O.y + h}, colour_red);
      f.text(TextFont::Helvetica12, O.x, O.y + h + 0.01, limit);
    }
    sk.line(Point{O.x, O.y - h}, Point{O.x + L.graph_width, O.y - h}, colour_red);

    if (rec == nullptr || !rec->scales.torque_shown[j]) continue;
    const double sigma = rec->scales.torque_per_unit[j];

    Curves curves(sk, torque_panel(L, j), 2 * static_cast<std::size_t>(last));
    for (int i = 1; i <= last; ++i) {
      const double x0 = sample_x(O.x, i - 1, L.graph_width, s.frame_count);
      const double x1 = sample_x(O.x, i, L.graph_width, s.frame_count);
      curves.add(Point{x0, O.y + rec->fb_tau[i - 1][j] * sigma},
                 Point{x1, O.y + rec->fb_tau[i][j] * sigma}, colour_red);
      curves.add(Point{x0, O.y + rec->toc_tau[i - 1][j] * sigma},
                 Point{x1, O.y + rec->toc_tau[i][j] * sigma}, colour_blue);
    }
  }
}

int graph_labels_left(const Scenario& s, int side) {
  const Layout& L = s.layout;
  const TextFont font = classic_font(side);
  const RobotDrawing* drawing = robot_drawing(s.robot);
  const int unit = drawing != nullptr ? bitmap_width(font, drawing->displacement_unit) : 0;
  const int torque = std::max(bitmap_width(font, "T[Nm]"), bitmap_width(font, "0"));
  return std::min({raster_pixel(L.disp_graph_origin[0], side) - unit,
                   raster_pixel(L.torque1_graph_origin[0], side) - torque,
                   raster_pixel(L.torque2_graph_origin[0], side) - torque}) -
         kLabelGap;
}
