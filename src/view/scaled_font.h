// The lesson view's outline font on the screen: the glyph atlases of
// FontAtlases (view/font_atlas.h) as textures, one per pixel size the frames
// ask for, and texts queued as pieces of them, drawn together per size and
// colour. Owned by the Renderer.
#pragma once

#include <memory>
#include <vector>

#include "view/font_atlas.h"
#include "view/frame_description.h"
#include "view/pixel_texture.h"
#include "view/viewport.h"

class ScaledFont {
 public:
  // The font file is read with the first text (FontAtlases).
  explicit ScaledFont(const char* path);
  ~ScaledFont();
  ScaledFont(const ScaledFont&) = delete;
  ScaledFont& operator=(const ScaledFont&) = delete;

  // Reads the font if that has not been tried yet; whether it can be drawn.
  bool usable() { return atlases_.usable(); }

  // Queues the text; texts of another pixel size or colour than those queued
  // send the queued ones first. Needs the window's context (an atlas may be made).
  void add(const ScaledText& t, const SquareViewport& vp);
  // Draws what is queued.
  void flush(const SquareViewport& vp);

 private:
  struct Texture {
    const FontAtlases::Atlas* atlas;
    std::unique_ptr<PixelTexture> texture;
  };
  const PixelTexture& texture(const FontAtlases::Atlas& a);

  FontAtlases atlases_;
  std::vector<Texture> textures_;
  std::vector<PixelTexture::Piece> pending_, placed_;
  const PixelTexture* pending_texture_ = nullptr;
  Colour pending_colour_{0.0f, 0.0f, 0.0f, 0.0f};
};
