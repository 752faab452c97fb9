// Text of the GLUT bitmap fonts drawn from a texture of their glyphs.
//
// Mesa's software renderers draw every glBitmap text through a texture of its
// own and switch the whole fragment state to do so and back, which for the
// two dozen texts of a frame costs about as much as all the rest of it. So
// the glyphs of the two fonts in use are read back once, exactly as
// glutBitmapCharacter sets them, into one texture, and a text is then drawn
// as one textured rectangle a character, in one draw.
#pragma once

// Reads back the glyphs of the printable ASCII characters and the line feed
// of GLUT_BITMAP_HELVETICA_12 and _18 through the back buffer, which it leaves
// cleared to the clear colour; all other state is kept. Needs a window and
// viewport of at least 480 x 320 pixels and does nothing otherwise. Called
// once when the window opens; later calls do nothing.
void capture_glyphs();

// Draws `text` in `font` as glutBitmapCharacter would from the current raster
// position (nothing when that is not valid), in the current colour, with
// lighting off. Returns false, drawing nothing, when the font's glyphs have not
// been read back or the text has a character that was not.
bool draw_glyphs(void* font, const char* text);

// While one lives, draw_glyphs holds its texts back and they are drawn
// together, in their order, when it ends (or at flush_glyphs): one draw for
// several texts. Only for texts drawn one after another with nothing else in
// between, which is what keeps the picture the same. Scopes may nest.
class GlyphBatch {
 public:
  GlyphBatch();
  ~GlyphBatch();
  GlyphBatch(const GlyphBatch&) = delete;
  GlyphBatch& operator=(const GlyphBatch&) = delete;
};

// Draws the texts held back so far.
void flush_glyphs();
