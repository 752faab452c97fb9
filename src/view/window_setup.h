// Window creation, split from the event loop so that it can be driven
// without entering glutMainLoop.
#pragma once

#include "model/scenario.h"
#include "view/key_action.h"
#include "view/renderer.h"

// What the callbacks work on; must outlive the window. The window only reads
// the scenario; keys go to the handler, which may change it.
struct ViewContext {
  const Scenario* scenario;
  KeyHandler on_key;
  TickHandler on_tick;
  void* user;
  bool timer_armed = false;
  Renderer* renderer = nullptr;  // draws the frames; set before the window opens
  MouseHandler on_mouse = nullptr;  // none: the mouse is not followed
  MouseButton held = MouseButton::Other;
  bool grab_cursor = false;  // the pointer shows it can take hold of a task point  // the button of the press being dragged
};

// Sets the window's WM_NAME and _NET_WM_NAME in forms X clients read as UTF-8
// (GLUT writes the title only as a Latin-1 WM_NAME), and its WM_CLASS
// (tocsim, Tocsim), on the current GLX drawable.
void set_utf8_window_name(const char* utf8);

// Creates the 800 x 800 double-buffered window with the title (UTF-8),
// installs the display, reshape, keyboard and mouse callbacks for `ctx`, sets the
// white clear colour and has ctx.renderer read back the glyphs of the text
// fonts. Also has the process keep freed heap memory for reuse
// rather than return it to the kernel after every frame. Returns the GLUT
// window id.
int open_view(ViewContext& ctx, const char* title, int* argc, char** argv);

// What the mouse callbacks do with one event: the handler's answer, as for a key.
void handle_mouse(ViewContext& ctx, const MouseEvent& event);

// What the keyboard callbacks do with one key (a byte or kKey*) at `now`: the
// handler's answer decides whether to redraw or to leave the event loop; while
// the motion plays, the playback timer runs.
void handle_key(ViewContext& ctx, int key, double now);

// The playback timer's work at `now`: the handler's answer, then the timer
// again while the motion plays.
void handle_tick(ViewContext& ctx, double now);

// Seconds since the window system started (GLUT's elapsed time).
double window_clock();
