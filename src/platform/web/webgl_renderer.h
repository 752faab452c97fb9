// Draws frame descriptions with WebGL 1 (OpenGL ES 2 shaders), to the pixels
// the desktop renderer gives as near as a browser allows. WebGL draws lines
// 1 pixel wide and has no bitmap fonts, so wide lines are drawn as the
// quads the desktop's rasteriser makes of them, and text from the glyphs the
// desktop renderer reads back (glyph_font.h), pixel for pixel. The lesson
// view's outline text comes from the desktop's own glyph atlases
// (view/font_atlas.h), baked here from the font file the page carries.
#pragma once

#include <utility>
#include <vector>

#include "view/font_atlas.h"
#include "view/frame_description.h"
#include "view/viewport.h"

class WebGlRenderer {
 public:
  // Needs the page's WebGL context to be current.
  WebGlRenderer();
  WebGlRenderer(const WebGlRenderer&) = delete;
  WebGlRenderer& operator=(const WebGlRenderer&) = delete;

  // Draws the items in their order onto the canvas of width x height pixels,
  // the picture in its centred square (square_viewport).
  void draw(const FrameDescription& frame, int width, int height);

  // The canvas white all over (before the first frame of the motion).
  void clear(int width, int height);

 private:
  enum class Mode { Colour = 0, Mask = 1, Texels = 2, Coverage = 3 };
  struct Vertex {
    float x, y, r, g, b, a, u, v;
  };

  void draw_item(const FrameDescription& f, const Item& item);
  void lines(const Lines& l);
  void box(const Box& b);
  void round(const Round& r);
  void text(const Label& t);
  void dots(const std::vector<Dot>& d);
  void scaled_text(const ScaledText& t);
  unsigned atlas_texture(const FontAtlases::Atlas& a);  // made the first time

  // Segments between window points, in `width` pixels.
  void segment(double ax, double ay, double bx, double by, const Colour& c, float width);
  void flush();  // draws what is batched
  void batch(Mode mode, unsigned primitive);
  double wx(double x) const { return vp_.x + (x + 1.0) * 0.5 * vp_.side; }
  double wy(double y) const { return vp_.y + (y + 1.0) * 0.5 * vp_.side; }

  unsigned program_ = 0, buffer_ = 0, glyph_texture_ = 0, dot_texture_ = 0;
  int glyph_w_ = 0, glyph_h_ = 0;
  int loc_pos_ = -1, loc_colour_ = -1, loc_uv_ = -1, loc_size_ = -1, loc_mode_ = -1, loc_tex_ = -1;
  int ears_[3 * (circle_segments - 2)];
  int ear_count_ = 0;
  int glyph_u_[2][128] = {}, glyph_v_[2][128] = {};

  int width_ = 0, height_ = 0;
  SquareViewport vp_{0, 0, 0};
  Mode mode_ = Mode::Colour;
  unsigned primitive_ = 0;
  std::vector<Vertex> vertices_;

  FontAtlases atlases_;
  std::vector<std::pair<const FontAtlases::Atlas*, unsigned>> atlas_textures_;
  unsigned coverage_texture_ = 0;  // the atlas the batched coverage quads use
  std::vector<PixelTexture::Piece> pieces_;
};
