// Draws frame descriptions with OpenGL. The one place that holds drawing
// resources: the texture of the glyphs read back from GLUT's bitmap fonts
// and their tables, the lesson view's outline font with a glyph atlas per
// pixel size it has drawn, the texture the tip-path dots are drawn from, the
// triangle split of the discs, and the arrays the lines are sent from.
//
// Mesa's software renderers pay per draw call and per state change far more
// than per vertex, so the renderer sends few draws: each Lines item is one
// glDrawArrays, consecutive texts are one textured draw (GLUT's glBitmap
// text would switch the whole fragment state for every text), the dots are
// one textured draw, and the triangles of consecutive discs reach the
// rasteriser together.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "view/frame_description.h"
#include "view/pixel_texture.h"
#include "view/scaled_font.h"
#include "view/viewport.h"

class Renderer {
 public:
  // No OpenGL yet: the window's context may not exist.
  Renderer();
  Renderer(const Renderer&) = delete;
  Renderer& operator=(const Renderer&) = delete;
  // The textures are not given back: they live as long as the window's
  // context, which outlives every drawing.

  // Reads back the glyphs of the printable ASCII characters and the line feed
  // of both fonts through the back buffer, which it leaves cleared to the
  // clear colour; all other state is kept. Needs the window's context and a
  // window and viewport of at least 480 x 320 pixels, and does nothing
  // otherwise. Called once when the window opens; later calls do nothing.
  void capture_glyphs();
  bool glyphs_captured() const { return fonts_[0].captured && fonts_[1].captured; }

  // A glyph as read back, for drawing the same text where GLUT's fonts are
  // not at hand (the web page's font is made from these): its pixels' box
  // relative to the whole-pixel raster position, the pen's advance, and its
  // pixels row by row from the bottom (1 set, 0 not). All zero for a
  // character that was not read back, or before capture_glyphs.
  struct GlyphPixels {
    int x0 = 0, y0 = 0, w = 0, h = 0, advance = 0;
    std::vector<std::uint8_t> pixels;
  };
  GlyphPixels glyph_pixels(TextFont font, int c) const;

  // Draws the items in their order into the current draw buffer and
  // viewport, starting from the identity modelview matrix. Scaled texts take
  // their pixel size from the viewport's side (view/text_metrics.h); the
  // first text of a new size makes that size's atlas. A bitmap text whose
  // raster position falls outside the viewport is not drawn; one with a
  // character that was not read back goes through GLUT, the same pixels.
  void draw(const FrameDescription& frame);

 private:
  // The box of a glyph's pixels, relative to the whole-pixel part of the
  // raster position (x0 .. x1 - 1, y0 .. y1 - 1; empty for a space), and
  // where the box lies in the glyph texture.
  struct Glyph {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    int u = 0, v = 0;
    int advance = 0;
  };
  struct FontGlyphs {
    int sheet_row = 0;  // first texel row of the font's sheet in the glyph texture
    bool captured = false;
    std::array<Glyph, 256> glyphs{};
  };

  // Ears of a convex polygon of circle_segments corners (see renderer.cpp).
  struct EarList {
    int index[3 * (circle_segments - 2)];
    int count = 0;
  };

  void place_glyph_sheets();  // where each font's sheet lies in the glyph texture
  void capture(int font, std::vector<std::uint8_t>& texels);
  void draw_item(const FrameDescription& frame, const Item& item);
  void draw_lines(const Lines& lines);
  void draw_box(const Box& box);
  void draw_round(const Round& round);
  void draw_text(const Label& text);
  void flush_texts();
  void draw_dots(const std::vector<Dot>& dots);
  void set_scissor(const DrawingRect& r);

  FontGlyphs fonts_[2];
  ScaledFont scaled_font_;  // the lesson view's texts
  PixelTexture glyph_texture_;
  std::vector<std::uint8_t> glyph_texels_;  // what glyph_texture_ holds
  PixelTexture dot_texture_;
  EarList ears_;
  SquareViewport vp_{0, 0, 0};  // of the frame being drawn

  // Texts held back while consecutive texts are drawn: their pieces, all of
  // one colour, drawn together when something else comes.
  std::vector<PixelTexture::Piece> pending_;
  Colour pending_colour_{0.0f, 0.0f, 0.0f, 0.0f};

  // The vertex and colour arrays of the last Lines item, kept for the next.
  std::vector<float> xy_;
  std::vector<float> rgba_;
};
