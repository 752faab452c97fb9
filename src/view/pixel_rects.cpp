#include "view/pixel_rects.h"

#include <algorithm>
#include <cstddef>

namespace {

std::vector<ValueRect> rectangles_of(const std::vector<std::uint8_t>& map, int w, int h,
                                     const std::vector<std::pair<int, int>>* spans) {
  std::vector<ValueRect> done;
  if (w <= 0 || h <= 0 || map.size() < static_cast<std::size_t>(w) * static_cast<std::size_t>(h))
    return done;
  if (spans != nullptr && spans->size() < static_cast<std::size_t>(h)) spans = nullptr;
  std::vector<ValueRect> open;  // runs of the row below, still growing upward
  std::vector<ValueRect> next;
  for (int y = 0; y <= h; ++y) {
    next.clear();
    std::size_t k = 0;
    // A run equal to an open rectangle extends it; open rectangles that no
    // run extends are finished. Runs and open rectangles go left to right.
    auto take_run = [&](const ValueRect& run) {
      while (k < open.size() && open[k].x0 < run.x0) done.push_back(open[k++]);
      if (k < open.size() && open[k].x0 == run.x0 && open[k].x1 == run.x1 &&
          open[k].value == run.value) {
        ValueRect grown = open[k++];
        grown.y1 = run.y1;
        next.push_back(grown);
      } else {
        next.push_back(run);
      }
    };
    if (y < h) {
      const std::uint8_t* row = &map[static_cast<std::size_t>(y) * static_cast<std::size_t>(w)];
      int from = 0, to = w;
      if (spans != nullptr) {
        from = std::max(0, (*spans)[static_cast<std::size_t>(y)].first);
        to = std::min(w, (*spans)[static_cast<std::size_t>(y)].second);
      }
      for (int x = from; x < to;) {
        if (row[x] == 0) {
          ++x;
          continue;
        }
        int end = x + 1;
        while (end < to && row[end] == row[x]) ++end;
        take_run(ValueRect{x, y, end, y + 1, row[x]});
        x = end;
      }
    }
    while (k < open.size()) done.push_back(open[k++]);
    open.swap(next);
  }
  return done;
}

}  // namespace

std::vector<ValueRect> value_rectangles(const std::vector<std::uint8_t>& map, int w, int h) {
  return rectangles_of(map, w, h, nullptr);
}

std::vector<ValueRect> value_rectangles(const std::vector<std::uint8_t>& map, int w, int h,
                                        const std::vector<std::pair<int, int>>& spans) {
  return rectangles_of(map, w, h, &spans);
}
