#include "view/graphs.h"

#include <GL/freeglut.h>

#include "robot/torque_laws.h"
#include "view/caption_text.h"
#include "view/text.h"
#include "view/line_batch.h"

namespace {

constexpr double kAxisWidth = 0.006;
constexpr double kCurveWidth = 0.008;
constexpr double kTickHeight = 0.02;
// How far the vertical axis reaches beyond the plotted height.
constexpr double kAxisOverhang = 0.05;

// A segment whose ends are not finite numbers is left out.
void line_if_finite(const Point& a, const Point& b, const Colour& c) {
  if (is_finite(a) && is_finite(b)) draw_line(a, b, c);
}

// Curve segments in the order they were added, in the curve width, within `panel`.
void draw_curves(const LineBatch& curves, const DrawingRect& panel) {
  const ScissorScope clip(panel);
  glLineWidth(static_cast<GLfloat>(to_screen(kCurveWidth) * 400.0));
  curves.draw();
  glLineWidth(2.0f);
}

Point origin_of(const double o[2]) { return Point{o[0], o[1]}; }

// The box x0 .. x0 + width, y0 .. y1 widened by half a curve width.
DrawingRect curve_panel(double x0, double width, double y0, double y1) {
  const double m = kCurveWidth / 2.0;
  return DrawingRect{x0 - m, y0 - m, x0 + width + m, y1 + m};
}

// x of sample i on a time axis of `width` for n samples.
double sample_x(double ox, int i, double width, int n) { return ox + i * width / n; }

}  // namespace

void draw_time_axes(const Scenario& s, int mode, const Point& origin, double dt, int n,
                    double width, double height) {
  const double ox = origin.x;
  const double oy = origin.y;
  draw_wide_line(Point{ox, oy}, Point{ox + width, oy}, kAxisWidth, colour_red);

  const TimeTicks t = time_ticks(dt, n, width);
  for (int i = 1; i <= t.count; ++i) {
    const double x = ox + i * t.step;
    draw_line(Point{x, oy}, Point{x, oy + kTickHeight}, colour_red);
  }
  const double xm = ox + t.label_x;
  char seconds_label[] = "0\n";
  seconds_label[0] = digit_chars[t.label];
  draw_text(xm - 0.02, oy + 0.01, GLUT_BITMAP_HELVETICA_18, seconds_label);
  draw_text(xm, oy + 0.01, GLUT_BITMAP_HELVETICA_18, "s");
  draw_line(Point{xm, oy}, Point{xm, oy + kTickHeight}, colour_red);

  if (mode == 0) {
    draw_wide_line(Point{ox, oy}, Point{ox, oy + height}, kAxisWidth, colour_red);
    const double span = n * dt;
    const double xf = width * s.tfm / span;
    line_if_finite(Point{ox + xf, oy}, Point{ox + xf, oy + height}, colour_red);
    if (const RobotRecord* rec = selected_record(s)) {
      const double xt = width * rec->tt[3] / span;
      line_if_finite(Point{ox + xt, oy}, Point{ox + xt, oy + height}, colour_blue);
    }
  } else if (mode == 1) {
    draw_wide_line(Point{ox, oy - height}, Point{ox, oy + height}, kAxisWidth, colour_red);
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

void draw_displacement_graph(const Scenario& s, int frame_index) {
  const Layout& L = s.layout;
  const Point G{L.disp_graph_origin[0], L.disp_graph_origin[1]};

  draw_time_axes(s, 0, G, s.dt, s.frame_count, L.graph_width,
                 L.disp_graph_height + kAxisOverhang);

  void* const font = GLUT_BITMAP_HELVETICA_18;
  draw_text(G.x + 0.1, G.y - 0.05, font, "joint displacement");
  const double unit_y = G.y + L.disp_graph_height - 0.05;
  if (s.robot == Robot::Cylindrical) draw_text(G.x - 0.1, unit_y, font, "fi[rad,m]");
  if (s.robot == Robot::Scara) draw_text(G.x - 0.1, unit_y, font, "fi[rad]");

  const RobotRecord* rec = selected_record(s);
  if (rec == nullptr) return;

  const JointRange range = joint_range(s);
  const double sigma = displacement_scale(range, L.disp_graph_span);
  // Without a usable range every value lies on the base line.
  auto y = [&](double v) { return sigma == 0.0 ? G.y : G.y + (v - range.min) * sigma; };

  for (int j = 0; j < 2; ++j) {
    const double yg = y(rec->Phif[j]);
    const Colour& c = (s.robot == Robot::Scara && j == 1) ? colour_blue : colour_red;
    line_if_finite(Point{G.x, yg}, Point{G.x + L.graph_width, yg}, c);
    draw_text(G.x + 0.2, yg + 0.01, GLUT_BITMAP_HELVETICA_12, j == 0 ? "goal1" : "goal2");
  }

  // Sample by sample: both feedback joints, then both time-optimal joints, so
  // that later samples lie over earlier ones as the curves grow.
  const int last = clamped_frame(frame_index);
  LineBatch curves;
  curves.reserve(8 * static_cast<std::size_t>(last));
  for (int i = 1; i <= last; ++i) {
    const double x0 = sample_x(G.x, i - 1, L.graph_width, s.frame_count);
    const double x1 = sample_x(G.x, i, L.graph_width, s.frame_count);
    for (int j = 0; j < 2; ++j) {
      curves.add_segment(Point{x0, y(rec->fb_phi[i - 1][j])}, Point{x1, y(rec->fb_phi[i][j])},
                         colour_red);
    }
    for (int j = 0; j < 2; ++j) {
      curves.add_segment(Point{x0, y(rec->toc_phi[i - 1][j])}, Point{x1, y(rec->toc_phi[i][j])},
                         colour_blue);
    }
  }
  draw_curves(curves, displacement_panel(L));
}

void draw_torque_graphs(const Scenario& s, int frame_index) {
  const Layout& L = s.layout;
  const RobotRecord* rec = selected_record(s);
  void* const font = GLUT_BITMAP_HELVETICA_18;
  const int last = clamped_frame(frame_index);

  for (int j = 0; j < 2; ++j) {
    const Point O = (j == 0) ? Point{L.torque1_graph_origin[0], L.torque1_graph_origin[1]}
                             : Point{L.torque2_graph_origin[0], L.torque2_graph_origin[1]};
    const double h = (j == 0) ? L.torque1_graph_half_height : L.torque2_graph_half_height;

    draw_time_axes(s, 1, O, s.dt, s.frame_count, L.graph_width, h + kAxisOverhang);

    const char* title = (j == 0) ? "Torque(1)" : "Torque(2)";
    if (s.robot == Robot::Cylindrical) draw_text(O.x + 0.1, O.y - 0.05, font, title);
    if (s.robot == Robot::Scara) draw_text(O.x + 0.1, O.y - 0.1, font, title);
    draw_text(O.x - 0.05, O.y - 0.02, font, "0");
    draw_text(O.x - 0.1, O.y + h - 0.05, font, "T[Nm]");

    draw_line(Point{O.x, O.y + h}, Point{O.x + L.graph_width, O.y + h}, colour_red);
    draw_text(O.x, O.y + h + 0.01, GLUT_BITMAP_HELVETICA_12, (j == 0) ? "T1max" : "T2max");
    draw_line(Point{O.x, O.y - h}, Point{O.x + L.graph_width, O.y - h}, colour_red);

    if (rec == nullptr) continue;
    const double limit = torque_limit(*rec, s.gravity, j);
    const std::optional<double> scale = torque_scale(h, limit);
    if (!scale) continue;
    const double sigma = *scale;

    LineBatch curves;
    curves.reserve(4 * static_cast<std::size_t>(last));
    for (int i = 1; i <= last; ++i) {
      const double x0 = sample_x(O.x, i - 1, L.graph_width, s.frame_count);
      const double x1 = sample_x(O.x, i, L.graph_width, s.frame_count);
      curves.add_segment(Point{x0, O.y + rec->fb_tau[i - 1][j] * sigma},
                         Point{x1, O.y + rec->fb_tau[i][j] * sigma}, colour_red);
      curves.add_segment(Point{x0, O.y + rec->toc_tau[i - 1][j] * sigma},
                         Point{x1, O.y + rec->toc_tau[i][j] * sigma}, colour_blue);
    }
    draw_curves(curves, torque_panel(L, j));
  }
}
