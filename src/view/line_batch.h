// Many line segments drawn with a single glDrawArrays: Mesa's software
// renderers pay per draw call and per state change far more than per vertex.
//
// Segments keep their own colour (a colour array) and their order, so a batch
// covers the same pixels as drawing them one after another with draw_line.
// Coordinates go through to_screen and are rounded to float as OpenGL rounds
// a glVertex2d.
#pragma once

#include <cstddef>
#include <vector>

#include "view/primitives.h"

class LineBatch {
 public:
  // Room for n more vertices.
  void reserve(std::size_t n);

  // A segment a-b. A segment with an end that is not a finite number is left
  // out; coordinates beyond +-1e6 are brought to it (far outside any picture)
  // before they are rounded to float.
  void add_segment(const Point& a, const Point& b, const Colour& c);

  std::size_t vertex_count() const { return xy_.size() / 2; }

  // One draw of everything added, with lighting off (and on again after it,
  // as the primitives leave it), in the current line width and matrices.
  void draw() const;

 private:
  void vertex(float x, float y, const Colour& c);

  std::vector<float> xy_;
  std::vector<float> rgba_;
};
