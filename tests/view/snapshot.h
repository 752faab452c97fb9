// Test support: saving the picture being drawn: the back buffer as an RGB PNG file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// PNG file bytes of an RGB image, rows top to bottom, 3 bytes per pixel
// (uncompressed deflate blocks, so any PNG reader accepts it).
std::vector<std::uint8_t> encode_png_rgb(int width, int height, const std::vector<std::uint8_t>& rgb);

// Reads width x height pixels of GL_BACK from the lower-left corner (rows
// bottom to top, as OpenGL gives them).
std::vector<std::uint8_t> read_back_buffer(int width, int height);

// Writes the back buffer to `path` as PNG; false if the file cannot be written.
bool save_back_buffer_png(const std::string& path, int width, int height);
