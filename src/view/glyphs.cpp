#include "view/glyphs.h"

#define GL_GLEXT_PROTOTYPES 1
#include <GL/freeglut.h>
#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

#include "view/pixel_texture.h"
#include "view/viewport.h"

namespace {

// The box of a glyph's pixels, relative to the whole-pixel part of the raster
// position (x0 .. x1 - 1, y0 .. y1 - 1; empty for a space), and where the box
// lies in the glyph texture.
struct Glyph {
  int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  int u = 0, v = 0;
  int advance = 0;
};

struct Font {
  Font(void* font, int sheet) : id(font), sheet_row(sheet) {}
  void* id;
  int sheet_row;  // first texel row of the font's sheet in the glyph texture
  bool captured = false;
  std::array<Glyph, 256> glyphs{};
};

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

bool captured_char(int c) { return c == '\n' || (c >= kFirst && c <= kLast); }
int cell_of(int c) { return c == '\n' ? 0 : c - kFirst + 1; }
int cell_x(int c) { return (cell_of(c) % kPerRow) * kCell; }
int cell_y(int c) { return (cell_of(c) / kPerRow) * kCell; }

// Both fonts' sheets, one above the other, as coverage texels: the texture
// every text is drawn from. Like the window's context it serves, it lives as
// long as the program.
Font helvetica12{GLUT_BITMAP_HELVETICA_12, 0};
Font helvetica18{GLUT_BITMAP_HELVETICA_18, kSheetHeight};
constexpr int kTextureHeight = 2 * kSheetHeight;
PixelTexture glyph_texture;

// Texts held back while a GlyphBatch lives: their pieces, all of one colour
// in one viewport, drawn together when it ends.
struct PendingGlyphs {
  int scopes = 0;
  std::vector<PixelTexture::Piece> pieces;
  Colour colour{0.0f, 0.0f, 0.0f, 0.0f};
  SquareViewport vp{0, 0, 0};
};
PendingGlyphs pending;

Font* font_of(void* id) {
  if (id == helvetica12.id) return &helvetica12;
  if (id == helvetica18.id) return &helvetica18;
  return nullptr;
}

// Calls f for each captured character.
template <class F>
void for_captured(F f) {
  f('\n');
  for (int c = kFirst; c <= kLast; ++c) f(c);
}

// Reads the font's glyphs into its sheet of `texels` (the glyph texture's
// rows, kSheetWidth wide): 255 where a glyph sets a pixel, 0 elsewhere.
void capture(Font& font, std::vector<std::uint8_t>& texels) {
  glClear(GL_COLOR_BUFFER_BIT);
  for_captured([&](int c) {
    glWindowPos2f(static_cast<float>(cell_x(c) + kOriginX) + 0.25f,
                  static_cast<float>(cell_y(c) + kOriginY) + 0.25f);
    glutBitmapCharacter(font.id, c);
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
    g.advance = glutBitmapWidth(font.id, c);
  });
  font.captured = true;
}

}  // namespace

void capture_glyphs() {
  if (helvetica12.captured && helvetica18.captured) return;
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
  capture(helvetica12, texels);
  capture(helvetica18, texels);
  glyph_texture.upload(PixelTexture::Format::Alpha, kSheetWidth, kTextureHeight, texels.data());
  glPopClientAttrib();
  glPopAttrib();
  glClear(GL_COLOR_BUFFER_BIT);
}

bool draw_glyphs(void* id, const char* text) {
  const Font* font = font_of(id);
  if (font == nullptr || !font->captured) return false;
  // A text with a character that was not read back goes through GLUT.
  for (const char* p = text; *p != '\0'; ++p)
    if (!captured_char(static_cast<unsigned char>(*p))) return false;
  GLboolean valid = GL_FALSE;
  glGetBooleanv(GL_CURRENT_RASTER_POSITION_VALID, &valid);
  if (!valid) return true;
  GLfloat raster[4] = {0.0f, 0.0f, 0.0f, 0.0f};
  glGetFloatv(GL_CURRENT_RASTER_POSITION, raster);
  GLfloat colour[4] = {0.0f, 0.0f, 0.0f, 0.0f};
  glGetFloatv(GL_CURRENT_RASTER_COLOR, colour);
  // A valid raster position lies in the viewport, well inside int range.
  const int bx = static_cast<int>(std::floor(raster[0]));
  const int by = static_cast<int>(std::floor(raster[1]));

  const Colour c{colour[0], colour[1], colour[2], colour[3]};
  const SquareViewport vp = current_square_viewport();
  // Held-back texts of another colour or viewport go first: order is kept.
  if (!pending.pieces.empty() &&
      (!same_colour(c, pending.colour) || vp.x != pending.vp.x || vp.y != pending.vp.y ||
       vp.side != pending.vp.side))
    flush_glyphs();
  pending.colour = c;
  pending.vp = vp;
  int pen = 0;
  for (const char* p = text; *p != '\0'; ++p) {
    const Glyph& g = font->glyphs[static_cast<unsigned char>(*p)];
    if (g.x1 > g.x0)
      pending.pieces.push_back(
          PixelTexture::Piece{bx + pen + g.x0, by + g.y0, g.u, g.v, g.x1 - g.x0, g.y1 - g.y0});
    pen += g.advance;
  }
  if (pending.scopes == 0) flush_glyphs();
  return true;
}

void flush_glyphs() {
  if (pending.pieces.empty()) return;
  // The current colour and switches as draw_text leaves them.
  glPushAttrib(GL_CURRENT_BIT | GL_ENABLE_BIT);
  glyph_texture.draw(pending.pieces, pending.vp, pending.colour);
  glPopAttrib();
  pending.pieces.clear();
}

GlyphBatch::GlyphBatch() { ++pending.scopes; }

GlyphBatch::~GlyphBatch() {
  if (--pending.scopes == 0) flush_glyphs();
}
