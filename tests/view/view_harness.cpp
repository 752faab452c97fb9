#include "view_harness.h"

#include <GL/freeglut.h>
#include <GL/gl.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "console/console.h"
#include "view/frame.h"

namespace viewtest {

namespace {

// The back buffer, rows bottom to top as OpenGL gives them, 3 bytes per pixel.
std::vector<std::uint8_t> read_back_buffer(int width, int height) {
  std::vector<std::uint8_t> px(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, px.data());
  return px;
}

}  // namespace

ViewContext& window() {
  static Scenario scenario{};
  static Console console("", Encoding::Utf8);
  static ViewContext ctx{&scenario, &console};
  static const int id = [] {
    static char name[] = "view_tests";
    static char* argv[] = {name, nullptr};
    static int argc = 1;
    const int window_id = open_view(ctx, &argc, argv);
    reshape_view(kSize, kSize);
    return window_id;
  }();
  (void)id;
  return ctx;
}

Rgb Image::at(int x, int y) const {
  const std::size_t i =
      (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)) * 3;
  return Rgb{px[i], px[i + 1], px[i + 2]};
}

int pixel_of(double v) { return static_cast<int>(std::floor((v + 1.0) * kSize / 2.0)); }

Image render(Scenario& s) {
  window();
  glDrawBuffer(GL_BACK);
  compose_frame(s);
  glFinish();
  return Image{read_back_buffer(kSize, kSize)};
}

Image render_with(const std::function<void()>& draw) {
  window();
  glDrawBuffer(GL_BACK);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glLoadIdentity();
  draw();
  glFinish();
  return Image{read_back_buffer(kSize, kSize)};
}

bool resize_window(int width, int height) {
  window();
  glutReshapeWindow(width, height);
  // The X server answers with a configure event; a bounded number of passes
  // through GLUT's event handling sees it (no sleeping).
  for (int pass = 0; pass < 1000000; ++pass) {
    glutMainLoopEvent();
    if (glutGet(GLUT_WINDOW_WIDTH) == width && glutGet(GLUT_WINDOW_HEIGHT) == height) {
      glutMainLoopEvent();  // the reshape callback of that event
      return true;
    }
  }
  return false;
}

Image render_window(Scenario& s) {
  window();
  const int w = glutGet(GLUT_WINDOW_WIDTH);
  const int h = glutGet(GLUT_WINDOW_HEIGHT);
  glDrawBuffer(GL_BACK);
  compose_frame(s);
  glFinish();
  return Image{read_back_buffer(w, h), w, h};
}

bool is_white(const Rgb& c) { return c.r > 240 && c.g > 240 && c.b > 240; }
bool is_black(const Rgb& c) { return c.r < 5 && c.g < 5 && c.b < 5; }
bool is_red(const Rgb& c) { return c.r > 200 && c.g < 60 && c.b < 60; }
bool is_blue(const Rgb& c) { return c.b > 200 && c.r < 60 && c.g < 60; }
bool is_text_grey(const Rgb& c) {
  return c.r >= 6 && c.r <= 16 && c.g == c.r && c.b == c.r;
}
bool is_dark(const Rgb& c) { return c.r < 60 && c.g < 60 && c.b < 60; }

void set_layout_defaults(Scenario& s) {
  Layout& L = s.layout;
  L.robot_base[0] = -0.5;
  L.robot_base[1] = -0.5;
  L.disp_graph_origin[0] = 0.4;
  L.disp_graph_origin[1] = 0.5;
  L.torque1_graph_origin[0] = 0.4;
  L.torque1_graph_origin[1] = 0.1;
  L.torque2_graph_origin[0] = 0.4;
  L.torque2_graph_origin[1] = -0.6;
  L.graph_width = 0.5;
  L.torque1_graph_half_height = 0.25;
  L.torque2_graph_half_height = 0.25;
  L.hand_len = 0.12;
  L.wrist_draw_len = 0.03;
  L.wrist_draw_width = 0.06;
  L.mass_size = 0.1;
  L.mass_size2 = 0.12;
  L.cyl_arm_draw_len = 0.88;
  L.cyl_arm_draw_width = 0.044;
  L.cyl_base_draw_len = 0.2;
  L.cyl_base_draw_width = 0.15;
  L.l1_draw = 0.5;
  L.l2_draw = 0.28;
  L.link1_draw_width = 0.04;
  L.link2_draw_width = 0.04;
  L.joint1_radius = 0.06;
  L.joint2_radius = 0.06;
}

std::unique_ptr<Scenario> make_scenario(char robot, char gravity) {
  // Heap: a Scenario holds a few hundred kilobytes of records.
  auto s = std::make_unique<Scenario>();
  set_layout_defaults(*s);
  s->robot_type = robot;
  s->gravity_mode = gravity;
  s->frame_count = 200;
  s->dt = 4.0 / 200;
  s->tfm = 2.5;
  s->view_scale = 1.0;
  s->frame_index = 0;
  s->mw = 1.0;
  for (RobotRecord* r : {static_cast<RobotRecord*>(&s->cyl), static_cast<RobotRecord*>(&s->scara)}) {
    r->u1 = 30.0;
    r->u2 = 30.0;
  }
  return s;
}

}  // namespace viewtest
