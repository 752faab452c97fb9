// Saving the picture as PNG: a file any PNG reader takes, top row first.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "view/primitives.h"
#include "view/snapshot.h"
#include "view_harness.h"

namespace {

using namespace viewtest;
using Bytes = std::vector<std::uint8_t>;

std::uint32_t be32(const Bytes& b, std::size_t at) {
  return (std::uint32_t{b[at]} << 24) | (std::uint32_t{b[at + 1]} << 16) |
         (std::uint32_t{b[at + 2]} << 8) | std::uint32_t{b[at + 3]};
}

struct Chunk {
  std::string type;
  Bytes data;
  std::uint32_t crc;
};

std::vector<Chunk> chunks(const Bytes& png) {
  std::vector<Chunk> out;
  std::size_t at = 8;
  while (at + 12 <= png.size()) {
    const std::uint32_t len = be32(png, at);
    Chunk c{std::string(png.begin() + at + 4, png.begin() + at + 8),
            Bytes(png.begin() + at + 8, png.begin() + at + 8 + len), be32(png, at + 8 + len)};
    out.push_back(c);
    at += 12 + len;
  }
  return out;
}

// The raw scanlines inside a zlib stream of stored deflate blocks.
Bytes unstore(const Bytes& z) {
  Bytes raw;
  std::size_t at = 2;
  for (;;) {
    const bool last = z.at(at) & 1;
    EXPECT_EQ(z.at(at) & 6, 0);  // stored block
    const unsigned len = z.at(at + 1) | (z.at(at + 2) << 8);
    const unsigned nlen = z.at(at + 3) | (z.at(at + 4) << 8);
    EXPECT_EQ(len ^ nlen, 0xFFFFu);
    raw.insert(raw.end(), z.begin() + at + 5, z.begin() + at + 5 + len);
    at += 5 + len;
    if (last) break;
  }
  EXPECT_EQ(at + 4, z.size());  // Adler-32 follows
  return raw;
}

TEST(Png, HoldsTheImageRowsUnderItsHeader) {
  const Bytes rgb = {255, 0, 0, 0, 255, 0, 0, 0, 255,  // top row
                     1,   2, 3, 4, 5,   6, 7, 8, 9};
  const Bytes png = encode_png_rgb(3, 2, rgb);
  const Bytes signature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  ASSERT_GT(png.size(), 8u);
  EXPECT_EQ(Bytes(png.begin(), png.begin() + 8), signature);
  const std::vector<Chunk> cs = chunks(png);
  ASSERT_EQ(cs.size(), 3u);
  EXPECT_EQ(cs[0].type, "IHDR");
  EXPECT_EQ(be32(cs[0].data, 0), 3u);
  EXPECT_EQ(be32(cs[0].data, 4), 2u);
  EXPECT_EQ(Bytes(cs[0].data.begin() + 8, cs[0].data.end()), (Bytes{8, 2, 0, 0, 0}));
  EXPECT_EQ(cs[1].type, "IDAT");
  Bytes rows = {0};
  rows.insert(rows.end(), rgb.begin(), rgb.begin() + 9);
  rows.push_back(0);
  rows.insert(rows.end(), rgb.begin() + 9, rgb.end());
  EXPECT_EQ(unstore(cs[1].data), rows);
  EXPECT_EQ(cs[2].type, "IEND");
  EXPECT_TRUE(cs[2].data.empty());
  EXPECT_EQ(cs[2].crc, 0xAE426082u);  // the CRC every IEND chunk carries
  // Adler-32 of the scanlines, worked out by hand: a = 1 + sum, b = sum of the a's.
  std::uint32_t a = 1, b = 0;
  for (std::uint8_t v : rows) { a += v; b += a; }
  EXPECT_EQ(be32(cs[1].data, cs[1].data.size() - 4), (b % 65521) << 16 | (a % 65521));
}

TEST(Png, LargeImagesSpanSeveralStoredBlocks) {
  const Bytes rgb(200 * 200 * 3, 77);
  const std::vector<Chunk> cs = chunks(encode_png_rgb(200, 200, rgb));
  ASSERT_EQ(cs.size(), 3u);
  const Bytes raw = unstore(cs[1].data);
  ASSERT_EQ(raw.size(), 200u * 601u);
  for (std::size_t i = 0; i < raw.size(); ++i) ASSERT_EQ(raw[i], i % 601 == 0 ? 0 : 77) << i;
}

TEST(Png, BackBufferIsSavedTopRowFirst) {
  window();
  render_with([] { fill_rect(Point{-1.0, 0.0}, 1.0, 1.0, 0.0, colour_red); });  // upper left
  const std::string path = ::testing::TempDir() + "view_snapshot.png";
  ASSERT_TRUE(save_back_buffer_png(path, kSize, kSize));
  std::ifstream in(path, std::ios::binary);
  const Bytes png((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::remove(path.c_str());
  const std::vector<Chunk> cs = chunks(png);
  ASSERT_EQ(cs.size(), 3u);
  const Bytes raw = unstore(cs[1].data);
  ASSERT_EQ(raw.size(), static_cast<std::size_t>(kSize) * (kSize * 3 + 1));
  const auto pixel = [&](int x, int row) {
    const std::size_t i = static_cast<std::size_t>(row) * (kSize * 3 + 1) + 1 + x * 3;
    return Rgb{raw[i], raw[i + 1], raw[i + 2]};
  };
  EXPECT_TRUE(is_red(pixel(10, 10)));
  EXPECT_TRUE(is_white(pixel(10, kSize - 10)));
  EXPECT_TRUE(is_white(pixel(kSize - 10, 10)));

  EXPECT_FALSE(save_back_buffer_png("/nonexistent-dir/x.png", kSize, kSize));
}

}  // namespace
