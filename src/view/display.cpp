#include "view/display.h"

#include <X11/Xlib.h>

bool display_available() {
  // The connection stays open for the life of the process: closing it would
  // leave the server without clients for a moment, and a server with no
  // clients resets itself, which the window opened next would wait for.
  static Display* const dpy = XOpenDisplay(nullptr);
  return dpy != nullptr;
}
