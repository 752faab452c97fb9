// Round dots rasterised on the CPU and drawn from a texture.
//
// The tip paths are hundreds of small overlapping discs. Each disc as a
// polygon costs the software renderers a dozen triangles; here the discs are
// laid into a pixel map of the viewport in drawing order (a later dot covers
// an earlier one), and the map's tiles that hold dots are drawn from the
// renderer's dot texture, a textured square each. A path is a thin line
// across a wide box, so the tiles hold a small part of the box's pixels.
// A pixel belongs to a disc when its centre lies inside the circle, which is
// what a fine polygon of the disc covers.
#pragma once

#include <cstdint>
#include <vector>

#include "view/pixel_texture.h"
#include "view/primitives.h"
#include "view/viewport.h"

class DotLayer {
 public:
  // A layer over the viewport `vp`.
  explicit DotLayer(const SquareViewport& vp) : vp_(vp) {}

  // A disc of radius r about `centre` (drawing coordinates) over the dots so
  // far. A disc whose centre or radius is not a finite number, or that lies
  // outside the viewport, is left out.
  void add(const Point& centre, double r, const Colour& colour);

  // Side in pixels of the tiles the dots are drawn in.
  static constexpr int kTile = 16;

  // The dots' pixels: the tiles of kTile x kTile window pixels that hold
  // any, packed side by side into a sheet of RGBA texels (rows bottom to top;
  // alpha 255 where a dot lies, in its colour, 0 elsewhere), and for each tile
  // a piece saying where it goes in the window. Empty without dots.
  struct Tiles {
    int sheet_w = 0, sheet_h = 0;
    std::vector<std::uint8_t> rgba;
    std::vector<PixelTexture::Piece> pieces;
  };
  Tiles tiles() const;

 private:
  // A disc in pixels of the viewport, with the box of pixels it may touch.
  struct Disc {
    double cx, cy, r;
    int x0, y0, x1, y1;
    std::uint8_t colour;  // 1 + an index into colours_
  };
  std::uint8_t colour_index(const Colour& c);

  SquareViewport vp_;
  std::vector<Disc> discs_;
  std::vector<Colour> colours_;
  int box_x0_ = 0, box_y0_ = 0, box_x1_ = 0, box_y1_ = 0;  // all discs' boxes
};
