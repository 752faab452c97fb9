// Shared setup of the window tests: one 800 x 800 window per test binary,
// frames composed into the back buffer and read back before any swap, and
// scenarios filled by hand with the drawing defaults.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "model/scenario.h"
#include "view/frame_description.h"
#include "view/renderer.h"
#include "view/window_setup.h"

namespace viewtest {

constexpr int kSize = 800;

// Opens the window once (a fake argv, the real window set-up) and returns its context.
ViewContext& window();

// The renderer of that window, its glyphs read back.
Renderer& renderer();

struct Rgb {
  int r, g, b;
};

// A frame read from the back buffer; (px, py) counted from the lower left.
struct Image {
  std::vector<std::uint8_t> px;
  int width = kSize, height = kSize;
  Rgb at(int x, int y) const;
  // Pixels in the box [x0, x1] x [y0, y1] (clipped to the window) that match.
  template <class Pred>
  int count(int x0, int y0, int x1, int y1, Pred pred) const {
    int n = 0;
    for (int y = y0; y <= y1; ++y)
      for (int x = x0; x <= x1; ++x)
        if (x >= 0 && y >= 0 && x < width && y < height && pred(at(x, y))) ++n;
    return n;
  }
  // Matching pixels within `radius` of the pixel that holds the window point (x, y).
  template <class Pred>
  int near(double x, double y, int radius, Pred pred) const;
};

// Pixel column (or row) that holds the window coordinate v.
int pixel_of(double v);

template <class Pred>
int Image::near(double x, double y, int radius, Pred pred) const {
  const int cx = pixel_of(x);
  const int cy = pixel_of(y);
  return count(cx - radius, cy - radius, cx + radius, cy + radius, pred);
}

// compose_frame into GL_BACK, glFinish, read GL_BACK.
Image render(const Scenario& s);

// Clears GL_BACK to white, resets the modelview matrix, runs `draw`, reads GL_BACK.
Image render_with(const std::function<void()>& draw);

// Clears GL_BACK to white, draws `frame` with the window's renderer unlit (a
// LightingOff item first, LightingOn last, as whole frames have them), reads
// GL_BACK.
Image render_items(const FrameDescription& frame);

// What `describe` adds to an empty frame through a Sketch (line width 1),
// drawn as render_items draws it.
Image render_sketch(const std::function<void(Sketch&)>& describe);

// Resizes the real window and handles GLUT's events (the reshape callback
// among them) until the window has that size; false if it never does.
bool resize_window(int width, int height);

// compose_frame into GL_BACK of the window at its present size, read whole.
Image render_window(Scenario& s);

bool is_white(const Rgb& c);
bool is_black(const Rgb& c);
bool is_red(const Rgb& c);
bool is_blue(const Rgb& c);
bool is_text_grey(const Rgb& c);  // the dark grey of text
bool is_dark(const Rgb& c);        // text grey or black

// The window's layout, ratios 30, limits of the given values, frame_count 200,
// dt 0.02, tfm 2.5, view_scale 1, all records zero, and the graph scales of
// that. A test that fills records or limits afterwards works the scales out
// again (update_graph_scales), as the program does after a computation.
std::unique_ptr<Scenario> make_scenario(char robot, char gravity);

}  // namespace viewtest
