#include "view/frame_description.h"

#include <cmath>

void FrameDescription::scissor(const DrawingRect& r) {
  items.push_back(Item{ItemKind::Scissor, scissors.size()});
  scissors.push_back(r);
}

Lines& FrameDescription::new_lines(float width) {
  items.push_back(Item{ItemKind::Lines, lines.size()});
  lines.push_back(Lines{width, {}});
  return lines.back();
}

void FrameDescription::segment(const Point& a, const Point& b, const Colour& colour, float width) {
  const bool joins = !items.empty() && items.back().kind == ItemKind::Lines &&
                     !lines.back().placed && lines.back().width == width;
  Lines& to = joins ? lines.back() : new_lines(width);
  to.segments.push_back(Segment{a, b, colour});
}

void FrameDescription::box(const Box& b) {
  items.push_back(Item{ItemKind::Box, boxes.size()});
  boxes.push_back(b);
}

void FrameDescription::round(const Round& r) {
  items.push_back(Item{ItemKind::Round, rounds.size()});
  rounds.push_back(r);
}

void FrameDescription::text(TextFont font, double x, double y, const std::string& s) {
  // The raster position is taken in float; one that is not a number places nothing.
  const float fx = static_cast<float>(x);
  const float fy = static_cast<float>(y);
  if (!std::isfinite(fx) || !std::isfinite(fy)) return;
  items.push_back(Item{ItemKind::Text, texts.size()});
  texts.push_back(Label{font, fx, fy, colour_text, s});
}

std::vector<Dot>& FrameDescription::new_dots() {
  items.push_back(Item{ItemKind::Dots, dots.size()});
  dots.emplace_back();
  return dots.back();
}

void Sketch::line(const Point& p1, const Point& p2, const Colour& colour) {
  frame.segment(p1, p2, colour, line_width);
}

void Sketch::wide_lines(const Point (*segments)[2], int n, double width, const Colour& colour) {
  const float w = line_pixels(width);
  for (int i = 0; i < n; ++i) frame.segment(segments[i][0], segments[i][1], colour, w);
  line_width = 2.0f;
}

void Sketch::wide_line(const Point& p1, const Point& p2, double width, const Colour& colour) {
  const Point segment[1][2] = {{p1, p2}};
  wide_lines(segment, 1, width, colour);
}

void Sketch::fill_rect(const Point& corner, double w, double h, double angle,
                       const Colour& colour) {
  frame.box(Box{corner, w, h, angle, true, false, colour, colour, line_width});
}

void Sketch::outline_rect(const Point& corner, double w, double h, double angle,
                          const Colour& colour) {
  frame.box(Box{corner, w, h, angle, false, true, colour, colour, line_width});
}

void Sketch::boxed_rect(const Point& corner, double w, double h, double angle, const Colour& fill,
                        const Colour& outline) {
  frame.box(Box{corner, w, h, angle, true, true, fill, outline, line_width});
}

void Sketch::fill_disc(const Point& centre, double r, const Colour& colour) {
  frame.round(Round{centre, r, false, 0.0, true, colour, line_width});
}

void Sketch::outline_circle(const Point& centre, double r, const Colour& colour) {
  frame.round(Round{centre, r, false, 0.0, false, colour, line_width});
}

void Sketch::fill_half_disc(const Point& centre, double r, double start, const Colour& colour) {
  frame.round(Round{centre, r, true, start, true, colour, line_width});
}

void Sketch::outline_half_circle(const Point& centre, double r, double start,
                                 const Colour& colour) {
  frame.round(Round{centre, r, true, start, false, colour, line_width});
}

void FrameDescription::scaled_text(const ScaledText& t) {
  if (!std::isfinite(t.x) || !std::isfinite(t.y) || !(t.size > 0.0) || t.text.empty()) return;
  items.push_back(Item{ItemKind::ScaledText, scaled_texts.size()});
  scaled_texts.push_back(t);
}

void FrameDescription::open() {
  add(ItemKind::ScissorOff);
  add(ItemKind::Clear);
  scissor(kWholePicture);
  add(ItemKind::LightingOff);
  add(ItemKind::FlatShading);
}

void FrameDescription::close() {
  add(ItemKind::SmoothShading);
  add(ItemKind::ScissorOff);
  add(ItemKind::LightingOn);
}
