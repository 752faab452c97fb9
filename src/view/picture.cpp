#include "view/picture.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstddef>

std::vector<std::uint8_t> read_picture(int width, int height) {
  if (width <= 0 || height <= 0) return {};
  const std::size_t row = static_cast<std::size_t>(width) * 3;
  std::vector<std::uint8_t> px(row * static_cast<std::size_t>(height));

  glFinish();
  // Errors of earlier calls are not this read's.
  for (int i = 0; i < 32 && glGetError() != GL_NO_ERROR; ++i) {
  }
  GLint read_buffer = GL_BACK, alignment = 4, row_length = 0, skip_rows = 0, skip_pixels = 0;
  glGetIntegerv(GL_READ_BUFFER, &read_buffer);
  glGetIntegerv(GL_PACK_ALIGNMENT, &alignment);
  glGetIntegerv(GL_PACK_ROW_LENGTH, &row_length);
  glGetIntegerv(GL_PACK_SKIP_ROWS, &skip_rows);
  glGetIntegerv(GL_PACK_SKIP_PIXELS, &skip_pixels);
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glPixelStorei(GL_PACK_ROW_LENGTH, 0);
  glPixelStorei(GL_PACK_SKIP_ROWS, 0);
  glPixelStorei(GL_PACK_SKIP_PIXELS, 0);
  glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, px.data());
  const bool failed = glGetError() != GL_NO_ERROR;
  glReadBuffer(static_cast<GLenum>(read_buffer));
  glPixelStorei(GL_PACK_ALIGNMENT, alignment);
  glPixelStorei(GL_PACK_ROW_LENGTH, row_length);
  glPixelStorei(GL_PACK_SKIP_ROWS, skip_rows);
  glPixelStorei(GL_PACK_SKIP_PIXELS, skip_pixels);
  if (failed) return {};

  // OpenGL gives the bottom row first.
  for (std::size_t top = 0, bottom = static_cast<std::size_t>(height) - 1; top < bottom; ++top, --bottom)
    std::swap_ranges(px.begin() + static_cast<std::ptrdiff_t>(top * row),
                     px.begin() + static_cast<std::ptrdiff_t>((top + 1) * row),
                     px.begin() + static_cast<std::ptrdiff_t>(bottom * row));
  return px;
}
