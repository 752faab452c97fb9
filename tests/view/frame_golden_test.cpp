// Whole frames of solved motions compared with recorded pictures: both robots,
// both gravity modes, several samples and a zoom. Mesa's two software
// rasterisers (llvmpipe in the plain run, softpipe in the sanitized one) cover
// edge pixels differently, so each has its own pictures, and a frame may differ
// from its picture in at most kMaxDiffering pixels by more than
// kChannelTolerance in any channel. Other renderers skip. Set
// TOCSIM_GOLDEN_WRITE=1 to record anew for the renderer in use.
#include <gtest/gtest.h>
#include <png.h>
#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "console/console.h"
#include "app/startup.h"
#include "view_harness.h"

namespace {

using namespace viewtest;

constexpr int kChannelTolerance = 48;
constexpr int kMaxDiffering = 400;  // of 640,000 pixels

struct FrameCase {
  const char* name;
  const char* input;  // start-up answers
  int sample;
  double view_scale;
};

const FrameCase kFrames[] = {
    {"cyl_h_060", "a h n", 60, 1.0},
    {"cyl_h_200_zoomed", "a h n", 200, 0.9 * 0.9},
    {"cyl_g_100", "a g n", 100, 1.0},
    {"scara_h_000", "b h n", 0, 1.0},
    {"scara_g_200", "b g n", 200, 1.0 / 0.9},
};

// "llvmpipe", "softpipe" or "" for a renderer without recorded pictures.
std::string rasteriser() {
  const char* r = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
  const std::string name = r ? r : "";
  for (const char* known : {"llvmpipe", "softpipe"})
    if (name.find(known) != std::string::npos) return known;
  return "";
}

std::string golden_path(const std::string& name) {
  return std::string(TOCSIM_GOLDEN_DIR) + "/frames/" + name + "." + rasteriser() + ".png";
}

bool write_png(const std::string& path, const std::vector<std::uint8_t>& px) {
  png_image img{};
  img.version = PNG_IMAGE_VERSION;
  img.width = kSize;
  img.height = kSize;
  img.format = PNG_FORMAT_RGB;
  // Rows bottom to top as OpenGL gives them: a negative stride flips them.
  return png_image_write_to_file(&img, path.c_str(), 0, px.data(), -kSize * 3, nullptr) != 0;
}

bool read_png(const std::string& path, std::vector<std::uint8_t>& px) {
  png_image img{};
  img.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&img, path.c_str())) return false;
  img.format = PNG_FORMAT_RGB;
  if (img.width != kSize || img.height != kSize) {
    png_image_free(&img);
    return false;
  }
  px.assign(PNG_IMAGE_SIZE(img), 0);
  return png_image_finish_read(&img, nullptr, px.data(), -kSize * 3, nullptr) != 0;
}

class FrameGolden : public ::testing::TestWithParam<FrameCase> {
 protected:
  static void SetUpTestSuite() { window(); }
};

TEST_P(FrameGolden, MatchesTheRecordedPicture) {
  const FrameCase& fc = GetParam();
  if (rasteriser().empty()) GTEST_SKIP() << "no recorded pictures for this renderer";
  auto s = std::make_unique<Scenario>();
  Console con(fc.input, Encoding::Utf8);
  Ui out{con, Lang::Ja};
  ASSERT_EQ(DialogueRun(run_startup(*s, out)).finish(out), Progress::Done);
  s->frame_index = fc.sample;
  s->view_scale = fc.view_scale;
  const Image img = render(*s);

  if (std::getenv("TOCSIM_GOLDEN_WRITE")) {
    ASSERT_TRUE(write_png(golden_path(fc.name), img.px));
    return;
  }
  std::vector<std::uint8_t> expected;
  ASSERT_TRUE(read_png(golden_path(fc.name), expected)) << "no picture " << fc.name;
  ASSERT_EQ(expected.size(), img.px.size());
  int differing = 0;
  for (std::size_t i = 0; i < expected.size(); i += 3) {
    for (int c = 0; c < 3; ++c) {
      if (std::abs(int(expected[i + c]) - int(img.px[i + c])) > kChannelTolerance) {
        ++differing;
        break;
      }
    }
  }
  EXPECT_LE(differing, kMaxDiffering) << fc.name;
}

INSTANTIATE_TEST_SUITE_P(Frames, FrameGolden, ::testing::ValuesIn(kFrames),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
