// Pictures as PNG files without a compression library (none is at hand in
// the browser's build): the image data in stored deflate blocks. The files
// are larger than the desktop's, the pictures the same.
#include <array>
#include <string>

#include "app/png_file.h"

namespace {

std::array<std::uint32_t, 256> crc_table() {
  std::array<std::uint32_t, 256> t{};
  for (std::uint32_t n = 0; n < 256; ++n) {
    std::uint32_t c = n;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    t[n] = c;
  }
  return t;
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int s = 24; s >= 0; s -= 8) out.push_back(static_cast<std::uint8_t>(v >> s));
}

// A chunk: length, type, data, and the CRC of type and data.
void chunk(std::vector<std::uint8_t>& out, const char* type, const std::vector<std::uint8_t>& data) {
  static const std::array<std::uint32_t, 256> table = crc_table();
  put32(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  std::uint32_t c = 0xFFFFFFFFu;
  for (std::size_t i = start; i < out.size(); ++i) c = table[(c ^ out[i]) & 0xFF] ^ (c >> 8);
  put32(out, c ^ 0xFFFFFFFFu);
}

}  // namespace

PngResult encode_png_rgb(const std::vector<std::uint8_t>& rgb, int width, int height) {
  if (width <= 0 || height <= 0 || width > 1000000 || height > 1000000)
    return PngResult{false, {}, "picture size " + std::to_string(width) + " x " + std::to_string(height)};
  const std::size_t row = static_cast<std::size_t>(width) * 3;
  if (rgb.size() / row != static_cast<std::size_t>(height) || rgb.size() % row != 0)
    return PngResult{false, {}, "picture of " + std::to_string(rgb.size()) + " bytes for " +
                                    std::to_string(width) + " x " + std::to_string(height) + " pixels"};
  // The raw image: each row after its filter byte (0, none).
  std::vector<std::uint8_t> raw;
  raw.reserve((row + 1) * static_cast<std::size_t>(height));
  for (int y = 0; y < height; ++y) {
    raw.push_back(0);
    raw.insert(raw.end(), rgb.begin() + static_cast<std::ptrdiff_t>(y * row),
               rgb.begin() + static_cast<std::ptrdiff_t>((y + 1) * row));
  }
  // zlib: header, stored blocks of up to 65535 bytes, Adler-32 of the raw bytes.
  std::vector<std::uint8_t> z{0x78, 0x01};
  for (std::size_t at = 0; at < raw.size() || at == 0;) {
    const std::size_t n = std::min<std::size_t>(65535, raw.size() - at);
    const bool last = at + n >= raw.size();
    z.push_back(last ? 1 : 0);
    z.push_back(static_cast<std::uint8_t>(n & 0xFF));
    z.push_back(static_cast<std::uint8_t>(n >> 8));
    z.push_back(static_cast<std::uint8_t>(~n & 0xFF));
    z.push_back(static_cast<std::uint8_t>((~n >> 8) & 0xFF));
    z.insert(z.end(), raw.begin() + static_cast<std::ptrdiff_t>(at),
             raw.begin() + static_cast<std::ptrdiff_t>(at + n));
    at += n;
    if (last) break;
  }
  std::uint32_t a = 1, b = 0;
  for (const std::uint8_t byte : raw) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  put32(z, (b << 16) | a);

  PngResult out{true, {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}, ""};
  std::vector<std::uint8_t> header;
  put32(header, static_cast<std::uint32_t>(width));
  put32(header, static_cast<std::uint32_t>(height));
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB, no interlace
  chunk(out.bytes, "IHDR", header);
  chunk(out.bytes, "IDAT", z);
  chunk(out.bytes, "IEND", {});
  return out;
}
