// The window title as UTF-8 for the window manager. Kept apart from the key
// table: Xlib defines a macro None that clashes with KeyAction::None.
// Our header first: Xlib's macro None must not reach KeyAction::None.
#include "view/window_setup.h"

#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstring>

void set_utf8_window_name(const char* utf8) {
  Display* dpy = glXGetCurrentDisplay();
  const GLXDrawable win = glXGetCurrentDrawable();
  if (dpy == nullptr || win == 0) return;
  // WM_NAME and WM_ICON_NAME as STRING or COMPOUND_TEXT, whichever holds the
  // title, and the class a window manager groups the window by.
  char res_name[] = "tocsim";
  char res_class[] = "Tocsim";
  XClassHint class_hint{res_name, res_class};
  Xutf8SetWMProperties(dpy, win, utf8, utf8, nullptr, 0, nullptr, nullptr, &class_hint);
  const Atom name = XInternAtom(dpy, "_NET_WM_NAME", False);
  const Atom utf8_string = XInternAtom(dpy, "UTF8_STRING", False);
  XChangeProperty(dpy, win, name, utf8_string, 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(utf8),
                  static_cast<int>(std::strlen(utf8)));
  XFlush(dpy);
}
