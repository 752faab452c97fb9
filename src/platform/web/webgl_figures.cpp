// The shapes and texts of a frame as the WebGL renderer batches them: wide
// lines, boxes, discs and text as triangles and textured quads, since WebGL
// draws lines one pixel wide and has no fonts.
#include "webgl_renderer.h"

#include <GLES2/gl2.h>

#include <algorithm>
#include <cmath>

#include "glyph_font.h"
#include "model/constants.h"
#include "view/dot_layer.h"
#include "view/text_metrics.h"

namespace {

// Farther than any picture reaches, near enough for a float (as the desktop).
double clamp_coordinate(double v) { return std::max(-1.0e6, std::min(1.0e6, v)); }

}  // namespace

// A segment between window points. One pixel wide it is WebGL's own line; a
// wider one is the quad a desktop rasteriser draws for it: the segment moved
// half the width either way across its minor axis (up and down for a line
// that runs more along x, left and right otherwise), ends cut square to that
// axis.
void WebGlRenderer::segment(double ax, double ay, double bx, double by, const Colour& c,
                            float width) {
  const float fax = static_cast<float>(ax), fay = static_cast<float>(ay);
  const float fbx = static_cast<float>(bx), fby = static_cast<float>(by);
  if (width <= 1.0f) {
    batch(Mode::Colour, GL_LINES);
    vertices_.push_back(Vertex{fax, fay, c.r, c.g, c.b, 1.0f, 0.0f, 0.0f});
    vertices_.push_back(Vertex{fbx, fby, c.r, c.g, c.b, 1.0f, 0.0f, 0.0f});
    return;
  }
  batch(Mode::Colour, GL_TRIANGLES);
  const float h = 0.5f * width;
  const bool x_major = std::fabs(fbx - fax) >= std::fabs(fby - fay);
  const float ox = x_major ? 0.0f : h, oy = x_major ? h : 0.0f;
  const Vertex p0{fax - ox, fay - oy, c.r, c.g, c.b, 1.0f, 0.0f, 0.0f};
  const Vertex p1{fax + ox, fay + oy, c.r, c.g, c.b, 1.0f, 0.0f, 0.0f};
  const Vertex p2{fbx + ox, fby + oy, c.r, c.g, c.b, 1.0f, 0.0f, 0.0f};
  const Vertex p3{fbx - ox, fby - oy, c.r, c.g, c.b, 1.0f, 0.0f, 0.0f};
  vertices_.insert(vertices_.end(), {p0, p1, p2, p0, p2, p3});
}

void WebGlRenderer::lines(const Lines& l) {
  const double a = l.angle_deg * CIRCLE_PI / 180.0;
  const double ca = std::cos(a), sa = std::sin(a);
  auto place = [&](const Point& p) {
    double x = to_screen(p.x), y = to_screen(p.y);
    if (l.placed) {
      const double rx = ca * x - sa * y, ry = sa * x + ca * y;
      x = l.origin.x + rx;
      y = l.origin.y + ry;
    }
    return Point{clamp_coordinate(x), clamp_coordinate(y)};
  };
  for (const Segment& s : l.segments) {
    if (!is_finite(s.a) || !is_finite(s.b)) continue;
    const Point pa = place(s.a), pb = place(s.b);
    segment(wx(pa.x), wy(pa.y), wx(pb.x), wy(pb.y), s.colour, l.width);
  }
}

void WebGlRenderer::box(const Box& b) {
  const double w = to_screen(b.w), h = to_screen(b.h);
  const double ca = std::cos(b.angle), sa = std::sin(b.angle);
  const double cx = to_screen(b.corner.x), cy = to_screen(b.corner.y);
  const double corner[4][2] = {{0.0, 0.0}, {w, 0.0}, {w, h}, {0.0, h}};
  double px[4], py[4];
  for (int i = 0; i < 4; ++i) {
    px[i] = wx(cx + ca * corner[i][0] - sa * corner[i][1]);
    py[i] = wy(cy + sa * corner[i][0] + ca * corner[i][1]);
  }
  if (b.filled) {
    batch(Mode::Colour, GL_TRIANGLES);
    const Colour& c = b.fill;
    for (int i : {0, 1, 2, 0, 2, 3})
      vertices_.push_back(Vertex{static_cast<float>(px[i]), static_cast<float>(py[i]), c.r, c.g,
                                 c.b, 1.0f, 0.0f, 0.0f});
  }
  if (b.outlined)
    for (int i = 0; i < 4; ++i)
      segment(px[i], py[i], px[(i + 1) % 4], py[(i + 1) % 4], b.outline, b.width);
}

void WebGlRenderer::round(const Round& d) {
  // Vertices as the desktop adds them: centre and offset each in float.
  const float cx = static_cast<float>(to_screen(d.centre.x));
  const float cy = static_cast<float>(to_screen(d.centre.y));
  const double sr = to_screen(d.r);
  double px[circle_segments], py[circle_segments];
  for (int i = 0; i < circle_segments; ++i) {
    const double a = d.half ? d.start - i * CIRCLE_PI / circle_segments
                            : i * 2.0 * CIRCLE_PI / circle_segments;
    px[i] = wx(cx + static_cast<float>(sr * std::cos(a)));
    py[i] = wy(cy + static_cast<float>(sr * std::sin(a)));
  }
  if (d.filled) {
    batch(Mode::Colour, GL_TRIANGLES);
    const Colour& c = d.colour;
    for (int k = 0; k < ear_count_; ++k) {
      const int i = ears_[k];
      vertices_.push_back(Vertex{static_cast<float>(px[i]), static_cast<float>(py[i]), c.r, c.g,
                                 c.b, 1.0f, 0.0f, 0.0f});
    }
    return;
  }
  const int n = d.half ? circle_segments - 1 : circle_segments;
  for (int i = 0; i < n; ++i) {
    const int j = (i + 1) % circle_segments;
    segment(px[i], py[i], px[j], py[j], d.colour, d.width);
  }
}

void WebGlRenderer::text(const Label& t) {
  // The raster position: valid inside the picture's square only, the text's
  // pixels from its whole-pixel part on (as glRasterPos and glBitmap place them).
  if (!(t.x >= -1.0f && t.x <= 1.0f && t.y >= -1.0f && t.y <= 1.0f)) return;
  const int f = t.font == TextFont::Helvetica12 ? 0 : 1;
  // In float, as OpenGL maps a raster position to the window (scale by half
  // the viewport, then move by its centre): a text on a pixel's edge falls
  // on the same side of it as on the desktop.
  const float half = 0.5f * static_cast<float>(vp_.side);
  const float rx = t.x * half + (static_cast<float>(vp_.x) + half);
  const float ry = t.y * half + (static_cast<float>(vp_.y) + half);
  const int bx = static_cast<int>(std::floor(rx));
  const int by = static_cast<int>(std::floor(ry));
  batch(Mode::Mask, GL_TRIANGLES);
  const Colour& c = t.colour;
  int pen = 0;
  for (const char ch : t.text) {
    const int code = static_cast<unsigned char>(ch);
    if (code >= 128) continue;  // the program writes ASCII in the picture
    const WebGlyph& g = kWebFonts[f].glyphs[code];
    if (g.w > 0 && g.h > 0) {
      const float x0 = static_cast<float>(bx + pen + g.x0), y0 = static_cast<float>(by + g.y0);
      const float x1 = x0 + g.w, y1 = y0 + g.h;
      const float u0 = static_cast<float>(glyph_u_[f][code]) / glyph_w_;
      const float v0 = static_cast<float>(glyph_v_[f][code]) / glyph_h_;
      const float u1 = u0 + static_cast<float>(g.w) / glyph_w_;
      const float v1 = v0 + static_cast<float>(g.h) / glyph_h_;
      const Vertex q[4] = {{x0, y0, c.r, c.g, c.b, 1.0f, u0, v0},
                           {x1, y0, c.r, c.g, c.b, 1.0f, u1, v0},
                           {x1, y1, c.r, c.g, c.b, 1.0f, u1, v1},
                           {x0, y1, c.r, c.g, c.b, 1.0f, u0, v1}};
      vertices_.insert(vertices_.end(), {q[0], q[1], q[2], q[0], q[2], q[3]});
    }
    pen += g.advance;
  }
}

void WebGlRenderer::dots(const std::vector<Dot>& d) {
  DotLayer layer(vp_);
  for (const Dot& dot : d) layer.add(dot.centre, dot.r, dot.colour);
  const DotLayer::Tiles t = layer.tiles();
  if (t.pieces.empty()) return;
  flush();
  glBindTexture(GL_TEXTURE_2D, dot_texture_);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, t.sheet_w, t.sheet_h, 0, GL_RGBA, GL_UNSIGNED_BYTE,
               t.rgba.data());
  batch(Mode::Texels, GL_TRIANGLES);
  const float sw = static_cast<float>(t.sheet_w), sh = static_cast<float>(t.sheet_h);
  for (const auto& p : t.pieces) {
    const float x0 = static_cast<float>(p.x), y0 = static_cast<float>(p.y);
    const float x1 = x0 + p.w, y1 = y0 + p.h;
    const float u0 = p.u / sw, v0 = p.v / sh, u1 = (p.u + p.w) / sw, v1 = (p.v + p.h) / sh;
    const Vertex q[4] = {{x0, y0, 1, 1, 1, 1, u0, v0},
                         {x1, y0, 1, 1, 1, 1, u1, v0},
                         {x1, y1, 1, 1, 1, 1, u1, v1},
                         {x0, y1, 1, 1, 1, 1, u0, v1}};
    vertices_.insert(vertices_.end(), {q[0], q[1], q[2], q[0], q[2], q[3]});
  }
  flush();
}

// The lesson view's outline text: the pieces of the glyph atlas the desktop
// draws (view/font_atlas.h), one draw for the texts that follow each other
// in one pixel size.
void WebGlRenderer::scaled_text(const ScaledText& t) {
  pieces_.clear();
  const FontAtlases::Atlas* a = atlases_.place(t, vp_, pieces_);
  if (a == nullptr || pieces_.empty()) return;
  const unsigned texture = atlas_texture(*a);
  if (mode_ == Mode::Coverage && texture != coverage_texture_) flush();
  batch(Mode::Coverage, GL_TRIANGLES);
  coverage_texture_ = texture;
  const Colour& c = t.colour;
  const float aw = static_cast<float>(a->width), ah = static_cast<float>(a->height);
  for (const auto& p : pieces_) {
    const float x0 = static_cast<float>(p.x), y0 = static_cast<float>(p.y);
    const float x1 = x0 + p.w, y1 = y0 + p.h;
    const float u0 = p.u / aw, v0 = p.v / ah, u1 = (p.u + p.w) / aw, v1 = (p.v + p.h) / ah;
    const Vertex q[4] = {{x0, y0, c.r, c.g, c.b, 1.0f, u0, v0},
                         {x1, y0, c.r, c.g, c.b, 1.0f, u1, v0},
                         {x1, y1, c.r, c.g, c.b, 1.0f, u1, v1},
                         {x0, y1, c.r, c.g, c.b, 1.0f, u0, v1}};
    vertices_.insert(vertices_.end(), {q[0], q[1], q[2], q[0], q[2], q[3]});
  }
}
