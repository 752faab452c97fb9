#include "view/font_atlas.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "view/text_metrics.h"

#define STB_TRUETYPE_IMPLEMENTATION
#define STBTT_STATIC
#include <stb/stb_truetype.h>

namespace {

constexpr int kAtlasWidth = 1024;

}  // namespace

struct FontAtlases::Face {
  std::vector<unsigned char> bytes;
  stbtt_fontinfo info{};
};

FontAtlases::FontAtlases(const char* path) : path_(path) {}

FontAtlases::~FontAtlases() = default;

bool FontAtlases::usable() {
  if (tried_) return face_ != nullptr;
  tried_ = true;
  std::FILE* file = std::fopen(path_, "rb");
  if (file == nullptr) return false;
  auto face = std::make_unique<Face>();
  unsigned char chunk[65536];
  for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, file)) > 0;)
    face->bytes.insert(face->bytes.end(), chunk, chunk + n);
  std::fclose(file);
  if (!face->bytes.empty() && stbtt_InitFont(&face->info, face->bytes.data(), 0) != 0)
    face_ = std::move(face);
  return face_ != nullptr;
}

const FontAtlases::Atlas& FontAtlases::atlas(int pixels) {
  for (auto& a : atlases_)
    if (a->pixels == pixels) return *a;
  auto a = std::make_unique<Atlas>();
  a->pixels = pixels;
  a->scale = static_cast<double>(pixels) / kFontUnitsPerEm;
  const float scale = static_cast<float>(a->scale);
  // Rows of glyph cells, one per character of the font table
  // (view/text_metrics.h), 1 texel apart; stb's bitmaps run top to bottom,
  // the texture's rows bottom to top.
  struct Cell {
    int x, y, w, h;
  };
  std::array<Cell, kTableSize> cells{};
  int x = 1, y = 1, row_h = 0;
  for (int i = 0; i < kTableSize; ++i) {
    int x0, y0, x1, y1;
    stbtt_GetCodepointBitmapBox(&face_->info, static_cast<int>(font_table_char(i)), scale, scale,
                                &x0, &y0, &x1, &y1);
    const int w = x1 - x0, h = y1 - y0;
    if (x + w + 1 > kAtlasWidth) x = 1, y += row_h + 1, row_h = 0;
    cells[i] = Cell{x, y, w, h};
    a->glyphs[i] = Glyph{x0, -y1, w, h, x, y};
    x += w + 1;
    row_h = std::max(row_h, h);
  }
  const int height = y + row_h + 1;
  std::vector<std::uint8_t> top_down(static_cast<std::size_t>(kAtlasWidth) * height, 0);
  for (int i = 0; i < kTableSize; ++i) {
    const Cell& c = cells[i];
    if (c.w <= 0 || c.h <= 0) continue;
    stbtt_MakeCodepointBitmap(&face_->info,
                              &top_down[static_cast<std::size_t>(c.y) * kAtlasWidth + c.x], c.w,
                              c.h, kAtlasWidth, scale, scale, static_cast<int>(font_table_char(i)));
  }
  // Flip: cell rows y .. y + h - 1 top-down become texture rows from the
  // bottom, so a glyph's lowest row is texture row v (= cell y after the flip).
  a->texels.assign(top_down.size(), 0);
  for (int r = 0; r < height; ++r)
    std::copy_n(&top_down[static_cast<std::size_t>(r) * kAtlasWidth], kAtlasWidth,
                &a->texels[static_cast<std::size_t>(height - 1 - r) * kAtlasWidth]);
  for (int i = 0; i < kTableSize; ++i) a->glyphs[i].v = height - cells[i].y - cells[i].h;
  a->width = kAtlasWidth;
  a->height = height;
  atlases_.push_back(std::move(a));
  return *atlases_.back();
}

const FontAtlases::Atlas* FontAtlases::place(const ScaledText& t, const SquareViewport& vp,
                                             std::vector<PixelTexture::Piece>& out) {
  if (!usable() || vp.side <= 0) return nullptr;
  const Atlas& a = atlas(text_pixels(t.size, vp.side));
  // The box the metrics give (view/text_metrics.h) at this pixel size.
  const DrawingRect box = text_box(t, vp.side);
  const double base = std::round(vp.y + (t.y + 1.0) / 2.0 * vp.side);
  double pen = vp.x + (box.x0 + 1.0) / 2.0 * vp.side;
  for (std::size_t at = 0; at < t.text.size();) {
    const int i = font_table_index(next_char(t.text, at));
    if (i < 0) continue;
    const Glyph& g = a.glyphs[i];
    if (g.w > 0 && g.h > 0)
      out.push_back(PixelTexture::Piece{static_cast<int>(std::lround(pen)) + g.x0,
                                        static_cast<int>(base) + g.y0, g.u, g.v, g.w, g.h});
    pen += advance_units(font_table_char(i)) * a.scale;
  }
  return &a;
}
