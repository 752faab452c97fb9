// Window creation, split from the event loop so that it can be driven
// without entering glutMainLoop.
#pragma once

#include "console/console.h"
#include "scenario/scenario.h"

// The key help shown as the window title (UTF-8).
extern const char* const kWindowTitle;

// What the callbacks work on; must outlive the window.
struct ViewContext {
  Scenario* scenario;
  Console* console;
};

// Sets the window's _NET_WM_NAME (UTF8_STRING) on the current GLX drawable,
// since GLUT writes the title only as a Latin-1 WM_NAME.
void set_utf8_window_name(const char* utf8);

// Creates the 800 x 800 double-buffered window with the key-help title,
// installs the display, reshape and keyboard callbacks for `ctx`, sets the
// white clear colour and reads back the glyphs of the text fonts
// (view/glyphs.h). Also has the process keep freed heap memory for reuse
// rather than return it to the kernel after every frame. Returns the GLUT
// window id.
int open_view(ViewContext& ctx, int* argc, char** argv);

// What the keyboard callback does with one key (ESC ends the process).
void handle_key(ViewContext& ctx, unsigned char key);
