// The picture read from the window and saved as PNG matches what OpenGL drew.
#include <gtest/gtest.h>
#include <png.h>
#include <GL/gl.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/png_file.h"
#include "app/temp_folder.h"
#include "view/picture.h"
#include "view_harness.h"

namespace {

using namespace viewtest;

// White background, blue upper half, red lower left quarter and a green
// band along the bottom three rows: the picture is not symmetric top to bottom.
Image draw_known() {
  return render_with([] {
    // Plain colours whatever the drawing code left switched on.
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT);
    for (GLenum cap : {GL_LIGHTING, GL_TEXTURE_2D, GL_BLEND, GL_DEPTH_TEST, GL_DITHER, GL_FOG})
      glDisable(cap);
    glColor3f(0.0f, 0.0f, 1.0f);
    glRectf(-1.0f, 0.0f, 1.0f, 1.0f);
    glColor3f(1.0f, 0.0f, 0.0f);
    glRectf(-1.0f, -1.0f, 0.0f, 0.0f);
    glColor3f(0.0f, 1.0f, 0.0f);
    glRectf(-1.0f, -1.0f, 1.0f, -1.0f + 3.0f * 2.0f / kSize);
    glPopAttrib();
  });
}

// glReadPixels rows (bottom first) turned top first.
std::vector<std::uint8_t> flipped(const std::vector<std::uint8_t>& bottom_first, int w, int h) {
  std::vector<std::uint8_t> out(bottom_first.size());
  const std::size_t row = static_cast<std::size_t>(w) * 3;
  for (int y = 0; y < h; ++y)
    std::copy_n(bottom_first.begin() + static_cast<std::ptrdiff_t>(y * row), row,
                out.begin() + static_cast<std::ptrdiff_t>((h - 1 - y) * row));
  return out;
}

Rgb pixel(const std::vector<std::uint8_t>& top_first, int w, int x, int y_from_top) {
  const std::size_t i = (static_cast<std::size_t>(y_from_top) * w + x) * 3;
  return Rgb{top_first[i], top_first[i + 1], top_first[i + 2]};
}

bool is_green(const Rgb& c) { return c.g > 200 && c.r < 60 && c.b < 60; }

TEST(Picture, ReadsTheBackBufferTopRowFirst) {
  const Image drawn = draw_known();
  const std::vector<std::uint8_t> pic = read_picture(kSize, kSize);
  ASSERT_EQ(pic.size(), static_cast<std::size_t>(kSize) * kSize * 3);
  EXPECT_EQ(pic, flipped(drawn.px, kSize, kSize));
  // Top left is blue, bottom left red above the green band, bottom right green.
  EXPECT_TRUE(is_blue(pixel(pic, kSize, 5, 5)));
  EXPECT_TRUE(is_red(pixel(pic, kSize, 5, kSize - 10)));
  EXPECT_TRUE(is_white(pixel(pic, kSize, kSize - 5, kSize - 10)));
  EXPECT_TRUE(is_green(pixel(pic, kSize, kSize - 5, kSize - 1)));
  EXPECT_TRUE(is_green(pixel(pic, kSize, 5, kSize - 3)));
  EXPECT_FALSE(is_green(pixel(pic, kSize, 5, kSize - 4)));
}

TEST(Picture, PartOfTheWindowFromTheLowerLeft) {
  const Image drawn = draw_known();
  const int w = 451, h = 403;  // crosses into the blue half, odd row length
  const std::vector<std::uint8_t> pic = read_picture(w, h);
  ASSERT_EQ(pic.size(), static_cast<std::size_t>(w) * h * 3);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; x += 50) {
      const Rgb want = drawn.at(x, y);
      const Rgb got = pixel(pic, w, x, h - 1 - y);
      ASSERT_TRUE(want.r == got.r && want.g == got.g && want.b == got.b) << x << "," << y;
    }
  EXPECT_TRUE(is_blue(pixel(pic, w, 0, 0)));
}

TEST(Picture, NoSizeNoPixels) {
  EXPECT_TRUE(read_picture(0, 10).empty());
  EXPECT_TRUE(read_picture(10, -1).empty());
}

TEST(Picture, SavedPngDecodesToTheDrawnPixels) {
  const Image drawn = draw_known();
  const std::vector<std::uint8_t> pic = read_picture(kSize, kSize);
  testfs::TempFolder dir;
  const WriteResult r = write_picture_png(dir.path(), 'b', 60, pic, kSize, kSize);
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.path, dir / "tocsim-b-0060.png");

  png_image img{};
  img.version = PNG_IMAGE_VERSION;
  ASSERT_TRUE(png_image_begin_read_from_file(&img, r.path.c_str()));
  img.format = PNG_FORMAT_RGB;
  ASSERT_EQ(img.width, static_cast<png_uint_32>(kSize));
  ASSERT_EQ(img.height, static_cast<png_uint_32>(kSize));
  std::vector<std::uint8_t> decoded(PNG_IMAGE_SIZE(img));
  // A negative stride stores the rows bottom first, as glReadPixels does.
  ASSERT_TRUE(png_image_finish_read(&img, nullptr, decoded.data(), -kSize * 3, nullptr));
  EXPECT_EQ(decoded, drawn.px);
}

}  // namespace
