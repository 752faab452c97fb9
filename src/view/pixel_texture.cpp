#include "view/pixel_texture.h"

#include <GL/gl.h>

#include <algorithm>

void PixelTexture::upload(Format format, int w, int h, const std::uint8_t* texels) {
  if (w <= 0 || h <= 0 || texels == nullptr) {
    width_ = height_ = 0;
    return;
  }
  if (name_ == 0) {
    GLuint name = 0;
    glGenTextures(1, &name);
    name_ = name;
  }
  const GLenum gl_format = (format == Format::Rgba) ? GL_RGBA : GL_ALPHA;
  glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
  glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
  glBindTexture(GL_TEXTURE_2D, name_);
  // The storage only grows: a layer that changes size every frame reuses it.
  if (format != format_ || w > capacity_w_ || h > capacity_h_) {
    capacity_w_ = std::max(w, format == format_ ? capacity_w_ : 0);
    capacity_h_ = std::max(h, format == format_ ? capacity_h_ : 0);
    glTexImage2D(GL_TEXTURE_2D, 0, gl_format == GL_ALPHA ? GL_ALPHA8 : GL_RGBA8, capacity_w_,
                 capacity_h_, 0, gl_format, GL_UNSIGNED_BYTE, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  }
  glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, w, h, gl_format, GL_UNSIGNED_BYTE, texels);
  glPopClientAttrib();
  format_ = format;
  width_ = w;
  height_ = h;
}

void PixelTexture::draw(const std::vector<Piece>& pieces, const SquareViewport& vp,
                        const Colour& colour) const {
  if (empty() || pieces.empty() || vp.side <= 0) return;
  std::vector<float> xy;
  std::vector<float> st;
  xy.reserve(12 * pieces.size());
  st.reserve(12 * pieces.size());
  const double su = 1.0 / capacity_w_;
  const double sv = 1.0 / capacity_h_;
  for (const Piece& p : pieces) {
    // Only texels that were uploaded: the rest of the storage is undefined.
    const int u0 = std::max(p.u, 0), v0 = std::max(p.v, 0);
    const int u1 = std::min(p.u + p.w, width_), v1 = std::min(p.v + p.h, height_);
    if (u1 <= u0 || v1 <= v0) continue;
    const int x0 = p.x + (u0 - p.u), y0 = p.y + (v0 - p.v);
    const float l = static_cast<float>(drawing_coordinate(x0, vp.x, vp.side));
    const float r = static_cast<float>(drawing_coordinate(x0 + (u1 - u0), vp.x, vp.side));
    const float b = static_cast<float>(drawing_coordinate(y0, vp.y, vp.side));
    const float t = static_cast<float>(drawing_coordinate(y0 + (v1 - v0), vp.y, vp.side));
    const float s0 = static_cast<float>(u0 * su), s1 = static_cast<float>(u1 * su);
    const float t0 = static_cast<float>(v0 * sv), t1 = static_cast<float>(v1 * sv);
    const float corners[12] = {l, b, r, b, r, t, l, b, r, t, l, t};
    const float texcoords[12] = {s0, t0, s1, t0, s1, t1, s0, t0, s1, t1, s0, t1};
    xy.insert(xy.end(), corners, corners + 12);
    st.insert(st.end(), texcoords, texcoords + 12);
  }
  if (xy.empty()) return;

  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glBindTexture(GL_TEXTURE_2D, name_);
  glEnable(GL_TEXTURE_2D);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE,
            format_ == Format::Rgba ? GL_REPLACE : GL_MODULATE);
  const bool blend = format_ == Format::Coverage;
  glAlphaFunc(GL_GREATER, blend ? 0.0f : 0.5f);
  glEnable(GL_ALPHA_TEST);
  if (blend) {
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_BLEND);
  }
  // Alpha textures take the colour; their coverage needs a vertex alpha of 1.
  glColor4f(colour.r, colour.g, colour.b, 1.0f);
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  glVertexPointer(2, GL_FLOAT, 0, xy.data());
  glTexCoordPointer(2, GL_FLOAT, 0, st.data());
  glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(xy.size() / 2));
  glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  glDisableClientState(GL_VERTEX_ARRAY);
  if (blend) glDisable(GL_BLEND);
  glDisable(GL_ALPHA_TEST);
  glDisable(GL_TEXTURE_2D);
  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
}
