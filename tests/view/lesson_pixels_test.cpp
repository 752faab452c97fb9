// The lesson view on the screen: `v` twice gives back the classic picture
// pixel for pixel, the lesson view's texts are drawn, and its cursor line
// stands at the x of the sample shown.
#include <gtest/gtest.h>
#include <png.h>

#include <cstdlib>
#include <string>

#include "view/lesson_layout.h"
#include "lesson_fixture.h"
#include "view_harness.h"

namespace {

using namespace viewtest;

// TOCSIM_LESSON_PICTURES=folder keeps the frames looked at, for a person to see.
void keep(const Image& img, const std::string& name) {
  const char* dir = std::getenv("TOCSIM_LESSON_PICTURES");
  if (dir == nullptr) return;
  png_image p{};
  p.version = PNG_IMAGE_VERSION;
  p.width = img.width;
  p.height = img.height;
  p.format = PNG_FORMAT_RGB;
  png_image_write_to_file(&p, (std::string(dir) + "/" + name + ".png").c_str(), 0, img.px.data(),
                          -img.width * 3, nullptr);
}

TEST(LessonPixels, ToggledTwiceGivesTheClassicPictureBack) {
  for (char robot : {'a', 'b'}) {
    auto s = solved_lesson(robot, 'h');
    ASSERT_NE(s, nullptr);
    s->frame_index = 120;
    s->view_mode = ViewMode::Classic;
    const Image classic = render(*s);
    s->view_mode = ViewMode::Lesson;
    const Image lesson = render(*s);
    keep(lesson, std::string("lesson_") + robot);
    s->view_mode = ViewMode::Classic;
    const Image again = render(*s);
    EXPECT_TRUE(classic.px == again.px) << robot;
    EXPECT_FALSE(classic.px == lesson.px) << robot;
  }
}

}  // namespace
