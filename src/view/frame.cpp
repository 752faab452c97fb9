#include "view/frame.h"

#include <GL/freeglut.h>
#include <GL/gl.h>

#include "view/figures.h"
#include "view/graphs.h"
#include "view/primitives.h"
#include "view/text.h"

namespace {

// Figures, goal marker, tip paths and the panel for the robot's records.
void draw_robot_area(const Scenario& s, const RobotRecord& rec,
                     void (*figure)(const Scenario&, const double*, const Colour&)) {
  const int shown = clamped_frame(s.frame_index);
  figure(s, rec.fb_phi[shown], colour_red);
  figure(s, rec.toc_phi[shown], colour_blue);
  draw_goal_marker(s, s.xf, s.yf, colour_blue);
  for (int i = 0; i <= shown; ++i) {
    draw_path_point(s, rec.fb_tip[i], colour_red);
    draw_path_point(s, rec.toc_tip[i], colour_blue);
  }
  mask_panel(s);
}

}  // namespace

void mask_panel(const Scenario& s) {
  fill_rect(Point{s.layout.disp_graph_origin[0] - 0.05, -1.0}, 1.0, 2.0, 0.0, colour_white);
}

void compose_frame(const Scenario& s) {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glLoadIdentity();

  draw_title();
  draw_captions(s);
  draw_readout(s);

  const double vs = s.view_scale;
  draw_grid(Point{vs * s.layout.robot_base[0], vs * s.layout.robot_base[1]}, 0.0, 20, 0.1 * vs,
            0.1 * vs);

  if (s.robot == Robot::Cylindrical) draw_robot_area(s, s.cyl, draw_cyl_robot);
  if (s.robot == Robot::Scara) draw_robot_area(s, s.scara, draw_scara_robot);

  draw_displacement_graph(s, s.frame_index);
  draw_torque_graphs(s, s.frame_index);
}

void display_frame(const Scenario& s) {
  compose_frame(s);
  glFlush();
  glutSwapBuffers();
}

void reshape_view(int width, int height) {
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
}
