#include "view/glyphs.h"

#define GL_GLEXT_PROTOTYPES 1
#include <GL/freeglut.h>
#include <GL/gl.h>
#include <GL/glext.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

#include "view/pixel_rects.h"
#include "view/vertex_batch.h"
#include "view/viewport.h"

namespace {

// Glyph pixels relative to the whole-pixel part of the raster position.
struct Glyph {
  std::vector<ValueRect> rects;
  int advance = 0;
};

struct Font {
  explicit Font(void* font) : id(font) {}
  void* id;
  bool captured = false;
  std::array<Glyph, 256> glyphs{};
};

Font helvetica12{GLUT_BITMAP_HELVETICA_12};
Font helvetica18{GLUT_BITMAP_HELVETICA_18};

Font* font_of(void* id) {
  if (id == helvetica12.id) return &helvetica12;
  if (id == helvetica18.id) return &helvetica18;
  return nullptr;
}

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

// Calls f for each captured character.
template <class F>
void for_captured(F f) {
  f('\n');
  for (int c = kFirst; c <= kLast; ++c) f(c);
}

// Rectangles of a glyph cell: runs along rows or along columns, whichever
// needs fewer (a glyph is mostly strokes of one of the two directions).
std::vector<ValueRect> fewest_rectangles(const std::vector<std::uint8_t>& cell) {
  std::vector<ValueRect> by_rows = value_rectangles(cell, kCell, kCell);
  std::vector<std::uint8_t> turned(cell.size());
  for (int y = 0; y < kCell; ++y)
    for (int x = 0; x < kCell; ++x)
      turned[static_cast<std::size_t>(x) * kCell + y] = cell[static_cast<std::size_t>(y) * kCell + x];
  std::vector<ValueRect> by_columns = value_rectangles(turned, kCell, kCell);
  if (by_rows.size() <= by_columns.size()) return by_rows;
  for (ValueRect& r : by_columns) r = ValueRect{r.y0, r.x0, r.y1, r.x1, r.value};
  return by_columns;
}

void capture(Font& font) {
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

  std::vector<std::uint8_t> cell(static_cast<std::size_t>(kCell) * kCell);
  for_captured([&](int c) {
    for (int y = 0; y < kCell; ++y)
      for (int x = 0; x < kCell; ++x)
        cell[static_cast<std::size_t>(y) * kCell + x] =
            sheet[static_cast<std::size_t>(cell_y(c) + y) * kSheetWidth + cell_x(c) + x] < 128 ? 1
                                                                                           : 0;
    Glyph& g = font.glyphs[c];
    g.rects = fewest_rectangles(cell);
    for (ValueRect& r : g.rects) {
      r.x0 -= kOriginX, r.x1 -= kOriginX;
      r.y0 -= kOriginY, r.y1 -= kOriginY;
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
  capture(helvetica12);
  capture(helvetica18);
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

  const SquareViewport vp = current_square_viewport();
  const Colour c{colour[0], colour[1], colour[2], colour[3]};
  VertexBatch batch(VertexBatch::Kind::Triangles);
  std::size_t rects = 0;
  for (const char* p = text; *p != '\0'; ++p) rects += font->glyphs[static_cast<unsigned char>(*p)].rects.size();
  batch.reserve(6 * rects);
  int pen = 0;
  for (const char* p = text; *p != '\0'; ++p) {
    const Glyph& g = font->glyphs[static_cast<unsigned char>(*p)];
    for (const ValueRect& r : g.rects)
      batch.add_pixel_rect(bx + pen + r.x0, by + r.y0, bx + pen + r.x1, by + r.y1, vp, c);
    pen += g.advance;
  }
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  batch.draw();
  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  return true;
}
