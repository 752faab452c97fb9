#include "view/dot_layer.h"

#include <algorithm>
#include <cmath>

#include "view/pixel_rects.h"
#include "view/vertex_batch.h"

namespace {

bool same(const Colour& a, const Colour& b) {
  return a.r == b.r && a.g == b.g && a.b == b.b && a.a == b.a;
}

// The integer within lo .. hi nearest to v (v may be any double).
int clamp_to_int(double v, int lo, int hi) {
  if (!(v > lo)) return lo;  // also not a number
  if (v >= hi) return hi;
  return static_cast<int>(v);
}

}  // namespace

std::uint8_t DotLayer::colour_index(const Colour& c) {
  for (std::size_t i = 0; i < colours_.size(); ++i)
    if (same(colours_[i], c)) return static_cast<std::uint8_t>(i + 1);
  if (colours_.size() >= 255) return 0;  // more colours than a layer keeps
  colours_.push_back(c);
  return static_cast<std::uint8_t>(colours_.size());
}

void DotLayer::add(const Point& centre, double r, const Colour& colour) {
  if (vp_.side <= 0 || !std::isfinite(centre.x) || !std::isfinite(centre.y) || !std::isfinite(r))
    return;
  // Centre and radius in pixels of the viewport.
  const double half = 0.5 * vp_.side;
  Disc d{(to_screen(centre.x) + 1.0) * half, (to_screen(centre.y) + 1.0) * half,
         std::fabs(to_screen(r)) * half, 0, 0, 0, 0, 0};
  // Pixels whose centres may lie inside, within the viewport.
  d.x0 = clamp_to_int(std::floor(d.cx - d.r), 0, vp_.side);
  d.x1 = clamp_to_int(std::ceil(d.cx + d.r) + 1.0, 0, vp_.side);
  d.y0 = clamp_to_int(std::floor(d.cy - d.r), 0, vp_.side);
  d.y1 = clamp_to_int(std::ceil(d.cy + d.r) + 1.0, 0, vp_.side);
  if (d.x1 <= d.x0 || d.y1 <= d.y0) return;
  d.colour = colour_index(colour);
  if (d.colour == 0) return;
  if (discs_.empty()) {
    box_x0_ = d.x0, box_y0_ = d.y0, box_x1_ = d.x1, box_y1_ = d.y1;
  } else {
    box_x0_ = std::min(box_x0_, d.x0);
    box_y0_ = std::min(box_y0_, d.y0);
    box_x1_ = std::max(box_x1_, d.x1);
    box_y1_ = std::max(box_y1_, d.y1);
  }
  discs_.push_back(d);
}

namespace {

// Lays disc d into the pixel map `px` of width w whose first pixel is (bx, by).
template <class Disc>
void rasterise(const Disc& d, std::uint8_t* px, int w, int bx, int by) {
  const double r2 = d.r * d.r;
  for (int y = d.y0; y < d.y1; ++y) {
    const double dy = y + 0.5 - d.cy;
    const double left = r2 - dy * dy;
    if (left < 0.0) continue;
    // Pixels well inside the row's chord are filled at once; the test decides
    // the few at each end.
    const double half_chord = std::sqrt(left);
    const double first = std::ceil(d.cx - half_chord - 0.5);
    const double last = std::floor(d.cx + half_chord - 0.5);
    const int lo = clamp_to_int(first - 1.0, d.x0, d.x1);
    const int in0 = clamp_to_int(first + 1.0, d.x0, d.x1);
    const int in1 = clamp_to_int(last - 1.0, d.x0, d.x1);
    const int hi = clamp_to_int(last + 2.0, d.x0, d.x1);
    std::uint8_t* row = px + static_cast<std::size_t>(y - by) * w;
    auto test = [&](int x) {
      const double dx = x + 0.5 - d.cx;
      if (dx * dx + dy * dy <= r2) row[x - bx] = d.colour;
    };
    if (in1 > in0) {
      for (int x = lo; x < in0; ++x) test(x);
      std::fill(row + (in0 - bx), row + (in1 - bx), d.colour);
      for (int x = in1; x < hi; ++x) test(x);
    } else {
      for (int x = lo; x < hi; ++x) test(x);
    }
  }
}

}  // namespace

std::vector<DotLayer::Rect> DotLayer::rectangles() const {
  std::vector<Rect> rects;
  if (discs_.empty()) return rects;
  // The pixel map of all discs' box, in drawing order: 0 = no dot.
  const int w = box_x1_ - box_x0_;
  const int h = box_y1_ - box_y0_;
  std::vector<std::uint8_t> pixels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), 0);
  // Columns that each row's discs may touch: only those are scanned.
  std::vector<std::pair<int, int>> spans(static_cast<std::size_t>(h), {w, 0});
  for (const Disc& d : discs_) {
    rasterise(d, pixels.data(), w, box_x0_, box_y0_);
    for (int y = d.y0; y < d.y1; ++y) {
      std::pair<int, int>& span = spans[static_cast<std::size_t>(y - box_y0_)];
      span.first = std::min(span.first, d.x0 - box_x0_);
      span.second = std::max(span.second, d.x1 - box_x0_);
    }
  }
  const int ox = vp_.x + box_x0_;
  const int oy = vp_.y + box_y0_;
  for (const ValueRect& r : value_rectangles(pixels, w, h, spans))
    rects.push_back(Rect{ox + r.x0, oy + r.y0, ox + r.x1, oy + r.y1, colours_[r.value - 1]});
  return rects;
}

void DotLayer::draw() const {
  const std::vector<Rect> rects = rectangles();
  VertexBatch batch(VertexBatch::Kind::Triangles);
  batch.reserve(6 * rects.size());
  for (const Rect& r : rects) batch.add_pixel_rect(r.x0, r.y0, r.x1, r.y1, vp_, r.colour);
  batch.draw();
}
