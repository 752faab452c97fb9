#include "view/lesson_label_layout.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// A row's labels as their left and right ends.
struct Span {
  double a, b;
};

// Whether a label from left end x of width w keeps gap from every span.
bool clears(const std::vector<Span>& row, double x, double w, double gap) {
  for (const Span& s : row)
    if (x < s.b + gap && s.a < x + w + gap) return false;
  return true;
}

bool apart(const DrawingRect& p, const DrawingRect& q, double gap) {
  return p.x1 + gap <= q.x0 || q.x1 + gap <= p.x0 || p.y1 + gap <= q.y0 || q.y1 + gap <= p.y0;
}

bool inside(const DrawingRect& r, const DrawingRect& within) {
  return r.x0 >= within.x0 && r.x1 <= within.x1 && r.y0 >= within.y0 && r.y1 <= within.y1;
}

}  // namespace

std::vector<StripPlace> lay_out_strip(const std::vector<StripLabel>& labels, int rows, double x_lo,
                                      double x_hi, double gap) {
  std::vector<std::vector<Span>> taken(rows > 0 ? rows : 0);
  std::vector<StripPlace> out;
  for (const StripLabel& l : labels) {
    StripPlace best{-1, l.x};
    const double w = l.width;
    if (!std::isfinite(l.x) || !(w > 0.0) || w > x_hi - x_lo) {
      out.push_back(best);
      continue;
    }
    // The left end it wants, kept within the strip.
    const double want = std::fmin(std::fmax(l.x - w / 2.0, x_lo), x_hi - w);
    double best_shift = std::numeric_limits<double>::infinity();
    for (int r = 0; r < rows; ++r) {
      // Where it wants to be, or just beside a label of the row.
      std::vector<double> at{want};
      for (const Span& s : taken[r]) at.push_back(s.b + gap), at.push_back(s.a - gap - w);
      for (double x : at) {
        const double shift = std::fabs(x - want);
        if (x < x_lo || x + w > x_hi || !(shift < best_shift) || !clears(taken[r], x, w, gap))
          continue;
        best_shift = shift;
        best = StripPlace{r, x + w / 2.0};
      }
    }
    if (best.row >= 0) taken[best.row].push_back(Span{best.x - w / 2.0, best.x + w / 2.0});
    out.push_back(best);
  }
  return out;
}

std::optional<DrawingRect> place_beside(const Point& p, double offset, double w, double h,
                                        const DrawingRect& within,
                                        const std::vector<DrawingRect>& taken, double gap) {
  if (!is_finite(p)) return std::nullopt;
  // Lower left corners: the six next to the point first, in their order,
  // then columns and rows further out, the nearest first.
  const double right = p.x + offset, left = p.x - offset - w, centre = p.x - w / 2.0;
  const double above = p.y + offset, below = p.y - offset - h, level = p.y - h / 2.0;
  std::vector<Point> corners{{right, above}, {left, above},  {right, below},
                             {left, below},  {right, level}, {left, level}};
  std::vector<Point> further;
  const double dx = w + gap, dy = h + gap;
  for (int i = 0; i <= 2; ++i)
    for (int k = 0; k <= 3; ++k) {
      if (i == 0 && k == 0) continue;
      further.push_back({right + i * dx, above + k * dy});
      further.push_back({left - i * dx, above + k * dy});
      further.push_back({right + i * dx, below - k * dy});
      further.push_back({left - i * dx, below - k * dy});
      if (k == 0)
        further.push_back({right + i * dx, level}), further.push_back({left - i * dx, level});
    }
  for (int k = 0; k <= 3; ++k)
    further.push_back({centre, above + k * dy}), further.push_back({centre, below - k * dy});
  const auto distance = [&](const Point& c) {
    return std::hypot(c.x + w / 2.0 - p.x, c.y + h / 2.0 - p.y);
  };
  std::stable_sort(further.begin(), further.end(),
                   [&](const Point& a, const Point& b) { return distance(a) < distance(b); });
  corners.insert(corners.end(), further.begin(), further.end());
  for (const Point& c : corners) {
    const DrawingRect r{c.x, c.y, c.x + w, c.y + h};
    if (!inside(r, within)) continue;
    bool free = true;
    for (const DrawingRect& t : taken) free = free && apart(r, t, gap);
    if (free) return r;
  }
  return std::nullopt;
}
