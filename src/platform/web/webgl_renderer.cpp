// The WebGL renderer: its program, textures and vertex batches, and the
// frame description handed out item by item (the shapes and texts are in
// webgl_figures.cpp).
#include "webgl_renderer.h"

#include <GLES2/gl2.h>

#include <cstddef>
#include <cstdint>

#include "glyph_font.h"
#include "view/text_metrics.h"
#include "view/dot_layer.h"

namespace {

// Positions come in window pixels (origin lower left); the mode picks the
// colour: the vertex's own, the vertex's where a mask texel is set, the
// texel's own where its alpha is set, or the vertex's with the texel's
// coverage as alpha (blended; none leaves the pixel). Texels are sampled at
// their centres, so each pixel takes exactly one.
const char* const kVertexShader = R"(
attribute vec2 pos;
attribute vec4 colour;
attribute vec2 uv;
uniform vec2 size;
varying vec4 v_colour;
varying vec2 v_uv;
void main() {
  gl_Position = vec4(pos / size * 2.0 - 1.0, 0.0, 1.0);
  v_colour = colour;
  v_uv = uv;
}
)";

const char* const kFragmentShader = R"(
precision mediump float;
uniform int mode;
uniform sampler2D tex;
varying vec4 v_colour;
varying vec2 v_uv;
void main() {
  if (mode == 0) {
    gl_FragColor = vec4(v_colour.rgb, 1.0);
  } else if (mode == 3) {
    float a = texture2D(tex, v_uv).a;
    if (a <= 0.0) discard;
    gl_FragColor = vec4(v_colour.rgb, a);
  } else {
    vec4 t = texture2D(tex, v_uv);
    if (t.a < 0.5) discard;
    gl_FragColor = mode == 1 ? vec4(v_colour.rgb, 1.0) : vec4(t.rgb, 1.0);
  }
}
)";

GLuint compile(GLenum type, const char* source) {
  const GLuint s = glCreateShader(type);
  glShaderSource(s, 1, &source, nullptr);
  glCompileShader(s);
  return s;
}

GLuint new_texture() {
  GLuint t = 0;
  glGenTextures(1, &t);
  glBindTexture(GL_TEXTURE_2D, t);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  return t;
}

// Where the glyphs lie in the glyph texture: one row of cells a font.
constexpr int kCell = 32;
constexpr int kGlyphColumns = 128;

}  // namespace

WebGlRenderer::WebGlRenderer() : atlases_(kLessonFontPath) {
  program_ = glCreateProgram();
  glAttachShader(program_, compile(GL_VERTEX_SHADER, kVertexShader));
  glAttachShader(program_, compile(GL_FRAGMENT_SHADER, kFragmentShader));
  glLinkProgram(program_);
  glUseProgram(program_);
  loc_pos_ = glGetAttribLocation(program_, "pos");
  loc_colour_ = glGetAttribLocation(program_, "colour");
  loc_uv_ = glGetAttribLocation(program_, "uv");
  loc_size_ = glGetUniformLocation(program_, "size");
  loc_mode_ = glGetUniformLocation(program_, "mode");
  loc_tex_ = glGetUniformLocation(program_, "tex");
  glGenBuffers(1, &buffer_);
  glBindBuffer(GL_ARRAY_BUFFER, buffer_);
  glEnableVertexAttribArray(static_cast<GLuint>(loc_pos_));
  glEnableVertexAttribArray(static_cast<GLuint>(loc_colour_));
  glEnableVertexAttribArray(static_cast<GLuint>(loc_uv_));
  glUniform1i(loc_tex_, 0);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);

  // The discs' triangles: the same ears the desktop renderer cuts.
  int left[circle_segments];
  int n = circle_segments;
  for (int i = 0; i < n; ++i) left[i] = i;
  while (n > 3) {
    int kept = 0;
    int i = 0;
    for (int cut = 0; i + 1 < n && n - cut > 3; i += 2, ++cut) {
      ears_[ear_count_++] = left[i];
      ears_[ear_count_++] = left[i + 1];
      ears_[ear_count_++] = left[(i + 2) % n];
      left[kept++] = left[i];
    }
    for (; i < n; ++i) left[kept++] = left[i];
    n = kept;
  }
  ears_[ear_count_++] = left[0];
  ears_[ear_count_++] = left[1];
  ears_[ear_count_++] = left[2];

  // Both fonts' glyphs in one mask texture, a cell each.
  glyph_w_ = kGlyphColumns * kCell;
  glyph_h_ = 2 * kCell;
  std::vector<std::uint8_t> texels(static_cast<std::size_t>(glyph_w_) * glyph_h_, 0);
  for (int f = 0; f < 2; ++f)
    for (int c = 0; c < 128; ++c) {
      const WebGlyph& g = kWebFonts[f].glyphs[c];
      const int u = c * kCell, v = f * kCell;
      glyph_u_[f][c] = u;
      glyph_v_[f][c] = v;
      const int row_bytes = (g.w + 7) / 8;
      for (int y = 0; y < g.h && y < kCell; ++y)
        for (int x = 0; x < g.w && x < kCell; ++x) {
          const std::uint8_t byte = kWebFonts[f].bits[g.bits + y * row_bytes + x / 8];
          if (byte & (0x80 >> (x % 8)))
            texels[static_cast<std::size_t>(v + y) * glyph_w_ + u + x] = 255;
        }
    }
  glyph_texture_ = new_texture();
  glTexImage2D(GL_TEXTURE_2D, 0, GL_ALPHA, glyph_w_, glyph_h_, 0, GL_ALPHA, GL_UNSIGNED_BYTE,
               texels.data());
  dot_texture_ = new_texture();
}

void WebGlRenderer::clear(int width, int height) {
  glDisable(GL_SCISSOR_TEST);
  glViewport(0, 0, width, height);
  glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
}

void WebGlRenderer::draw(const FrameDescription& frame, int width, int height) {
  width_ = width;
  height_ = height;
  vp_ = square_viewport(width, height);
  glViewport(0, 0, width, height);
  glUseProgram(program_);
  glUniform2f(loc_size_, static_cast<float>(width), static_cast<float>(height));
  glDisable(GL_SCISSOR_TEST);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_BLEND);
  glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);  // the window outside the picture's square stays white
  for (const Item& item : frame.items) draw_item(frame, item);
  flush();
  glDisable(GL_SCISSOR_TEST);
}

void WebGlRenderer::draw_item(const FrameDescription& f, const Item& item) {
  switch (item.kind) {
    case ItemKind::Clear:
      flush();
      glClear(GL_COLOR_BUFFER_BIT);
      return;
    case ItemKind::ScissorOff:
      flush();
      glDisable(GL_SCISSOR_TEST);
      return;
    case ItemKind::Scissor: {
      flush();
      const PixelBox b = pixel_box(f.scissors[item.index], vp_);
      glScissor(b.x, b.y, b.width, b.height);
      glEnable(GL_SCISSOR_TEST);
      return;
    }
    case ItemKind::Lines:
      lines(f.lines[item.index]);
      return;
    case ItemKind::Box:
      box(f.boxes[item.index]);
      return;
    case ItemKind::Round:
      round(f.rounds[item.index]);
      return;
    case ItemKind::Text:
      text(f.texts[item.index]);
      return;
    case ItemKind::Dots:
      dots(f.dots[item.index]);
      return;
    case ItemKind::ScaledText:
      scaled_text(f.scaled_texts[item.index]);
      return;
    // Nothing of the frame is drawn lit or shaded, and the page shows what is
    // drawn when the frame is done.
    case ItemKind::LightingOff:
    case ItemKind::LightingOn:
    case ItemKind::FlatShading:
    case ItemKind::SmoothShading:
    case ItemKind::HandOver:
      return;
    default:
      // A kind this renderer does not know yet draws nothing, rather than
      // stopping the rest of the frame.
      return;
  }
}

void WebGlRenderer::batch(Mode mode, unsigned primitive) {
  if (mode == mode_ && primitive == primitive_) return;
  flush();
  mode_ = mode;
  primitive_ = primitive;
}

void WebGlRenderer::flush() {
  if (vertices_.empty()) return;
  glBindBuffer(GL_ARRAY_BUFFER, buffer_);
  glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices_.size() * sizeof(Vertex)),
               vertices_.data(), GL_STREAM_DRAW);
  const GLsizei stride = sizeof(Vertex);
  glVertexAttribPointer(static_cast<GLuint>(loc_pos_), 2, GL_FLOAT, GL_FALSE, stride, nullptr);
  glVertexAttribPointer(static_cast<GLuint>(loc_colour_), 4, GL_FLOAT, GL_FALSE, stride,
                        reinterpret_cast<const void*>(2 * sizeof(float)));
  glVertexAttribPointer(static_cast<GLuint>(loc_uv_), 2, GL_FLOAT, GL_FALSE, stride,
                        reinterpret_cast<const void*>(6 * sizeof(float)));
  glUniform1i(loc_mode_, static_cast<int>(mode_));
  glActiveTexture(GL_TEXTURE0);
  glBindTexture(GL_TEXTURE_2D, mode_ == Mode::Texels     ? dot_texture_
                               : mode_ == Mode::Coverage ? coverage_texture_
                                                         : glyph_texture_);
  // Coverage blends over what is drawn, as the desktop's outline text does.
  if (mode_ == Mode::Coverage) {
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_BLEND);
  }
  glDrawArrays(primitive_, 0, static_cast<GLsizei>(vertices_.size()));
  if (mode_ == Mode::Coverage) glDisable(GL_BLEND);
  vertices_.clear();
}

unsigned WebGlRenderer::atlas_texture(const FontAtlases::Atlas& a) {
  for (const auto& [atlas, texture] : atlas_textures_)
    if (atlas == &a) return texture;
  const GLuint t = new_texture();
  glTexImage2D(GL_TEXTURE_2D, 0, GL_ALPHA, a.width, a.height, 0, GL_ALPHA, GL_UNSIGNED_BYTE,
               a.texels.data());
  atlas_textures_.emplace_back(&a, t);
  return t;
}
