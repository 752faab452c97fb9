// The web page's PNG encoder (stored deflate blocks, no zlib), read back with
// libpng: the same pixels, and the desktop encoder's refusals.
#include <gtest/gtest.h>

#include <png.h>

#include <cstdint>
#include <vector>

#include "app/png_file.h"

namespace {

std::vector<std::uint8_t> decode(const std::vector<std::uint8_t>& file, int& w, int& h) {
  png_image img{};
  img.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&img, file.data(), file.size())) return {};
  img.format = PNG_FORMAT_RGB;
  std::vector<std::uint8_t> rgb(PNG_IMAGE_SIZE(img));
  if (!png_image_finish_read(&img, nullptr, rgb.data(), 0, nullptr)) return {};
  w = static_cast<int>(img.width);
  h = static_cast<int>(img.height);
  return rgb;
}

std::vector<std::uint8_t> pattern(int w, int h) {
  std::vector<std::uint8_t> rgb(static_cast<std::size_t>(w) * h * 3);
  for (std::size_t i = 0; i < rgb.size(); ++i) rgb[i] = static_cast<std::uint8_t>((i * 7919u) >> 3);
  return rgb;
}

TEST(WebPng, PixelsComeBackAsTheyWent) {
  // 800 x 800 takes many stored blocks; 1 x 1 and a row of odd length, one.
  for (const auto& [w, h] : {std::pair{800, 800}, std::pair{1, 1}, std::pair{333, 7}}) {
    const std::vector<std::uint8_t> rgb = pattern(w, h);
    const PngResult png = encode_png_rgb(rgb, w, h);
    ASSERT_TRUE(png.ok) << png.error;
    int dw = 0, dh = 0;
    EXPECT_EQ(decode(png.bytes, dw, dh), rgb) << w << " x " << h;
    EXPECT_EQ(dw, w);
    EXPECT_EQ(dh, h);
  }
}

TEST(WebPng, RefusesSizesThatDoNotFit) {
  EXPECT_FALSE(encode_png_rgb({}, 0, 10).ok);
  EXPECT_FALSE(encode_png_rgb(std::vector<std::uint8_t>(11), 2, 2).ok);
  EXPECT_FALSE(encode_png_rgb(std::vector<std::uint8_t>(3), 1, 1000001).ok);
}

}  // namespace
