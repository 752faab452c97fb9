#include "view/figures.h"

#include <algorithm>
#include <cstdio>

#include <cmath>
#include <initializer_list>

namespace {

// Clearance between a finger and the work piece.
constexpr double kFingerGap = 0.007;
// Width of the fingers and of the cross bar.
constexpr double kFingerWidth = 0.01;
constexpr double kTipDotRadius = 0.005;
constexpr double kHubFactor = 0.7;
constexpr double kLinkBackOffset = 0.005;
constexpr double kGoalDotRadius = 0.01;

Point add(const Point& a, const Point& b) { return Point{a.x + b.x, a.y + b.y}; }
Point sub(const Point& a, const Point& b) { return Point{a.x - b.x, a.y - b.y}; }
Point mul(double k, const Point& a) { return Point{k * a.x, k * a.y}; }
Point base(const Scenario& s) { return Point{s.layout.robot_base[0], s.layout.robot_base[1]}; }

// White box with a coloured outline.
void boxed_rect(Sketch& sk, const Point& corner, double w, double h, double angle,
                const Colour& colour) {
  sk.boxed_rect(corner, w, h, angle, colour_white, colour);
}

// One SCARA link (k = 1 or 2) from joint position `joint` (metres) at `angle`.
void describe_scara_link(Sketch& sk, const Scenario& s, int k, const Point& joint, double length,
                         double width, double angle, const Colour& colour);

// Hand with its fingers, the work piece centred on the tip and the red tip dot.
void describe_hand(Sketch& sk, const Scenario& s, const Point& tip, double angle,
                   const Colour& colour);

}  // namespace

void describe_grid(Sketch& sk, const Point& centre, double angle, int n, double dx, double dy) {
  const double sx = to_screen(dx);
  const double sy = to_screen(dy);
  // All lines are black, so the order does not show: the two centre lines in
  // one draw, all others in another, both about the grid's centre.
  FrameDescription& f = sk.frame;
  const Point origin{to_screen(centre.x), to_screen(centre.y)};
  const std::size_t centre_index = f.lines.size();
  f.new_lines(2.0f);
  f.new_lines(1.0f);
  const std::size_t others_index = centre_index + 1;
  for (std::size_t k : {centre_index, others_index}) {
    f.lines[k].placed = true;
    f.lines[k].origin = origin;
    f.lines[k].angle_deg = angle / kRadPerDegree;
  }
  f.lines[others_index].segments.reserve(4 * static_cast<std::size_t>(n > 0 ? n : 0));
  for (int i = -n; i <= n; ++i) {
    std::vector<Segment>& to = f.lines[i == 0 ? centre_index : others_index].segments;
    to.push_back(Segment{Point{i * sx, -n * sy}, Point{i * sx, n * sy}, colour_black});
    to.push_back(Segment{Point{-n * sx, i * sy}, Point{n * sx, i * sy}, colour_black});
  }
  sk.line_width = 1.0f;
}

void describe_cyl_robot(Sketch& sk, const Scenario& s, const double phi[2],
                        const Colour& colour) {
  const Layout& L = s.layout;
  const double vs = s.view_scale;
  const double theta = phi[0];
  const double r = phi[1];
  const Point B = mul(vs, base(s));
  const Point along{std::cos(theta), std::sin(theta)};
  const Point across{along.y, -along.x};

  // Sliding beam: from r - arm length - hand length to the back of the hand.
  const Point beam = add(B, mul(vs, add(mul(r - L.cyl_arm_draw_len - L.hand_len, along),
                                        mul(L.cyl_arm_draw_width / 2.0, across))));
  boxed_rect(sk, beam, vs * L.cyl_arm_draw_len, vs * L.cyl_arm_draw_width, theta, colour);

  // Base block centred on joint 1, turning with theta.
  const Point block = add(B, mul(vs, add(mul(-L.cyl_base_draw_len / 2.0, along),
                                         mul(L.cyl_base_draw_width / 2.0, across))));
  boxed_rect(sk, block, vs * L.cyl_base_draw_len, vs * L.cyl_base_draw_width, theta, colour);

  sk.outline_circle(B, vs * L.joint1_radius, colour);
  sk.fill_disc(B, vs * kHubFactor * L.joint1_radius, colour);

  describe_hand(sk, s, add(base(s), mul(r, along)), theta, colour);
}

void describe_scara_robot(Sketch& sk, const Scenario& s, const double phi[2],
                          const Colour& colour) {
  const Layout& L = s.layout;
  const double th1 = phi[0];
  const double fi = phi[0] + phi[1];
  describe_scara_link(sk, s, 1, base(s), L.l1_draw, L.link1_draw_width, th1, colour);
  const Point elbow = add(base(s), mul(L.l1_draw, Point{std::cos(th1), std::sin(th1)}));
  const Point tip = add(elbow, mul(L.l2_draw + L.hand_len, Point{std::cos(fi), std::sin(fi)}));
  describe_hand(sk, s, tip, fi, colour);
  describe_scara_link(sk, s, 2, elbow, L.l2_draw, L.link2_draw_width, fi, colour);
}

namespace {

void describe_scara_link(Sketch& sk, const Scenario& s, int k, const Point& joint, double length,
                         double width, double angle, const Colour& colour) {
  const Layout& L = s.layout;
  const double vs = s.view_scale;
  const Point P = mul(vs, joint);
  const Point along{std::cos(angle), std::sin(angle)};
  const Point across{along.y, -along.x};
  const double R = (k == 1) ? L.joint1_radius : L.joint2_radius;

  // Body from just behind the joint to the far end.
  const Point corner =
      add(P, mul(vs, add(mul(-kLinkBackOffset, along), mul(width / 2.0, across))));
  const double body_len = (k == 1) ? length + 0.01 : length + 0.005;
  boxed_rect(sk, corner, vs * body_len, vs * width, angle, colour);

  // Rounded back end, on the side away from the link.
  sk.fill_half_disc(P, vs * width / 2.0, angle - PI / 2.0, colour_white);
  sk.outline_half_circle(P, vs * width / 2.0, angle - PI / 2.0, colour);

  // Joint and hub: a filled hub on link 1, a ring on link 2.
  sk.fill_disc(P, vs * R, colour_white);
  sk.outline_circle(P, vs * R, colour);
  if (k == 1) {
    sk.fill_disc(P, vs * kHubFactor * R, colour);
  } else {
    sk.outline_circle(P, vs * kHubFactor * R, colour);
  }

  if (k == 1) {
    const Point E = add(P, mul(vs * length, along));
    sk.fill_half_disc(E, vs * width / 2.0, angle + PI / 2.0, colour_white);
    sk.outline_half_circle(E, vs * width / 2.0, angle + PI / 2.0, colour);
  }
}

void describe_hand(Sketch& sk, const Scenario& s, const Point& tip, double angle,
                   const Colour& colour) {
  const Layout& L = s.layout;
  const double vs = s.view_scale;
  const Point P = mul(vs, tip);
  const Point along{std::cos(angle), std::sin(angle)};
  const Point across{along.y, -along.x};
  const double g = kFingerGap;

  const Point Q = sub(P, mul(vs * L.hand_len, along));  // back end of the hand

  const Point wrist = add(Q, mul(vs * (L.wrist_draw_width / 2.0), across));
  boxed_rect(sk, wrist, vs * L.wrist_draw_len, vs * L.wrist_draw_width, angle, colour);

  const Point F = add(Q, mul(vs * L.wrist_draw_len, along));  // front face of the wrist
  const double k = L.mass_size2 / 2.0 + g;
  const Point A1 = add(F, mul(vs * k, across));
  const Point A2 = sub(F, mul(vs * k, across));

  // The cross bar, then a finger from each of its ends.
  Point bars[3][2] = {{A1, A2}, {}, {}};
  for (int i = 0; i < 2; ++i) {
    const Point start = sub(i == 0 ? A1 : A2, mul(vs * (g / 2.0), along));
    bars[i + 1][0] = start;
    bars[i + 1][1] = add(start, mul(vs * (L.hand_len - L.wrist_draw_len + g), along));
  }
  sk.wide_lines(bars, 3, kFingerWidth, colour);

  const Point piece = add(P, mul(vs, add(mul(-L.mass_size / 2.0, along),
                                         mul(L.mass_size2 / 2.0, across))));
  boxed_rect(sk, piece, vs * L.mass_size, vs * L.mass_size2, angle, colour);

  sk.fill_disc(P, vs * kTipDotRadius, colour_red);
}

}  // namespace

void describe_goal_marker(Sketch& sk, const Scenario& s, double x, double y,
                          const Colour& colour) {
  const double vs = s.view_scale;
  sk.fill_disc(mul(vs, add(base(s), Point{x, y})), vs * kGoalDotRadius, colour);
}

Point path_dot(const Scenario& s, const double p[2]) {
  return mul(s.view_scale, add(base(s), Point{p[0], p[1]}));
}

void describe_path_points(FrameDescription& frame, const Scenario& s, const double (*fb)[2],
                          const double (*toc)[2], int last) {
  const double r = s.view_scale * kPathDotRadius;
  std::vector<Dot>& dots = frame.new_dots();
  dots.reserve(2 * static_cast<std::size_t>(last + 1));
  for (int i = 0; i <= last; ++i) {
    dots.push_back(Dot{path_dot(s, fb[i]), r, colour_red});
    dots.push_back(Dot{path_dot(s, toc[i]), r, colour_blue});
  }
}

void describe_ghost_path(FrameDescription& frame, const Scenario& s) {
  if (s.ghost_points <= 0) return;
  const double r = s.view_scale * kPathDotRadius;
  std::vector<Dot>& dots = frame.new_dots();
  const int n = std::min(s.ghost_points, kRecordCapacity);
  dots.reserve(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) dots.push_back(Dot{path_dot(s, s.ghost_tip[i]), r, colour_ghost});
}

void describe_drag_marker(Sketch& sk, const Scenario& s) {
  if (s.drag_point == 0) return;
  const double vs = s.view_scale;
  const Point at = mul(vs, add(base(s), Point{s.drag_x, s.drag_y}));
  const double r = 0.015;  // drawing units: the same size at any zoom
  sk.outline_circle(at, r, colour_black);
  sk.line(Point{at.x - 2 * r, at.y}, Point{at.x - r, at.y}, colour_black);
  sk.line(Point{at.x + r, at.y}, Point{at.x + 2 * r, at.y}, colour_black);
  sk.line(Point{at.x, at.y - 2 * r}, Point{at.x, at.y - r}, colour_black);
  sk.line(Point{at.x, at.y + r}, Point{at.x, at.y + 2 * r}, colour_black);
  char text[96];
  std::snprintf(text, sizeof text, "x = %.3f m, y = %.3f m%s", s.drag_x, s.drag_y,
                s.drag_reachable ? "" : "  out of reach");
  if (!s.drag_reachable) {
    // Crossed out: dropped here, the point would change nothing.
    sk.line(Point{at.x - 1.5 * r, at.y - 1.5 * r}, Point{at.x + 1.5 * r, at.y + 1.5 * r}, colour_red);
    sk.line(Point{at.x - 1.5 * r, at.y + 1.5 * r}, Point{at.x + 1.5 * r, at.y - 1.5 * r}, colour_red);
  }
  sk.frame.text(TextFont::Helvetica12, at.x + 2.5 * r, at.y + 1.5 * r, text);
}
