#include "view/window.h"

#include <GL/freeglut.h>
#include <GL/freeglut_ucall.h>
#include <GL/gl.h>
#include <malloc.h>

#include "view/frame.h"
#include "view/robot_area_map.h"
#include "view/window_setup.h"

namespace {

constexpr unsigned kTickMilliseconds = 10;

// Mesa's software renderers allocate their vertex uploads and bins anew for
// every frame and free them after it. With glibc's default the freed top of
// the heap goes back to the kernel at once, and every frame then pays some
// hundred page faults to get it again (more than the drawing itself on a
// virtual machine). Keep up to this much freed memory for reuse instead; the
// peak a session needs is the same.
constexpr int kKeptFreeMemory = 256 << 20;

ViewContext& context_of(void* user_data) { return *static_cast<ViewContext*>(user_data); }

void on_display(void* user_data) {
  ViewContext& ctx = context_of(user_data);
  display_frame(*ctx.renderer, *ctx.scenario);
}

void on_reshape(int width, int height, void*) { reshape_view(width, height); }

void on_key(unsigned char key, int, int, void* user_data) {
  handle_key(context_of(user_data), key, window_clock());
}

void on_special(int key, int, int, void* user_data) {
  int ours = -1;
  switch (key) {
    case GLUT_KEY_LEFT: ours = kKeyLeft; break;
    case GLUT_KEY_RIGHT: ours = kKeyRight; break;
    case GLUT_KEY_HOME: ours = kKeyHome; break;
    case GLUT_KEY_END: ours = kKeyEnd; break;
    default: return;
  }
  handle_key(context_of(user_data), ours, window_clock());
}

MouseButton button_of(int glut_button) {
  switch (glut_button) {
    case GLUT_LEFT_BUTTON: return MouseButton::Left;
    case GLUT_MIDDLE_BUTTON: return MouseButton::Middle;
    case GLUT_RIGHT_BUTTON: return MouseButton::Right;
    default: return MouseButton::Other;
  }
}

MouseEvent mouse_event(MousePhase phase, MouseButton button, int x, int y) {
  return MouseEvent{phase, button, x, y, glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT)};
}

void on_mouse(int button, int state, int x, int y, void* user_data) {
  ViewContext& ctx = context_of(user_data);
  const MouseButton b = button_of(button);
  const bool down = state == GLUT_DOWN;
  // Only the press being dragged is followed; the wheel's clicks are not presses.
  if (b == MouseButton::Other) return;
  if (down) ctx.held = b;
  else if (ctx.held == b) ctx.held = MouseButton::Other;
  handle_mouse(ctx, mouse_event(down ? MousePhase::Press : MousePhase::Release, b, x, y));
}

// Over the start or the goal the pointer changes its shape: they can be
// dragged. Only a change of shape is sent to the window system.
void on_passive_motion(int x, int y, void* user_data) {
  ViewContext& ctx = context_of(user_data);
  const bool over = task_point_at(*ctx.scenario, x, y, glutGet(GLUT_WINDOW_WIDTH),
                                  glutGet(GLUT_WINDOW_HEIGHT)) != TaskPoint::None;
  if (over == ctx.grab_cursor) return;
  ctx.grab_cursor = over;
  glutSetCursor(over ? GLUT_CURSOR_CROSSHAIR : GLUT_CURSOR_INHERIT);
}

void on_motion(int x, int y, void* user_data) {
  ViewContext& ctx = context_of(user_data);
  if (ctx.held == MouseButton::Other) return;
  handle_mouse(ctx, mouse_event(MousePhase::Drag, ctx.held, x, y));
}

void on_timer(int, void* user_data) {
  ViewContext& ctx = context_of(user_data);
  ctx.timer_armed = false;
  handle_tick(ctx, window_clock());
}

// One timer at a time, and only while the motion plays, a console question
// waits (the timer looks for its answer) or a new motion is being computed
// (the timer looks for its end).
void arm_timer(ViewContext& ctx) {
  const Scenario& s = *ctx.scenario;
  if (ctx.timer_armed || !(s.playback.playing || s.answer_pending || s.computing || s.sweeping))
    return;
  ctx.timer_armed = true;
  glutTimerFuncUcall(kTickMilliseconds, on_timer, 0, &ctx);
}

void show(ViewContext& ctx, KeyAction action) {
  switch (action) {
    case KeyAction::Quit:
      glutLeaveMainLoop();
      return;
    case KeyAction::Redraw:
      // Show the effect at once, and again as soon as the loop runs.
      display_frame(*ctx.renderer, *ctx.scenario);
      glutPostRedisplay();
      break;
    case KeyAction::SavePicture:
    case KeyAction::None:
      break;
  }
  arm_timer(ctx);
}

}  // namespace

double window_clock() { return glutGet(GLUT_ELAPSED_TIME) / 1000.0; }

int open_view(ViewContext& ctx, const char* title, int* argc, char** argv) {
  mallopt(M_TRIM_THRESHOLD, kKeptFreeMemory);
  glutInitWindowSize(800, 800);
  glutInit(argc, argv);
  glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
  const int window = glutCreateWindow(title);
  set_utf8_window_name(title);
  glutDisplayFuncUcall(on_display, &ctx);
  glutReshapeFuncUcall(on_reshape, &ctx);
  glutKeyboardFuncUcall(on_key, &ctx);
  glutSpecialFuncUcall(on_special, &ctx);
  glutMouseFuncUcall(on_mouse, &ctx);
  glutMotionFuncUcall(on_motion, &ctx);
  glutPassiveMotionFuncUcall(on_passive_motion, &ctx);
  glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
  ctx.renderer->capture_glyphs();
  return window;
}

void handle_key(ViewContext& ctx, int key, double now) { show(ctx, ctx.on_key(key, now, ctx.user)); }

void handle_mouse(ViewContext& ctx, const MouseEvent& event) {
  if (ctx.on_mouse == nullptr) return;
  show(ctx, ctx.on_mouse(event, ctx.user));
}

void handle_tick(ViewContext& ctx, double now) {
  const KeyAction action = ctx.on_tick(now, ctx.user);
  // A slow frame does not slow the motion: the next tick shows the sample due then.
  if (action == KeyAction::Redraw) glutPostRedisplay();
  arm_timer(ctx);
}

void run_view(const Scenario& s, Renderer& renderer, const char* title, KeyHandler on_key,
              TickHandler on_tick, MouseHandler on_mouse, void* user, int* argc, char** argv) {
  ViewContext ctx{&s, on_key, on_tick, user, false, &renderer, on_mouse};
  open_view(ctx, title, argc, argv);
  glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_GLUTMAINLOOP_RETURNS);
  glutMainLoop();
}
