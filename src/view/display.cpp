#include "view/display.h"

#include <X11/Xlib.h>

bool display_available() {
  Display* dpy = XOpenDisplay(nullptr);
  if (dpy == nullptr) return false;
  XCloseDisplay(dpy);
  return true;
}
