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

// The characters of the table: printable ASCII and the middle dot of N·m.
inline constexpr char32_t kMiddleDot = 0xB7;
bool in_font_table(char32_t c);

// Advance of c in font units; 0 for a character outside the table.
int advance_units(char32_t c);

// The next character of UTF-8 text at `at`, which moves past it; a byte
// that does not start a well-formed sequence reads as itself.
char32_t next_char(std::string_view text, std::size_t& at);

// The pixel size of the em of a `size` text in a square of `side` pixels:
// the nearest whole pixel, at least 6 (what the renderer draws).
int text_pixels(double size, int side);

// Width in drawing units of `text` with an em of `size` drawing units.
double text_width(std::string_view text, double size);

// The box a text covers (advance widths across, ascent and descent up and
// down) as drawn in a square of `side` pixels; side 0 takes the size as given.
DrawingRect text_box(const ScaledText& t, int side = 0);
