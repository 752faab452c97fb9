// Pictures encoded with libpng (the desktop program; the page has its own
// encoder).
#include "app/png_file.h"

#include <png.h>

#include <string_view>

namespace {

PngResult png_failed(const std::string& why) { return PngResult{false, {}, why}; }

}  // namespace

PngResult encode_png_rgb(const std::vector<std::uint8_t>& rgb, int width, int height) {
  // libpng's own limit on width and height is a million.
  if (width <= 0 || height <= 0 || width > 1000000 || height > 1000000)
    return png_failed("picture size " + std::to_string(width) + " x " + std::to_string(height));
  const std::size_t row = static_cast<std::size_t>(width) * 3;
  if (rgb.size() / row != static_cast<std::size_t>(height) || rgb.size() % row != 0)
    return png_failed("picture of " + std::to_string(rgb.size()) + " bytes for " + std::to_string(width) +
                      " x " + std::to_string(height) + " pixels");

  png_image img{};
  img.version = PNG_IMAGE_VERSION;
  img.width = static_cast<png_uint_32>(width);
  img.height = static_cast<png_uint_32>(height);
  img.format = PNG_FORMAT_RGB;
  const auto stride = static_cast<png_int_32>(row);

  // First the size, then the encoding into a buffer of that size.
  png_alloc_size_t size = 0;
  if (!png_image_write_to_memory(&img, nullptr, &size, 0, rgb.data(), stride, nullptr)) {
    const std::string why = img.message;
    png_image_free(&img);
    return png_failed("PNG encoding: " + why);
  }
  PngResult out{true, std::vector<std::uint8_t>(size), ""};
  if (!png_image_write_to_memory(&img, out.bytes.data(), &size, 0, rgb.data(), stride, nullptr)) {
    const std::string why = img.message;
    png_image_free(&img);
    return png_failed("PNG encoding: " + why);
  }
  out.bytes.resize(size);
  return out;
}
