// Many small shapes of one kind drawn with a single glDrawArrays: Mesa's
// software renderers pay per draw call and per state change far more than
// per vertex.
//
// Shapes keep their own colour (a colour array) and their order, so a batch
// covers the same pixels as drawing the shapes one after another with the
// primitives of view/primitives.h. Coordinates go through to_screen and are
// rounded to float as OpenGL rounds a glVertex2d.
#pragma once

#include <cstddef>
#include <vector>

#include "view/primitives.h"
#include "view/viewport.h"

class VertexBatch {
 public:
  enum class Kind { Lines, Triangles };

  explicit VertexBatch(Kind kind) : kind_(kind) {}

  // Room for n more vertices.
  void reserve(std::size_t n);

  // A segment a-b (Lines). A segment with an end that is not a finite number
  // is left out; coordinates beyond +-1e6 are brought to it (far outside any
  // picture) before they are rounded to float.
  void add_segment(const Point& a, const Point& b, const Colour& c);

  // The window pixels x0 .. x1 - 1, y0 .. y1 - 1 (Triangles), as drawing
  // coordinates of the viewport `vp`: two triangles whose edges lie on pixel
  // edges, so exactly those pixels are filled.
  void add_pixel_rect(int x0, int y0, int x1, int y1, const SquareViewport& vp, const Colour& c);

  std::size_t vertex_count() const { return xy_.size() / 2; }

  // One draw of everything added, with lighting off (and on again after it,
  // as the primitives leave it), in the current line width and matrices.
  void draw() const;

 private:
  void vertex(float x, float y, const Colour& c);

  Kind kind_;
  std::vector<float> xy_;
  std::vector<float> rgba_;
};
