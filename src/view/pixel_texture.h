// Pixels laid out on the CPU and drawn one to one onto window pixels from a
// texture: a text or a layer of dots becomes a few textured rectangles, where
// as geometry it takes thousands of small triangles, each of which Mesa's
// software renderers set up and rasterise on their own.
//
// Texels are sampled at their centres (nearest texel, rectangles on pixel
// edges), so every drawn pixel takes exactly one texel's value. A texel whose
// alpha is 0 leaves its pixel as it was (alpha test); blending stays off.
#pragma once

#include <cstdint>
#include <vector>

#include "view/primitives.h"
#include "view/viewport.h"

class PixelTexture {
 public:
  enum class Format {
    Alpha,  // one byte a texel: coverage, drawn in the colour given to draw()
    Rgba,   // four bytes a texel: the colour itself, alpha 0 for nothing
    Coverage,  // one byte a texel: coverage blended over the pixel in draw()'s
               // colour (smooth outline-font text); 0 leaves the pixel
  };

  PixelTexture() = default;
  PixelTexture(const PixelTexture&) = delete;
  PixelTexture& operator=(const PixelTexture&) = delete;
  // The texture name is not given back: the texture lives as long as the
  // window's context, which outlives every drawing.

  // Texels w x h, rows bottom to top, replacing those held before. Needs the
  // window's context; sizes of 0 or below leave the texture empty.
  void upload(Format format, int w, int h, const std::uint8_t* texels);

  // Texels u .. u + w - 1, v .. v + h - 1 drawn onto the window pixels whose
  // lower-left corner is (x, y).
  struct Piece {
    int x, y, u, v, w, h;
  };

  // All pieces in one draw, in the viewport `vp` (their pixels, not the
  // current matrices, place them). Lighting is left as it is: a frame has it
  // off while it draws. `colour` is used by Alpha textures only.
  void draw(const std::vector<Piece>& pieces, const SquareViewport& vp, const Colour& colour) const;

  bool empty() const { return width_ <= 0 || height_ <= 0; }

 private:
  unsigned name_ = 0;
  Format format_ = Format::Rgba;
  int width_ = 0, height_ = 0;          // texels held
  int capacity_w_ = 0, capacity_h_ = 0;  // size of the texture's storage
};
