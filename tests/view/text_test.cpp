// Title and caption block: what they say, where they stand and that they can
// be read (dark grey on white) in every frame, the first one included.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cmath>
#include <initializer_list>
#include <limits>
#include <vector>

#include "view/caption_text.h"
#include "view/describe_frame.h"
#include "view/frame_description.h"
#include "view/text.h"
#include "frame_query.h"
#include "view_harness.h"

namespace {

using namespace viewtest;

TEST(RatioDigits, ShowHundredsTensAndOnesWithTheFractionDropped) {
  EXPECT_EQ(ratio_digits(30.0), "030");
  EXPECT_EQ(ratio_digits(50.0), "050");
  EXPECT_EQ(ratio_digits(150.9), "150");
  EXPECT_EQ(ratio_digits(7.99), "007");
  EXPECT_EQ(ratio_digits(0.0), "000");
  EXPECT_EQ(ratio_digits(999.999), "999");
  EXPECT_EQ(ratio_digits(100.0), "100");
  EXPECT_EQ(ratio_digits(305.0), "305");
}

TEST(RatioDigits, ShowHashesWhereThreeDigitsCannotHoldTheRatio) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  for (double v : {1000.0, 1234.5, 1e300, inf, -inf, nan, -0.5, -1.0, -1e300}) {
    EXPECT_EQ(ratio_digits(v), "###") << v;
  }
}

TEST(RatioText, UsesTheSelectedRobotsRatios) {
  auto s = make_scenario('a', 'h');
  s->cyl.u1 = 30.0;
  s->cyl.u2 = 50.0;
  s->scara.u1 = 120.0;
  s->scara.u2 = 7.0;
  EXPECT_EQ(ratio_text(*s), "(030,050)\n");
  select_robot(*s, 'b');
  EXPECT_EQ(ratio_text(*s), "(120,007)\n");
  s->scara.u2 = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(ratio_text(*s), "(120,###)\n");
  select_robot(*s, 'c');  // no robot selected
  EXPECT_EQ(ratio_text(*s), "(###,###)\n");
}

// Text-grey pixels in the text line whose raster position is at height y,
// between the window coordinates x0 and x1, from the base line up to the
// height of capitals (descenders of the line above reach down into it).
int grey_in_line(const Image& im, double x0, double x1, double y) {
  return im.count(pixel_of(x0), pixel_of(y), pixel_of(x1), pixel_of(y) + 12, is_text_grey);
}

// The texts left of the window's centre (the title and the caption block,
// not the graphs' labels) that stand at height y, in frame order.
std::vector<const Label*> line_at(const FrameDescription& f, double y) {
  std::vector<const Label*> out;
  for (const Label& t : f.texts)
    if (t.x < 0.0f && t.y == static_cast<float>(y)) out.push_back(&t);
  return out;
}

TEST(CaptionTexts, NameTheRobotAndTheMotionPlane) {
  auto s = make_scenario('a', 'h');
  FrameDescription a = describe_frame(*s);
  ASSERT_EQ(line_at(a, 0.9).size(), 1u);
  EXPECT_EQ(line_at(a, 0.9)[0]->text, "(a) Cylindrical coordinate robot");
  EXPECT_EQ(line_at(a, 0.9)[0]->x, -0.95f);
  ASSERT_EQ(line_at(a, 0.85).size(), 1u);
  EXPECT_EQ(line_at(a, 0.85)[0]->text, "Horizontal motion");
  EXPECT_EQ(line_at(a, 0.85)[0]->x, static_cast<float>(-0.95 + 0.05));

  select_robot(*s, 'b');
  select_gravity(*s, 'g');
  const FrameDescription b = describe_frame(*s);
  ASSERT_EQ(line_at(b, 0.9).size(), 1u);
  EXPECT_EQ(line_at(b, 0.9)[0]->text, "(b) SCARA robot");
  ASSERT_EQ(line_at(b, 0.85).size(), 1u);
  EXPECT_EQ(line_at(b, 0.85)[0]->text, "Vertical motion");
  // Only the goal and limit labels are in the small font.
  for (const Label& t : b.texts) {
    const bool small = t.text == "goal1" || t.text == "goal2" || t.text == "T1max" ||
                       t.text == "T2max";
    EXPECT_EQ(t.font == TextFont::Helvetica12, small) << t.text;
  }
}

TEST(CaptionTexts, LeaveOutLinesForUnknownSelectors) {
  auto s = make_scenario('x', 'q');
  const FrameDescription f = describe_frame(*s);
  EXPECT_TRUE(line_at(f, 0.9).empty());
  EXPECT_TRUE(line_at(f, 0.85).empty());
  // The lines that are always there, in their order, the ratios beside their caption.
  const std::vector<const Label*> ratio = line_at(f, 0.8);
  ASSERT_EQ(ratio.size(), 2u);
  EXPECT_EQ(ratio[0]->text, "Reduction ratio (u1, u2)=");
  EXPECT_EQ(ratio[1]->text, "(###,###)\n");
  EXPECT_EQ(ratio[1]->x, static_cast<float>(-0.95 + 0.55));
  EXPECT_EQ(line_at(f, 0.75).at(0)->text, "blue : Time optimal control");
  EXPECT_EQ(line_at(f, 0.7).at(0)->text, "red : PID control");
  EXPECT_EQ(line_at(f, 0.65).at(0)->text, "1 grid=(0.1, 0.1)[m]");
  EXPECT_EQ(line_at(f, 0.95).at(0)->text, "Time optimal control : Comparison with PID control");
  EXPECT_EQ(text_item(f, "blue : Time optimal control"),
            text_item(f, "Reduction ratio (u1, u2)=") + 2);
}

class Captions : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { window(); }
};

// In a fresh context lighting is off and the current colour is white: the
// state of the first frame before any primitive has run.
void reset_to_first_frame_state() {
  glDisable(GL_LIGHTING);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}

TEST_F(Captions, AreDarkGreyInTheFirstFrameAndInLaterOnes) {
  auto s = make_scenario('a', 'g');
  reset_to_first_frame_state();
  const Image first = render(*s);
  EXPECT_GT(grey_in_line(first, -0.99, -0.3, 0.95), 100);  // title
  EXPECT_GT(grey_in_line(first, -0.95, -0.5, 0.9), 100);   // robot name
  EXPECT_GT(grey_in_line(first, -0.9, -0.5, 0.8), 100);    // ratio caption

  // Later frames start with lighting on and any current colour.
  glEnable(GL_LIGHTING);
  glColor4f(0.0f, 1.0f, 0.0f, 1.0f);
  const Image later = render(*s);
  int differing = 0;
  for (int y = pixel_of(0.6); y < kSize; ++y)
    for (int x = 0; x < pixel_of(0.3); ++x)
      if (is_text_grey(first.at(x, y)) != is_text_grey(later.at(x, y))) ++differing;
  EXPECT_EQ(differing, 0);
  EXPECT_EQ(later.count(0, 0, kSize - 1, kSize - 1,
                        [](const Rgb& c) { return c.g > 200 && c.r < 60 && c.b < 60; }),
            0);
}

// A frame of the given texts, all in `font`, at (x, y) each.
struct Placed {
  double x, y;
  const char* text;
};
FrameDescription texts(TextFont font, std::initializer_list<Placed> list) {
  FrameDescription f;
  for (const Placed& p : list) f.text(font, p.x, p.y, p.text);
  return f;
}

TEST_F(Captions, TextLeavesColourAndLightingAsTheyWere) {
  window();
  for (bool lighting : {false, true}) {
    if (lighting) glEnable(GL_LIGHTING); else glDisable(GL_LIGHTING);
    glColor4f(0.25f, 0.5f, 0.75f, 1.0f);
    renderer().draw(texts(TextFont::Helvetica18, {{0.0, 0.0, "abc"}, {0.1, 0.1, "caf\xe9"}}));
    GLfloat c[4];
    glGetFloatv(GL_CURRENT_COLOR, c);
    EXPECT_FLOAT_EQ(c[0], 0.25f);
    EXPECT_FLOAT_EQ(c[1], 0.5f);
    EXPECT_FLOAT_EQ(c[2], 0.75f);
    EXPECT_EQ(glIsEnabled(GL_LIGHTING), lighting ? GL_TRUE : GL_FALSE);
  }
}

TEST_F(Captions, TextOutsideTheViewOrAtNoPositionIsNotDrawn) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const FrameDescription nowhere =
      texts(TextFont::Helvetica18,
            {{1.5, 0.0, "far right"}, {nan, 0.0, "nowhere"}, {0.0, 1e300, "too high"}});
  // A position that is not a number as a float is no text at all.
  EXPECT_EQ(nowhere.texts.size(), 1u);
  const Image im = render_items(nowhere);
  EXPECT_EQ(im.count(0, 0, kSize - 1, kSize - 1, [](const Rgb& c) { return !is_white(c); }), 0);

  const Image small = render_items(texts(TextFont::Helvetica12, {{0.0, 0.0, "goal1"}}));
  const Image large = render_items(texts(TextFont::Helvetica18, {{0.0, 0.0, "goal1"}}));
  const int n_small = small.count(0, 0, kSize - 1, kSize - 1, is_text_grey);
  const int n_large = large.count(0, 0, kSize - 1, kSize - 1, is_text_grey);
  EXPECT_GT(n_small, 20);
  EXPECT_GT(n_large, n_small);
  // Text starts at its raster position and stands above it.
  EXPECT_EQ(large.count(0, 0, pixel_of(0.0) - 3, kSize - 1, is_text_grey), 0);
  EXPECT_EQ(large.count(0, pixel_of(0.0) + 20, kSize - 1, kSize - 1, is_text_grey), 0);
}

}  // namespace
