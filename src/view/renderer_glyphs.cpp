// The renderer's text from GLUT's bitmap fonts: their glyphs read back once
// into one texture, and the texts drawn from it, held back and sent together
// in one draw while their colour stays the same.
#include "view/renderer.h"

#define GL_GLEXT_PROTOTYPES 1
#include <GL/freeglut.h>
#include <GL/gl.h>
#include <GL/glext.h>

#include <cmath>
#include <vector>

namespace {

// The characters the program writes: the printable ASCII ones and the line
// feed that ends some texts. Each is drawn in a cell of its own, 12 cells a
// row (a row fits Mesa's bitmap cache, so it is one draw); the raster position
// lies kOrigin pixels into the cell, a quarter pixel past a pixel corner.
constexpr int kFirst = 32;
constexpr int kLast = 126;
constexpr int kCells = kLast - kFirst + 2;  // the line feed first
constexpr int kCell = 40;
constexpr int kOriginX = 8;
constexpr int kOriginY = 12;
constexpr int kPerRow = 12;
constexpr int kSheetWidth = kPerRow * kCell;
constexpr int kSheetHeight = ((kCells - 1) / kPerRow + 1) * kCell;
// Both fonts' sheets, one above the other.
constexpr int kTextureHeight = 2 * kSheetHeight;

bool captured_char(int c) { return c == '\n' || (c >= kFirst && c <= kLast); }
int cell_of(int c) { return c == '\n' ? 0 : c - kFirst + 1; }
int cell_x(int c) { return (cell_of(c) % kPerRow) * kCell; }
int cell_y(int c) { return (cell_of(c) / kPerRow) * kCell; }

// Calls f for each captured character.
template <class F>
void for_captured(F f) {
  f('\n');
  for (int c = kFirst; c <= kLast; ++c) f(c);
}

int font_index(TextFont font) { return font == TextFont::Helvetica12 ? 0 : 1; }
void* glut_font(int index) {
  return index == 0 ? GLUT_BITMAP_HELVETICA_12 : GLUT_BITMAP_HELVETICA_18;
}

}  // namespace

void Renderer::place_glyph_sheets() {
  fonts_[0].sheet_row = 0;
  fonts_[1].sheet_row = kSheetHeight;
}

// Reads the font's glyphs into its sheet of `texels` (the glyph texture's
// rows, kSheetWidth wide): 255 where a glyph sets a pixel, 0 elsewhere.
void Renderer::capture(int index, std::vector<std::uint8_t>& texels) {
  FontGlyphs& font = fonts_[index];
  void* const id = glut_font(index);
  glClear(GL_COLOR_BUFFER_BIT);
  for_captured([&](int c) {
    glWindowPos2f(static_cast<float>(cell_x(c) + kOriginX) + 0.25f,
                  static_cast<float>(cell_y(c) + kOriginY) + 0.25f);
    glutBitmapCharacter(id, c);
  });
  glFinish();
  std::vector<std::uint8_t> sheet(static_cast<std::size_t>(kSheetWidth) * kSheetHeight);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, kSheetWidth, kSheetHeight, GL_RED, GL_UNSIGNED_BYTE, sheet.data());

  for_captured([&](int c) {
    Glyph& g = font.glyphs[c];
    g = Glyph{};
    int x0 = kCell, y0 = kCell, x1 = 0, y1 = 0;
    for (int y = 0; y < kCell; ++y)
      for (int x = 0; x < kCell; ++x) {
        const std::size_t at = static_cast<std::size_t>(cell_y(c) + y) * kSheetWidth + cell_x(c) + x;
        const bool set = sheet[at] < 128;
        texels[static_cast<std::size_t>(font.sheet_row) * kSheetWidth + at] = set ? 255 : 0;
        if (set) x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x + 1), y1 = std::max(y1, y + 1);
      }
    if (x1 > x0) {
      g.x0 = x0 - kOriginX, g.x1 = x1 - kOriginX;
      g.y0 = y0 - kOriginY, g.y1 = y1 - kOriginY;
      g.u = cell_x(c) + x0;
      g.v = font.sheet_row + cell_y(c) + y0;
    }
    g.advance = glutBitmapWidth(id, c);
  });
  font.captured = true;
}

void Renderer::capture_glyphs() {
  if (glyphs_captured()) return;
  GLint vp[4] = {0, 0, 0, 0};
  glGetIntegerv(GL_VIEWPORT, vp);
  if (vp[0] != 0 || vp[1] != 0 || vp[2] < kSheetWidth || vp[3] < kSheetHeight) return;
  if (glutGet(GLUT_WINDOW_WIDTH) < kSheetWidth || glutGet(GLUT_WINDOW_HEIGHT) < kSheetHeight) return;

  glPushAttrib(GL_ALL_ATTRIB_BITS);
  glPushClientAttrib(GL_CLIENT_ALL_ATTRIB_BITS);
  glDrawBuffer(GL_BACK);
  glReadBuffer(GL_BACK);
  glDisable(GL_SCISSOR_TEST);
  glDisable(GL_LIGHTING);
  glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
  glColor4f(0.0f, 0.0f, 0.0f, 1.0f);
  std::vector<std::uint8_t> texels(static_cast<std::size_t>(kSheetWidth) * kTextureHeight, 0);
  capture(0, texels);
  capture(1, texels);
  glyph_texture_.upload(PixelTexture::Format::Alpha, kSheetWidth, kTextureHeight, texels.data());
  glyph_texels_ = std::move(texels);
  glPopClientAttrib();
  glPopAttrib();
  glClear(GL_COLOR_BUFFER_BIT);
}

Renderer::GlyphPixels Renderer::glyph_pixels(TextFont font, int c) const {
  GlyphPixels out;
  const FontGlyphs& f = fonts_[font_index(font)];
  if (!f.captured || c < 0 || c > 255 || !captured_char(c) || glyph_texels_.empty()) return out;
  const Glyph& g = f.glyphs[c];
  out.x0 = g.x0;
  out.y0 = g.y0;
  out.w = g.x1 - g.x0;
  out.h = g.y1 - g.y0;
  out.advance = g.advance;
  for (int y = 0; y < out.h; ++y)
    for (int x = 0; x < out.w; ++x)
      out.pixels.push_back(
          glyph_texels_[static_cast<std::size_t>(g.v + y) * kSheetWidth + g.u + x] != 0 ? 1 : 0);
  return out;
}

void Renderer::draw_text(const Label& t) {
  const int index = font_index(t.font);
  const FontGlyphs& font = fonts_[index];
  bool readable = font.captured;
  for (const char* p = t.text.c_str(); readable && *p != '\0'; ++p)
    readable = captured_char(static_cast<unsigned char>(*p));

  // The raster colour is fixed from the state at glRasterPos time: take it
  // from the text's colour with lighting off, so text reads the same in the
  // first frame as in every later one.
  glPushAttrib(GL_CURRENT_BIT | GL_ENABLE_BIT);
  glDisable(GL_LIGHTING);
  glColor4f(t.colour.r, t.colour.g, t.colour.b, t.colour.a);
  glRasterPos2f(t.x, t.y);
  if (!readable) {
    // A text with a character that was not read back goes through GLUT,
    // after the texts held back, which come before it.
    flush_texts();
    for (const char* p = t.text.c_str(); *p != '\0'; ++p)
      glutBitmapCharacter(glut_font(index), static_cast<unsigned char>(*p));
    glPopAttrib();
    return;
  }
  GLboolean valid = GL_FALSE;
  glGetBooleanv(GL_CURRENT_RASTER_POSITION_VALID, &valid);
  GLfloat raster[4] = {0.0f, 0.0f, 0.0f, 0.0f};
  GLfloat colour[4] = {0.0f, 0.0f, 0.0f, 0.0f};
  if (valid) {
    glGetFloatv(GL_CURRENT_RASTER_POSITION, raster);
    glGetFloatv(GL_CURRENT_RASTER_COLOR, colour);
  }
  glPopAttrib();
  if (!valid) return;
  // A valid raster position lies in the viewport, well inside int range.
  const int bx = static_cast<int>(std::floor(raster[0]));
  const int by = static_cast<int>(std::floor(raster[1]));
  const Colour c{colour[0], colour[1], colour[2], colour[3]};
  // Held-back texts of another colour go first: order is kept.
  if (!pending_.empty() && !same_colour(c, pending_colour_)) flush_texts();
  pending_colour_ = c;
  int pen = 0;
  for (const char* p = t.text.c_str(); *p != '\0'; ++p) {
    const Glyph& g = font.glyphs[static_cast<unsigned char>(*p)];
    if (g.x1 > g.x0)
      pending_.push_back(
          PixelTexture::Piece{bx + pen + g.x0, by + g.y0, g.u, g.v, g.x1 - g.x0, g.y1 - g.y0});
    pen += g.advance;
  }
}

void Renderer::flush_texts() {
  if (pending_.empty()) return;
  // The current colour and switches as they were.
  glPushAttrib(GL_CURRENT_BIT | GL_ENABLE_BIT);
  glyph_texture_.draw(pending_, vp_, pending_colour_);
  glPopAttrib();
  pending_.clear();
}
