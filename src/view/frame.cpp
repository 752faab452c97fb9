#include "view/frame.h"

#include <GL/freeglut.h>
#include <GL/gl.h>

#include <optional>

#include "view/figures.h"
#include "view/glyphs.h"
#include "view/graphs.h"
#include "view/primitives.h"
#include "view/text.h"
#include "view/viewport.h"

namespace {

// Hands what has been drawn so far to the renderer. Mesa's software renderers
// rasterise a flushed part in their own threads while this thread prepares
// the next part, so a frame sent in a few parts is done sooner than one sent
// whole (each part costs a little, so not too many). A flush changes no pixel.
void hand_over() { glFlush(); }

// Figures, goal marker and tip paths for the robot's records.
void draw_robot_area(const Scenario& s, const RobotRecord& rec,
                     void (*figure)(const Scenario&, const double*, const Colour&)) {
  const int shown = clamped_frame(s.frame_index);
  figure(s, rec.fb_phi[shown], colour_red);
  figure(s, rec.toc_phi[shown], colour_blue);
  draw_goal_marker(s, s.xf, s.yf, colour_blue);
  draw_path_points(s, rec.fb_tip, rec.toc_tip, shown);
}

}  // namespace

DrawingRect mask_panel_rect(const Scenario& s) {
  const double x0 = s.layout.disp_graph_origin[0] - 0.05;
  return DrawingRect{x0, -1.0, x0 + 1.0, 1.0};
}

void compose_frame(const Scenario& s) {
  // The clear takes the whole window, the margins beside the picture too.
  glDisable(GL_SCISSOR_TEST);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glLoadIdentity();
  // Nothing drawn spills out of the picture's square (wide lines and text
  // could); lighting stays off until the end of the frame.
  scissor_to_picture();
  const LightingOffScope unlit;
  // Every shape has one colour: flat shading spares the renderers the colour
  // gradients of each triangle.
  glShadeModel(GL_FLAT);

  const bool robot = (s.robot == Robot::Cylindrical || s.robot == Robot::Scara);
  {
    // With a robot shown, the panel behind the graphs is blank: everything
    // drawn before the graphs is kept left of the panel's edge, which leaves
    // the panel as white as the clear left it, pixel for pixel the picture
    // that a white rectangle over the panel would give.
    std::optional<ScissorScope> left_of_panel;
    if (robot) left_of_panel.emplace(DrawingRect{-1.0, -1.0, mask_panel_rect(s).x0, 1.0});

    {
      const GlyphBatch together;  // the texts above the robot in one draw
      draw_title();
      draw_captions(s);
      draw_readout(s);
    }

    const double vs = s.view_scale;
    draw_grid(Point{vs * s.layout.robot_base[0], vs * s.layout.robot_base[1]}, 0.0, 20, 0.1 * vs,
              0.1 * vs);
    hand_over();

    if (s.robot == Robot::Cylindrical) draw_robot_area(s, s.cyl, draw_cyl_robot);
    if (s.robot == Robot::Scara) draw_robot_area(s, s.scara, draw_scara_robot);
    hand_over();
  }

  draw_displacement_graph(s, s.frame_index);
  hand_over();
  draw_torque_graphs(s, s.frame_index);
  glShadeModel(GL_SMOOTH);
  glDisable(GL_SCISSOR_TEST);
}

void display_frame(const Scenario& s) {
  compose_frame(s);
  glFlush();
  glutSwapBuffers();
}

void reshape_view(int width, int height) {
  const SquareViewport vp = square_viewport(width, height);
  glViewport(vp.x, vp.y, vp.side, vp.side);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
}
