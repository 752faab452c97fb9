#include "view/describe_frame.h"

#include <algorithm>

#include "robot/robot_kind.h"
#include "view/figures.h"
#include "view/graphs.h"
#include "view/robot_drawing.h"
#include "view/lesson_frame.h"
#include "view/lesson_inputs.h"
#include "view/scales.h"
#include "view/sweep_frame.h"
#include "view/text.h"
#include "view/text_metrics.h"

namespace {

// Figures, goal marker and tip paths for the robot's records.
void describe_robot_area(Sketch& sk, const Scenario& s, const RobotRun& rec,
                         void (*figure)(Sketch&, const Scenario&, const double*, const Colour&)) {
  const int shown = clamped_frame(s.frame_index);
  describe_ghost_path(sk.frame, s);  // under everything of the motion shown
  figure(sk, s, rec.fb_phi[shown], colour_red);
  figure(sk, s, rec.toc_phi[shown], colour_blue);
  describe_goal_marker(sk, s, s.xf, s.yf, colour_blue);
  describe_path_points(sk.frame, s, rec.fb_tip, rec.toc_tip, shown);
}

}  // namespace

DrawingRect mask_panel_rect(const Scenario& s) {
  const double x0 = s.layout.disp_graph_origin[0] - 0.05;
  return DrawingRect{x0, -1.0, x0 + 1.0, 1.0};
}

namespace {

// The pixel column the texts over the robot area keep left of (below 800):
// the panel's edge, where the robot area's scissor ends, and the graphs'
// labels beside their axes.
int fitted_text_right(const Scenario& s, int side) {
  constexpr int kGap = 4;
  return std::min(raster_pixel(mask_panel_rect(s).x0, side), graph_labels_left(s, side) - kGap);
}

}  // namespace

FrameDescription describe_frame(const Scenario& s, int side) {
  if (s.view_mode == ViewMode::Sweep) return describe_sweep_frame(s);
  if (s.view_mode == ViewMode::Lesson) return describe_lesson_frame(gather_lesson_inputs(s));
  FrameDescription f;
  f.open();
  // The line width the previous frame left: the grid's.
  Sketch sk{f, 1.0f};

  // With a robot shown, the panel behind the graphs is blank: everything
  // drawn before the graphs is kept left of the panel's edge, which leaves
  // the panel as white as the clear left it.
  const RobotDrawing* drawing = robot_drawing(s.robot);
  const bool robot = drawing != nullptr;
  if (robot) f.scissor(DrawingRect{-1.0, -1.0, mask_panel_rect(s).x0, 1.0});

  if (measured_layout(side)) {
    describe_fitted_texts(f, s, side, fitted_text_right(s, side));
  } else {
    describe_title(f);
    describe_captions(f, s);
    describe_readout(f, s);
    describe_window_note(f, s);
  }

  const double vs = s.view_scale;
  describe_grid(sk, Point{vs * s.layout.robot_base[0], vs * s.layout.robot_base[1]}, 0.0, 20,
                0.1 * vs, 0.1 * vs);
  // Mesa's software renderers rasterise a handed-over part in their own
  // threads while this one prepares the next, so a frame sent in a few parts
  // is done sooner than one sent whole (each part costs a little, so not too
  // many). A hand-over changes no pixel.
  f.add(ItemKind::HandOver);

  if (robot) describe_robot_area(sk, s, *selected_run(s, s.robot), drawing->figure);
  describe_drag_marker(sk, s);
  f.add(ItemKind::HandOver);
  if (robot) f.scissor(kWholePicture);

  describe_displacement_graph(sk, s, s.frame_index, side);
  f.add(ItemKind::HandOver);
  describe_torque_graphs(sk, s, s.frame_index, side);
  f.close();
  return f;
}
