// The lesson view's outline font on the screen: DejaVu Sans read once from
// its file, its glyphs rasterised (stb_truetype) into an atlas texture per
// pixel size the frames ask for, and texts queued as pieces of that atlas,
// drawn together per size and colour. Owned by the Renderer.
#pragma once

#include <memory>
#include <vector>

#include "view/frame_description.h"
#include "view/pixel_texture.h"
#include "view/viewport.h"

class ScaledFont {
 public:
  // The font file is read with the first text, so that a program that never
  // shows the lesson view never reads it; a font that cannot be read draws
  // no text.
  explicit ScaledFont(const char* path);
  ~ScaledFont();
  ScaledFont(const ScaledFont&) = delete;
  ScaledFont& operator=(const ScaledFont&) = delete;

  // Reads the font if that has not been tried yet; whether it can be drawn.
  bool usable();

  // Queues the text; texts of another pixel size or colour than those queued
  // send the queued ones first. Needs the window's context (an atlas may be made).
  void add(const ScaledText& t, const SquareViewport& vp);
  // Draws what is queued.
  void flush(const SquareViewport& vp);

 private:
  struct Glyph {
    int x0 = 0, y0 = 0, w = 0, h = 0;  // bitmap box relative to the pen, y up
    int u = 0, v = 0;                  // in the atlas
  };
  struct Atlas;
  struct Face;

  Atlas& atlas(int pixels);

  const char* path_;
  bool tried_ = false;
  std::unique_ptr<Face> face_;
  std::vector<std::unique_ptr<Atlas>> atlases_;
  std::vector<PixelTexture::Piece> pending_;
  const Atlas* pending_atlas_ = nullptr;
  Colour pending_colour_{0.0f, 0.0f, 0.0f, 0.0f};
};
