#include "view/dot_layer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

#include "view/pixel_texture.h"

namespace {

// The integer within lo .. hi nearest to v (v may be any double).
int clamp_to_int(double v, int lo, int hi) {
  if (!(v > lo)) return lo;  // also not a number
  if (v >= hi) return hi;
  return static_cast<int>(v);
}

// A colour channel as the byte a framebuffer of 8 bits a channel holds.
std::uint8_t to_byte(float c) {
  if (!(c > 0.0f)) return 0;
  if (c >= 1.0f) return 255;
  return static_cast<std::uint8_t>(std::lround(c * 255.0f));
}

}  // namespace

std::uint8_t DotLayer::colour_index(const Colour& c) {
  for (std::size_t i = 0; i < colours_.size(); ++i)
    if (same_colour(colours_[i], c)) return static_cast<std::uint8_t>(i + 1);
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

DotLayer::Tiles DotLayer::tiles() const {
  Tiles out;
  if (discs_.empty()) return out;
  // The map of colour indices over all discs' box, in drawing order: 0 = no
  // dot; and which of the box's tiles the discs touch.
  const int w = box_x1_ - box_x0_;
  const int h = box_y1_ - box_y0_;
  std::vector<std::uint8_t> pixels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), 0);
  const int tiles_x = (w + kTile - 1) / kTile;
  const int tiles_y = (h + kTile - 1) / kTile;
  std::vector<std::uint8_t> touched(static_cast<std::size_t>(tiles_x) * tiles_y, 0);
  for (const Disc& d : discs_) {
    rasterise(d, pixels.data(), w, box_x0_, box_y0_);
    for (int ty = (d.y0 - box_y0_) / kTile; ty <= (d.y1 - 1 - box_y0_) / kTile; ++ty)
      for (int tx = (d.x0 - box_x0_) / kTile; tx <= (d.x1 - 1 - box_x0_) / kTile; ++tx)
        touched[static_cast<std::size_t>(ty) * tiles_x + tx] = 1;
  }

  std::vector<std::array<std::uint8_t, 4>> palette(colours_.size() + 1, {0, 0, 0, 0});
  for (std::size_t i = 0; i < colours_.size(); ++i)
    palette[i + 1] = {to_byte(colours_[i].r), to_byte(colours_[i].g), to_byte(colours_[i].b), 255};

  std::size_t count = 0;
  for (std::uint8_t t : touched) count += t;
  // A sheet about as wide as tall (at least 32 tiles wide): it never needs
  // more texels a side than the viewport has pixels, whatever the dots cover.
  const int per_row = std::max(32, static_cast<int>(std::ceil(std::sqrt(static_cast<double>(count)))));
  const int rows = static_cast<int>((count + per_row - 1) / per_row);
  out.sheet_w = per_row * kTile;
  out.sheet_h = rows * kTile;
  out.rgba.assign(4 * static_cast<std::size_t>(out.sheet_w) * out.sheet_h, 0);
  out.pieces.reserve(count);
  for (int ty = 0; ty < tiles_y; ++ty)
    for (int tx = 0; tx < tiles_x; ++tx) {
      if (!touched[static_cast<std::size_t>(ty) * tiles_x + tx]) continue;
      const int slot = static_cast<int>(out.pieces.size());
      const int u = (slot % per_row) * kTile;
      const int v = (slot / per_row) * kTile;
      // The tile's part of the box (tiles at the box's far edges are cut).
      const int x0 = tx * kTile, y0 = ty * kTile;
      const int tw = std::min(kTile, w - x0), th = std::min(kTile, h - y0);
      for (int y = 0; y < th; ++y) {
        const std::uint8_t* from = &pixels[static_cast<std::size_t>(y0 + y) * w + x0];
        std::uint8_t* to = &out.rgba[4 * (static_cast<std::size_t>(v + y) * out.sheet_w + u)];
        for (int x = 0; x < tw; ++x) std::memcpy(to + 4 * x, palette[from[x]].data(), 4);
      }
      out.pieces.push_back(PixelTexture::Piece{vp_.x + box_x0_ + x0, vp_.y + box_y0_ + y0, u, v, tw, th});
    }
  return out;
}
