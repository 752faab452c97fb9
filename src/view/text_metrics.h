// How much room a scaled text takes, without opening the font: the advance
// widths of DejaVu Sans (the font the lesson view is drawn in) for the
// characters the window writes. The describer lays texts out with these and
// the renderer places glyphs with the same numbers, so a layout that keeps
// its boxes apart on paper keeps them apart on the screen.
#pragma once

#include <string_view>

#include "view/frame_description.h"
#include "view/viewport.h"

// The font file the renderer reads (Debian's fonts-dejavu-core).
inline constexpr const char* kLessonFontPath = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

// Font units per em, and the extent above and below the base line (font units).
inline constexpr int kFontUnitsPerEm = 2048;
inline constexpr int kFontAscent = 1901;
inline constexpr int kFontDescent = 483;

// The characters of the table: printable ASCII, the middle dot of N·m, and
// σ, τ and the minus sign of the switching functions' rule, in that order.
inline constexpr char32_t kMiddleDot = 0xB7;
inline constexpr char32_t kSmallSigma = 0x3C3;
inline constexpr char32_t kSmallTau = 0x3C4;
inline constexpr char32_t kMinusSign = 0x2212;
inline constexpr int kFontTableSize = 95 + 4;
bool in_font_table(char32_t c);
// The place of c in the table, -1 for a character outside it; and the
// character at place i (0 <= i < kFontTableSize).
int font_table_index(char32_t c);
char32_t font_table_char(int i);

// Advance of c in font units; 0 for a character outside the table.
int advance_units(char32_t c);

// The next character of UTF-8 text at `at`, which moves past it (sequences
// of two and three bytes); a byte that does not start a well-formed sequence
// reads as itself.
char32_t next_char(std::string_view text, std::size_t& at);

// The pixel size of the em of a `size` text in a square of `side` pixels:
// the nearest whole pixel, at least 6 (what the renderer draws).
int text_pixels(double size, int side);

// Width in drawing units of `text` with an em of `size` drawing units.
double text_width(std::string_view text, double size);

// The box a text covers (advance widths across, ascent and descent up and
// down) as drawn in a square of `side` pixels; side 0 takes the size as given.
DrawingRect text_box(const ScaledText& t, int side = 0);

// The classic picture's bitmap fonts (TextFont: GLUT's Helvetica 12 and 18,
// the page's glyph font the same pixels). A glyph keeps its size in pixels
// whatever the square's side, so texts are laid out in pixels below 800
// (view/text.h). The pen's advance of c in pixels, as glutBitmapWidth gives
// it ('\n' and ' ' .. '~'; 0 for any other character).
int bitmap_advance(TextFont font, char c);
int bitmap_width(TextFont font, std::string_view text);
// The rows the font's glyphs cover: ascent rows from the base line's row up
// (that row included), descent rows below it. 9 and 3 for Helvetica 12, 14
// and 4 for Helvetica 18: the font's height in all.
int bitmap_ascent(TextFont font);
int bitmap_descent(TextFont font);

// Where a bitmap text stands in a square of `side` pixels, as the renderers
// place it: in pixels from the square's lower left, the whole pixel its
// raster position falls in.
int raster_pixel(double v, int side);
// The drawing coordinate of the centre of pixel column (or row) `px` of the
// square: a text placed there starts at that pixel.
double pixel_centre(int px, int side);

// The box a bitmap text covers in a square of `side` pixels: its advances
// across from its raster pixel, ascent and descent up and down.
DrawingRect label_box(const Label& t, int side);
