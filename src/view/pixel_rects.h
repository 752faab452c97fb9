// A map of pixel values turned into few rectangles: runs of one value along a
// row, each merged with identical runs (same columns, same value) of the rows
// above it.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

struct ValueRect {
  int x0, y0, x1, y1;  // pixels x0 .. x1 - 1, y0 .. y1 - 1 of the map
  std::uint8_t value;
};

// Rectangles covering exactly the pixels of `map` (w x h, rows bottom to top)
// whose value is not 0, bottom row first.
std::vector<ValueRect> value_rectangles(const std::vector<std::uint8_t>& map, int w, int h);

// The same for a map whose row y may hold non-zero pixels only in columns
// spans[y].first .. spans[y].second - 1: only those are looked at.
std::vector<ValueRect> value_rectangles(const std::vector<std::uint8_t>& map, int w, int h,
                                        const std::vector<std::pair<int, int>>& spans);
