#include "view_harness.h"

#include <GL/freeglut.h>
#include <GL/gl.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "app/text_catalog.h"
#include "model/defaults.h"
#include "robot/graph_scales.h"
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

Renderer& renderer() {
  window();
  return *window().renderer;
}

ViewContext& window() {
  static Scenario scenario{};
  static Renderer drawing;
  static ViewContext ctx{&scenario, [](int, double, void*) { return KeyAction::None; },
                         [](double, void*) { return KeyAction::None; }, nullptr, false,
                         &drawing};
  static const int id = [] {
    static char name[] = "view_tests";
    static char* argv[] = {name, nullptr};
    static int argc = 1;
    // The program's own title, as it opens its window.
    const int window_id = open_view(ctx, text(Text::WindowTitle, Lang::Ja), &argc, argv);
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

Image render(const Scenario& s) {
  window();
  glDrawBuffer(GL_BACK);
  compose_frame(renderer(), s);
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

Image render_items(const FrameDescription& frame) {
  FrameDescription unlit;
  unlit.add(ItemKind::LightingOff);
  const Image im = render_with([&] {
    renderer().draw(unlit);
    renderer().draw(frame);
    unlit.items.back().kind = ItemKind::LightingOn;
    renderer().draw(unlit);
  });
  return im;
}

Image render_sketch(const std::function<void(Sketch&)>& describe) {
  FrameDescription f;
  Sketch sk{f};
  describe(sk);
  return render_items(f);
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
  compose_frame(renderer(), s);
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

std::unique_ptr<Scenario> make_scenario(char robot, char gravity) {
  // Heap: a Scenario holds a few hundred kilobytes of records.
  auto s = std::make_unique<Scenario>();
  s->layout = default_layout();
  select_robot(*s, robot);
  select_gravity(*s, gravity);
  s->frame_count = 200;
  s->dt = 4.0 / 200;
  s->tfm = 2.5;
  s->view_scale = 1.0;
  s->frame_index = 0;
  s->mw = 1.0;
  for (RobotConditions* r : {static_cast<RobotConditions*>(&s->cyl), static_cast<RobotConditions*>(&s->scara)}) {
    r->u1 = 30.0;
    r->u2 = 30.0;
  }
  update_graph_scales(*s, *s, s->layout);
  return s;
}

}  // namespace viewtest
