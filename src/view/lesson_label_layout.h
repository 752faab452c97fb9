// Keeping the lesson view's small labels apart: labels in the rows of a
// strip, each as near its own x as the labels already there leave room for,
// and a label beside a point where it clears those already placed.
#pragma once

#include <optional>
#include <vector>

#include "view/primitives.h"
#include "view/viewport.h"

// A label of a strip: the x its centre should have, and the width it takes.
struct StripLabel {
  double x;
  double width;
};
// Where it went: its row (0 the lowest) and its centre; row -1 when no row
// had room for it.
struct StripPlace {
  int row;
  double x;
};

// Lays the labels out, in the order given, in `rows` rows between x_lo and
// x_hi: each in the row where it comes nearest its x with at least `gap`
// to every label of that row (close labels stack when a row above is free
// there, or move aside), the lowest row where two come equally near.
std::vector<StripPlace> lay_out_strip(const std::vector<StripLabel>& labels, int rows, double x_lo,
                                      double x_hi, double gap);

// Where a w x h box goes beside the point p, `offset` away from it: above to
// the right, above to the left, below to the right, below to the left, right
// and left of it level with it, then places a label or more further out,
// the nearest first; the first of these that lies inside `within` and keeps
// `gap` from every box of `taken`. None when no place does.
std::optional<DrawingRect> place_beside(const Point& p, double offset, double w, double h,
                                        const DrawingRect& within,
                                        const std::vector<DrawingRect>& taken, double gap);
