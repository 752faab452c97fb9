// Window creation, split from the event loop so that it can be driven
// without entering glutMainLoop.
#pragma once

#include "model/scenario.h"
#include "view/key_action.h"

// What the callbacks work on; must outlive the window. The window only reads
// the scenario; keys go to the handler, which may change it.
struct ViewContext {
  const Scenario* scenario;
  KeyHandler on_key;
  void* user;
};

// Sets the window's _NET_WM_NAME (UTF8_STRING) on the current GLX drawable,
// since GLUT writes the title only as a Latin-1 WM_NAME.
void set_utf8_window_name(const char* utf8);

// Creates the 800 x 800 double-buffered window with the title (UTF-8),
// installs the display, reshape and keyboard callbacks for `ctx` and sets the
// white clear colour. Returns the GLUT window id.
int open_view(ViewContext& ctx, const char* title, int* argc, char** argv);

// What the keyboard callback does with one key: the handler's answer decides
// whether to redraw or to leave the event loop.
void handle_key(ViewContext& ctx, unsigned char key);
