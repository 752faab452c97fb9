#include "view/window.h"

#include <GL/freeglut.h>
#include <GL/freeglut_ucall.h>
#include <GL/gl.h>

#include "view/frame.h"
#include "view/window_setup.h"

namespace {

ViewContext& context_of(void* user_data) { return *static_cast<ViewContext*>(user_data); }

void on_display(void* user_data) { display_frame(*context_of(user_data).scenario); }

void on_reshape(int width, int height, void*) { reshape_view(width, height); }

void on_key(unsigned char key, int, int, void* user_data) { handle_key(context_of(user_data), key); }

}  // namespace

int open_view(ViewContext& ctx, const char* title, int* argc, char** argv) {
  glutInitWindowSize(800, 800);
  glutInit(argc, argv);
  glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
  const int window = glutCreateWindow(title);
  set_utf8_window_name(title);
  glutDisplayFuncUcall(on_display, &ctx);
  glutReshapeFuncUcall(on_reshape, &ctx);
  glutKeyboardFuncUcall(on_key, &ctx);
  glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
  return window;
}

void handle_key(ViewContext& ctx, unsigned char key) {
  switch (ctx.on_key(key, ctx.user)) {
    case KeyAction::Quit:
      glutLeaveMainLoop();
      break;
    case KeyAction::Redraw:
      // Show the effect at once, and again as soon as the loop runs.
      display_frame(*ctx.scenario);
      glutPostRedisplay();
      break;
    case KeyAction::None:
      break;
  }
}

void run_view(const Scenario& s, const char* title, KeyHandler on_key, void* user, int* argc,
              char** argv) {
  ViewContext ctx{&s, on_key, user};
  open_view(ctx, title, argc, argv);
  glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_GLUTMAINLOOP_RETURNS);
  glutMainLoop();
}
