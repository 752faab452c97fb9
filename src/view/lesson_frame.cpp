#include "view/lesson_frame.h"

#include <cmath>
#include <string>

#include "view/figures.h"
#include "view/lesson_graphs.h"
#include "view/lesson_layout.h"
#include "view/lesson_results.h"
#include "view/plot_axes.h"
#include "view/robot_drawing.h"
#include "view/text_metrics.h"

namespace {

using namespace lesson;

constexpr double kPointMarker = 0.016;

void text(FrameDescription& f, double x, double y, double size, const Colour& c, std::string s) {
  f.scaled_text(ScaledText{x, y, size, TextAlign::Left, c, std::move(s)});
}

std::string caption(const LessonInputs& in) {
  const RobotDrawing* drawing = robot_drawing(in.robot);
  std::string s = drawing != nullptr ? drawing->lesson_caption : "no robot selected";
  if (in.gravity == Gravity::On) s += ", vertical motion";
  if (in.gravity == Gravity::Off) s += ", horizontal motion";
  return s;
}

void describe_robot_area(FrameDescription& f, const LessonInputs& in) {
  text(f, kLeftX0, kRobotCaptionY, kBodySize, colour_text, caption(in));
  f.scissor(kRobotArea);
  const std::size_t first = f.items.size();
  const Scenario& s = *in.figures;
  Sketch sk{f, 1.0f};
  const double vs = in.view_scale;
  describe_grid(sk, Point{vs * in.robot_base[0], vs * in.robot_base[1]}, 0.0, 20, 0.1 * vs,
                0.1 * vs);
  describe_ghost_path(f, s);
  if (has_motion(in)) {
    // The figures of the classic picture, at the sample shown.
    const auto figure = robot_drawing(in.robot)->figure;
    figure(sk, s, in.fb_q[in.shown], colour_red);
    figure(sk, s, in.toc_q[in.shown], colour_blue);
    describe_path_points(f, s, in.fb_tip, in.toc_tip, in.shown);
  }
  describe_drag_marker(sk, s);
  const Placement m = robot_placement(in);
  place_items(f, first, m);
  f.scissor(kWholePicture);
  describe_outline(f, kRobotArea, colour_frame_line);
  // Start hollow, goal filled, as in the phase planes.
  const auto at = [&](const double p[2]) {
    return m.apply(Point{vs * (in.robot_base[0] + p[0]), vs * (in.robot_base[1] + p[1])});
  };
  const Point start = at(in.start_point), goal = at(in.goal_point);
  f.round(Round{start, kPointMarker, false, 0.0, false, colour_black, 2.0f});
  f.round(Round{goal, kPointMarker, false, 0.0, true, colour_black, 1.0f});
  // Beside the markers, clear of the hand that ends on the goal.
  const double beside = kPointMarker + 0.008;
  f.scaled_text(ScaledText{start.x + beside, start.y - kPointMarker - 0.8 * kSmallSize, kSmallSize,
                           TextAlign::Left, colour_text, "start"});
  f.scaled_text(ScaledText{goal.x + beside, goal.y + beside, kSmallSize, TextAlign::Left,
                           colour_text, "goal"});
}

// Blue time-optimal, red PID; joint 1 solid, joint 2 dashed.
void describe_legend(FrameDescription& f) {
  Lines& l = f.new_lines(2.0f);
  double x = -0.06;
  const double y = kLegendY;
  const auto entry = [&](const Colour& c, bool dashed, const char* name, const Colour& tc) {
    Polyline p(l, c, dashed);
    p.to({x, y + 0.012});
    p.to({x + 0.07, y + 0.012});
    x += 0.085;
    f.scaled_text(ScaledText{x, y, kBodySize, TextAlign::Left, tc, name});
    x += text_width(name, kBodySize) + 0.04;
  };
  entry(colour_blue, false, "time-optimal", colour_blue);
  entry(colour_red, false, "PID", colour_red);
  entry(colour_black, false, "joint 1", colour_text);
  entry(colour_black, true, "joint 2", colour_text);
}

}  // namespace

void place_items(FrameDescription& f, std::size_t first, const lesson::Placement& m) {
  for (std::size_t k = first; k < f.items.size(); ++k) {
    const Item& it = f.items[k];
    switch (it.kind) {
      case ItemKind::Lines: {
        Lines& l = f.lines[it.index];
        if (l.placed) {
          l.origin = m.apply(l.origin);
          for (Segment& s : l.segments)
            s.a = {m.scale * s.a.x, m.scale * s.a.y}, s.b = {m.scale * s.b.x, m.scale * s.b.y};
        } else {
          for (Segment& s : l.segments) s.a = m.apply(s.a), s.b = m.apply(s.b);
        }
        break;
      }
      case ItemKind::Box: {
        Box& b = f.boxes[it.index];
        b.corner = m.apply(b.corner);
        b.w *= m.scale;
        b.h *= m.scale;
        break;
      }
      case ItemKind::Round: {
        Round& r = f.rounds[it.index];
        r.centre = m.apply(r.centre);
        r.r *= m.scale;
        break;
      }
      case ItemKind::Dots:
        for (Dot& d : f.dots[it.index]) d.centre = m.apply(d.centre), d.r *= m.scale;
        break;
      case ItemKind::Text: {
        Label& t = f.texts[it.index];
        const Point p = m.apply(Point{t.x, t.y});
        t.x = static_cast<float>(p.x);
        t.y = static_cast<float>(p.y);
        break;
      }
      default: break;
    }
  }
}

FrameDescription describe_lesson_frame(const LessonInputs& in) {
  FrameDescription f;
  f.open();
  f.scaled_text(ScaledText{kLeftX0, kTitleY, kTitleSize, TextAlign::Left, colour_text,
                           "Time-optimal and PID motion"});
  describe_legend(f);
  describe_robot_area(f, in);
  f.add(ItemKind::HandOver);
  describe_phase_planes(f, in);
  describe_results(f, in);
  f.add(ItemKind::HandOver);
  describe_time_graphs(f, in);
  f.close();
  return f;
}
