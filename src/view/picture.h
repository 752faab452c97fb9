// The picture in the window's back buffer as plain pixels, for saving.
#pragma once

#include <cstdint>
#include <vector>

// Waits for drawing to finish (glFinish) and reads width x height pixels from
// the lower left corner of GL_BACK of the current context: 8-bit RGB, 3 bytes
// per pixel, rows top to bottom. Empty for a size that is not positive or
// when OpenGL reports an error.
std::vector<std::uint8_t> read_picture(int width, int height);
