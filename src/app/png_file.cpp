#include "app/png_file.h"

#include <string_view>

WriteResult write_picture_png(const std::string& dir, char robot, int sample,
                              const std::vector<std::uint8_t>& rgb, int width, int height) {
  const std::string stem = picture_stem(robot, sample);
  const PngResult png = encode_png_rgb(rgb, width, height);
  if (!png.ok) return WriteResult{false, "", "cannot write " + join_path(dir, stem + ".png") + ": " + png.error};
  const std::string_view bytes(reinterpret_cast<const char*>(png.bytes.data()), png.bytes.size());
  return write_new_file(dir, stem, "png", bytes);
}
