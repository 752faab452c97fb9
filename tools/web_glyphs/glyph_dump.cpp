// Writes the glyphs the desktop renderer reads back from GLUT's bitmap fonts
// as the C++ source of the web page's font (src/platform/web/glyph_font.h),
// so that the page writes its text in the same pixels. Needs an X display
// (make_glyph_font.sh runs it under Xvfb).
#include <GL/freeglut.h>

#include <cstdio>
#include <string>
#include <vector>

#include "view/renderer.h"

namespace {

void write_font(std::FILE* out, Renderer& r, TextFont font, const char* name) {
  std::vector<std::uint8_t> bits;
  std::string table;
  for (int c = 0; c < 128; ++c) {
    const Renderer::GlyphPixels g = r.glyph_pixels(font, c);
    char line[96];
    std::snprintf(line, sizeof line, "    {%d, %d, %d, %d, %d, %zu},  // %d\n", g.x0, g.y0, g.w, g.h,
                  g.advance, bits.size(), c);
    table += line;
    const int row_bytes = (g.w + 7) / 8;
    for (int y = 0; y < g.h; ++y)
      for (int b = 0; b < row_bytes; ++b) {
        std::uint8_t byte = 0;
        for (int k = 0; k < 8 && 8 * b + k < g.w; ++k)
          if (g.pixels[static_cast<std::size_t>(y) * g.w + 8 * b + k]) byte |= 0x80 >> k;
        bits.push_back(byte);
      }
  }
  std::fprintf(out, "const WebGlyph k%sGlyphs[128] = {\n%s};\n\n", name, table.c_str());
  std::fprintf(out, "const std::uint8_t k%sBits[] = {", name);
  for (std::size_t i = 0; i < bits.size(); ++i)
    std::fprintf(out, "%s0x%02x,", i % 16 == 0 ? "\n    " : " ", bits[i]);
  std::fprintf(out, "\n    0x00};\n\n");
}

}  // namespace

int main(int argc, char** argv) {
  glutInitWindowSize(800, 800);
  glutInit(&argc, argv);
  glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
  glutCreateWindow("glyphs");
  glViewport(0, 0, 800, 800);
  Renderer r;
  r.capture_glyphs();
  if (!r.glyphs_captured()) {
    std::fprintf(stderr, "glyph_dump: the glyphs could not be read back\n");
    return 1;
  }
  std::FILE* out = stdout;
  std::fprintf(out,
               "// The desktop renderer's glyphs of GLUT's Helvetica 12 and 18, written by\n"
               "// tools/web_glyphs/make_glyph_font.sh. Not to be edited: run the script again.\n"
               "#include \"glyph_font.h\"\n\nnamespace {\n\n");
  write_font(out, r, TextFont::Helvetica12, "Helvetica12");
  write_font(out, r, TextFont::Helvetica18, "Helvetica18");
  std::fprintf(out,
               "}  // namespace\n\n"
               "const WebFont kWebFonts[2] = {{kHelvetica12Glyphs, kHelvetica12Bits},\n"
               "                              {kHelvetica18Glyphs, kHelvetica18Bits}};\n");
  return 0;
}
