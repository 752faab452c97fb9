// Reads a window's picture straight from the X server and prints its size and
// the box around everything that is not white: "W H X0 Y0 X1 Y1" (X1, Y1 one
// past the last such pixel; "W H -1 -1 -1 -1" when all is white). The
// end-to-end scripts use it to see what the window shows while the program
// is busy elsewhere (no key of the program's own is needed). With a second
// argument it also writes the picture there as PPM.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {
int quiet_error(Display*, XErrorEvent*) { return 0; }  // a failed read answers status 1
}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3) {
    std::fprintf(stderr, "usage: window_probe WINDOW_ID [PICTURE.ppm]\n");
    return 2;
  }
  Display* dpy = XOpenDisplay(nullptr);
  if (dpy == nullptr) return 1;
  XSetErrorHandler(quiet_error);
  const Window win = static_cast<Window>(std::strtoul(argv[1], nullptr, 0));
  XWindowAttributes attr;
  if (XGetWindowAttributes(dpy, win, &attr) == 0) return 1;
  // Only the part of the window on the screen can be read (without a window
  // manager a window may sit a pixel off the screen's edge).
  int left = 0, top = 0;
  Window child;
  XTranslateCoordinates(dpy, win, attr.root, 0, 0, &left, &top, &child);
  const int sx0 = left < 0 ? -left : 0, sy0 = top < 0 ? -top : 0;
  const int sx1 = std::min(attr.width, WidthOfScreen(attr.screen) - left);
  const int sy1 = std::min(attr.height, HeightOfScreen(attr.screen) - top);
  if (sx1 <= sx0 || sy1 <= sy0) return 1;
  XImage* img = XGetImage(dpy, win, sx0, sy0, static_cast<unsigned>(sx1 - sx0),
                          static_cast<unsigned>(sy1 - sy0), AllPlanes, ZPixmap);
  if (img == nullptr) return 1;  // not mapped
  int x0 = attr.width, y0 = attr.height, x1 = -1, y1 = -1;
  for (int y = sy0; y < sy1; ++y) {
    for (int x = sx0; x < sx1; ++x) {
      if ((XGetPixel(img, x - sx0, y - sy0) & 0xFFFFFF) == 0xFFFFFF) continue;
      if (x < x0) x0 = x;
      if (y < y0) y0 = y;
      if (x >= x1) x1 = x + 1;
      if (y >= y1) y1 = y + 1;
    }
  }
  if (x1 < 0) x0 = y0 = -1;
  // The part read, as a PPM picture, for a look when a check fails.
  if (argc == 3) {
    if (std::FILE* f = std::fopen(argv[2], "wb")) {
      std::fprintf(f, "P6\n%d %d\n255\n", sx1 - sx0, sy1 - sy0);
      for (int y = 0; y < sy1 - sy0; ++y) {
        for (int x = 0; x < sx1 - sx0; ++x) {
          const unsigned long p = XGetPixel(img, x, y);
          const unsigned char rgb[3] = {static_cast<unsigned char>(p >> 16),
                                        static_cast<unsigned char>(p >> 8),
                                        static_cast<unsigned char>(p)};
          std::fwrite(rgb, 1, 3, f);
        }
      }
      std::fclose(f);
    }
  }
  std::printf("%d %d %d %d %d %d\n", attr.width, attr.height, x0, y0, x1, y1);
  XDestroyImage(img);
  XCloseDisplay(dpy);
  return 0;
}
