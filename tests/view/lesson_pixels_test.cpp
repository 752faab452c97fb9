// The lesson view on the screen: `v` twice gives back the classic picture
// pixel for pixel, the lesson view's texts are drawn, and its cursor line
// stands at the x of the sample shown.
#include <gtest/gtest.h>
#include <png.h>

#include <cmath>
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

// Pixel column and row of drawing coordinates in a side x side picture.
int column(double x, int side) { return static_cast<int>(std::floor((x + 1.0) / 2.0 * side)); }

TEST(LessonPixels, TheCursorLineStandsAtTheTimeOfTheSampleShownInEveryTimeGraph) {
  auto s = solved_lesson('a', 'h');
  ASSERT_NE(s, nullptr);
  const double span = s->frame_count * s->dt;
  for (int sample : {37, 150}) {
    s->frame_index = sample;
    const Image img = render(*s);
    const int x = column(lesson::time_x(sample * s->dt, span), kSize);
    for (int g = 0; g < lesson::kTimeGraphs; ++g) {
      const DrawingRect r = lesson::time_plot(g);
      const int y0 = column(r.y0, kSize) + 2, y1 = column(r.y1, kSize) - 2;
      // Black down the whole plot (a curve may cross it), at no other column near it.
      const int on = img.count(x - 1, y0, x + 1, y1, is_black);
      EXPECT_GE(on, (y1 - y0 + 1) * 8 / 10) << "sample " << sample << " graph " << g;
      EXPECT_LT(
          img.count(x - 12, y0, x - 4, y1, is_black) + img.count(x + 4, y0, x + 12, y1, is_black),
          (y1 - y0) / 2)
          << "sample " << sample << " graph " << g;
    }
  }
}

TEST(LessonPixels, AnArcInsideTheLimitsIsShadedInItsTorqueGraphOverItsTimeSpan) {
  auto s = solved_lesson_from(kHalfTurn);
  ASSERT_NE(s, nullptr);
  const JointArcs& a = selected_run(*s, s->robot)->motion.joint[0];
  ASSERT_EQ(a.kind[1], kArcInterior);
  const Image img = render(*s);
  const double span = s->frame_count * s->dt;
  const auto shade = [](const Rgb& c) {
    return std::abs(c.r - 219) <= 2 && std::abs(c.g - 232) <= 2 && c.b >= 253;
  };
  const int x0 = column(lesson::time_x(a.end[0], span), kSize);
  const int x1 = column(lesson::time_x(a.end[1], span), kSize);
  for (int g : {4, 5}) {
    const DrawingRect r = lesson::time_plot(g);
    const int y0 = column(r.y0, kSize) + 2, y1 = column(r.y1, kSize) - 2;
    const int inside = img.count(x0 + 2, y0, x1 - 2, y1, shade);
    const int outside = img.count(column(r.x0, kSize), y0, x0 - 2, y1, shade) +
                        img.count(x1 + 2, y0, column(r.x1, kSize), y1, shade);
    if (g == 4) {
      // Most of the span's pixels; curves and lines cross it.
      EXPECT_GT(inside, (x1 - x0 - 3) * (y1 - y0 + 1) * 8 / 10);
    } else {
      EXPECT_EQ(inside, 0);  // joint 2 stays at its limit
    }
    EXPECT_EQ(outside, 0) << g;
  }
}

TEST(LessonPixels, TextsAreDrawnSmoothInTheirColours) {
  auto s = solved_lesson('b', 'h');
  ASSERT_NE(s, nullptr);
  const Image img = render(*s);
  // The title: dark pixels, and grey ones at the glyphs' edges (coverage blended).
  const int top = column(lesson::kTitleY, kSize);
  const int x0 = column(lesson::kLeftX0, kSize);
  const int dark = img.count(x0, top - 3, x0 + 250, top + 25,
                             [](const Rgb& c) { return c.r < 60 && c.g < 60 && c.b < 60; });
  const int grey = img.count(x0, top - 3, x0 + 250, top + 25, [](const Rgb& c) {
    return c.r > 80 && c.r < 200 && c.r == c.g && c.g == c.b;
  });
  EXPECT_GT(dark, 200);
  EXPECT_GT(grey, 50);
  // The legend's "time-optimal" in blue.
  const int legend = column(lesson::kLegendY, kSize);
  EXPECT_GT(img.count(column(0.02, kSize), legend - 3, column(0.3, kSize), legend + 15,
                      [](const Rgb& c) { return c.b > 150 && c.r < 100 && c.g < 100; }),
            60);
}

TEST(LessonPixels, ATallWindowShowsTheWholeViewInItsCentredSquare) {
  auto s = solved_lesson('a', 'g');
  ASSERT_NE(s, nullptr);
  ASSERT_TRUE(resize_window(600, 900));
  const Image img = render_window(*s);
  ASSERT_TRUE(resize_window(kSize, kSize));
  ASSERT_EQ(img.width, 600);
  // White above and below the square, drawing inside it.
  EXPECT_EQ(img.count(0, 0, 599, 149, is_white), 600 * 150);
  EXPECT_EQ(img.count(0, 750, 599, 899, is_white), 600 * 150);
  EXPECT_GT(img.count(0, 150, 599, 749, [](const Rgb& c) { return !is_white(c); }), 10000);
  keep(img, "lesson_a_600x900");
}

}  // namespace
