// The lesson view's outline font without a graphics context: DejaVu Sans read
// once from its file, its glyphs rasterised (stb_truetype) into an atlas of
// coverage texels per pixel size, and texts placed as pieces of that atlas
// in window pixels. The desktop's ScaledFont and the page's WebGL renderer
// both draw from it, so a text lands on the same pixels in either.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "view/frame_description.h"
#include "view/pixel_texture.h"
#include "view/text_metrics.h"
#include "view/viewport.h"

class FontAtlases {
 public:
  static constexpr int kTableSize = kFontTableSize;  // view/text_metrics.h's characters

  struct Glyph {
    int x0 = 0, y0 = 0, w = 0, h = 0;  // bitmap box relative to the pen, y up
    int u = 0, v = 0;                  // in the atlas
  };
  struct Atlas {
    int pixels = 0;
    double scale = 0.0;  // pixels per font unit
    std::array<Glyph, kTableSize> glyphs{};
    int width = 0, height = 0;
    std::vector<std::uint8_t> texels;  // coverage, rows bottom to top
  };

  // The font file is read with the first text, so that a program that never
  // shows the lesson view never reads it; a font that cannot be read draws
  // no text.
  explicit FontAtlases(const char* path);
  ~FontAtlases();
  FontAtlases(const FontAtlases&) = delete;
  FontAtlases& operator=(const FontAtlases&) = delete;

  // Reads the font if that has not been tried yet; whether it can be drawn.
  bool usable();

  // The atlas of an em of `pixels`, baked the first time it is asked for; it
  // stays where it is as long as this object lives. Needs a usable font.
  const Atlas& atlas(int pixels);

  // The pieces of the atlas that draw `t` in the viewport, appended to
  // `out`; the atlas they come from, or null when nothing can be drawn.
  const Atlas* place(const ScaledText& t, const SquareViewport& vp,
                     std::vector<PixelTexture::Piece>& out);

 private:
  struct Face;

  const char* path_;
  bool tried_ = false;
  std::unique_ptr<Face> face_;
  std::vector<std::unique_ptr<Atlas>> atlases_;
};
