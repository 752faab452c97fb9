#include "view/window.h"

#include <GL/freeglut.h>
#include <GL/freeglut_ucall.h>
#include <GL/gl.h>
#include <malloc.h>

#include "view/frame.h"
#include "view/glyphs.h"
#include "view/key_commands.h"
#include "view/window_setup.h"

const char* const kWindowTitle =
    "a,b:ロボット選択, u:減速, g,h:重力, k:始終点 変更，W,w:画面拡大縮小，0:初期へ，s:継続";

namespace {

// Mesa's software renderers allocate their vertex uploads and bins anew for
// every frame and free them after it. With glibc's default the freed top of
// the heap goes back to the kernel at once, and every frame then pays some
// hundred page faults to get it again (more than the drawing itself on a
// virtual machine). Keep up to this much freed memory for reuse instead; the
// peak a session needs is the same.
constexpr int kKeptFreeMemory = 256 << 20;

ViewContext& context_of(void* user_data) { return *static_cast<ViewContext*>(user_data); }

void on_display(void* user_data) { display_frame(*context_of(user_data).scenario); }

void on_reshape(int width, int height, void*) { reshape_view(width, height); }

void on_key(unsigned char key, int, int, void* user_data) { handle_key(context_of(user_data), key); }

}  // namespace

int open_view(ViewContext& ctx, int* argc, char** argv) {
  mallopt(M_TRIM_THRESHOLD, kKeptFreeMemory);
  glutInitWindowSize(800, 800);
  glutInit(argc, argv);
  glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
  const int window = glutCreateWindow(kWindowTitle);
  set_utf8_window_name(kWindowTitle);
  glutDisplayFuncUcall(on_display, &ctx);
  glutReshapeFuncUcall(on_reshape, &ctx);
  glutKeyboardFuncUcall(on_key, &ctx);
  glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
  capture_glyphs();
  return window;
}

void handle_key(ViewContext& ctx, unsigned char key) {
  switch (apply_key(*ctx.scenario, *ctx.console, key)) {
    case KeyAction::Quit:
      ctx.console->terminate(0);
    case KeyAction::Redraw:
      // View keys show their effect at once; after a condition key the window
      // is redrawn as soon as the loop runs again.
      if (is_view_key(key)) display_frame(*ctx.scenario);
      glutPostRedisplay();
      break;
    case KeyAction::None:
      break;
  }
}

void start_view(Scenario& s, Console& con, int* argc, char** argv) {
  // Lives as long as the process: glutMainLoop does not come back.
  ViewContext ctx{&s, &con};
  open_view(ctx, argc, argv);
  glutMainLoop();
  con.terminate(0);
}
