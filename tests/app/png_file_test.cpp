// PNG pictures decoded again with libpng: the same pixels, top row first.
#include <gtest/gtest.h>
#include <png.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/png_file.h"
#include "app/temp_folder.h"

namespace {

struct Decoded {
  bool ok = false;
  int width = 0, height = 0;
  std::vector<std::uint8_t> rgb;  // top row first
};

Decoded finish(png_image& img) {
  Decoded d;
  img.format = PNG_FORMAT_RGB;
  d.width = static_cast<int>(img.width);
  d.height = static_cast<int>(img.height);
  d.rgb.assign(PNG_IMAGE_SIZE(img), 0);
  d.ok = png_image_finish_read(&img, nullptr, d.rgb.data(), 0, nullptr) != 0;
  return d;
}

Decoded decode(const std::vector<std::uint8_t>& bytes) {
  png_image img{};
  img.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&img, bytes.data(), bytes.size())) return {};
  return finish(img);
}

Decoded decode_file(const std::string& path) {
  png_image img{};
  img.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&img, path.c_str())) return {};
  return finish(img);
}

// Every pixel different from its neighbours; odd sizes so rows are not aligned.
std::vector<std::uint8_t> test_picture(int w, int h) {
  std::vector<std::uint8_t> px(static_cast<std::size_t>(w) * h * 3);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      std::uint8_t* p = &px[(static_cast<std::size_t>(y) * w + x) * 3];
      p[0] = static_cast<std::uint8_t>(x * 7 + y);
      p[1] = static_cast<std::uint8_t>(y * 11 + 3);
      p[2] = static_cast<std::uint8_t>((x * y) ^ 0x5a);
    }
  return px;
}

TEST(PngFile, EncodedPixelsDecodeUnchanged) {
  const int w = 37, h = 23;
  const std::vector<std::uint8_t> px = test_picture(w, h);
  const PngResult png = encode_png_rgb(px, w, h);
  ASSERT_TRUE(png.ok) << png.error;
  ASSERT_GE(png.bytes.size(), 8u);
  EXPECT_EQ(png.bytes[1], 'P');
  EXPECT_EQ(png.bytes[2], 'N');
  EXPECT_EQ(png.bytes[3], 'G');
  const Decoded d = decode(png.bytes);
  ASSERT_TRUE(d.ok);
  EXPECT_EQ(d.width, w);
  EXPECT_EQ(d.height, h);
  EXPECT_EQ(d.rgb, px);
}

TEST(PngFile, OnePixel) {
  const std::vector<std::uint8_t> px = {10, 200, 30};
  const PngResult png = encode_png_rgb(px, 1, 1);
  ASSERT_TRUE(png.ok) << png.error;
  EXPECT_EQ(decode(png.bytes).rgb, px);
}

TEST(PngFile, SizeMismatchIsRefused) {
  const std::vector<std::uint8_t> px = test_picture(4, 4);
  EXPECT_FALSE(encode_png_rgb(px, 4, 5).ok);
  EXPECT_FALSE(encode_png_rgb(px, 5, 4).ok);
  EXPECT_FALSE(encode_png_rgb(px, 0, 16).ok);
  EXPECT_FALSE(encode_png_rgb(px, -4, -4).ok);
  EXPECT_FALSE(encode_png_rgb({}, 0, 0).ok);
  const PngResult bad = encode_png_rgb(px, 4, 5);
  EXPECT_EQ(bad.error, "picture of 48 bytes for 4 x 5 pixels");
  EXPECT_TRUE(bad.bytes.empty());
}

TEST(PngFile, PictureFileNamedByRobotAndSample) {
  testfs::TempFolder dir;
  const int w = 20, h = 9;
  const std::vector<std::uint8_t> px = test_picture(w, h);
  testfs::put_file(dir / "tocsim-a-0060.png", "not mine");
  const WriteResult r = write_picture_png(dir.path(), 'a', 60, px, w, h);
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.path, dir / "tocsim-a-0060-1.png");
  EXPECT_EQ(testfs::read_file(dir / "tocsim-a-0060.png"), "not mine");
  const Decoded d = decode_file(r.path);
  ASSERT_TRUE(d.ok);
  EXPECT_EQ(d.width, w);
  EXPECT_EQ(d.height, h);
  EXPECT_EQ(d.rgb, px);
}

TEST(PngFile, WriteErrorsAreReported) {
  testfs::TempFolder dir;
  const std::vector<std::uint8_t> px = test_picture(3, 3);
  WriteResult r = write_picture_png(dir / "missing", 'b', 7, px, 3, 3);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.error, "cannot write " + (dir / "missing/tocsim-b-0007.png") + ": No such file or directory");
  r = write_picture_png(dir.path(), 'b', 7, px, 3, 4);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.error, "cannot write " + (dir / "tocsim-b-0007.png") + ": picture of 27 bytes for 3 x 4 pixels");
  EXPECT_TRUE(dir.entries().empty());
}

}  // namespace
