// Pictures as PNG files: 8-bit RGB, rows top to bottom, 3 bytes per pixel.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/output_file.h"

struct PngResult {
  bool ok = false;
  std::vector<std::uint8_t> bytes;  // the PNG file's contents, when ok
  std::string error;                // why not, when not ok
};

// Encodes width x height pixels; `rgb` must hold exactly width * height * 3 bytes.
PngResult encode_png_rgb(const std::vector<std::uint8_t>& rgb, int width, int height);

// The picture into a new file tocsim-<robot>-<sample>.png (numbered if taken) in `dir`.
WriteResult write_picture_png(const std::string& dir, char robot, int sample,
                              const std::vector<std::uint8_t>& rgb, int width, int height);
