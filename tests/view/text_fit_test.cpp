// The classic picture's texts in squares smaller than 800 pixels: laid out by
// the widths of the bitmap glyphs, no two of them meet and none is cut at the
// picture's edge or at the robot area's scissor; at 800 and more the frame is
// the one it always was. The width table they are laid out with is the
// renderer's own glyphs' and the page's font's.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/startup.h"
#include "console/console.h"
#include "glyph_font.h"
#include "text_apart.h"
#include "view/describe_frame.h"
#include "view/text.h"
#include "view/text_metrics.h"
#include "view_harness.h"

namespace {

using namespace viewtest;

constexpr TextFont kFonts[] = {TextFont::Helvetica12, TextFont::Helvetica18};

std::vector<int> table_chars() {
  std::vector<int> out{'\n'};
  for (int c = 32; c <= 126; ++c) out.push_back(c);
  return out;
}

TEST(BitmapMetrics, AreTheRenderersGlyphs) {
  Renderer& r = renderer();
  ASSERT_TRUE(r.glyphs_captured());
  for (TextFont font : kFonts) {
    int top = 0, bottom = 0;
    for (int c : table_chars()) {
      const Renderer::GlyphPixels g = r.glyph_pixels(font, c);
      EXPECT_EQ(bitmap_advance(font, static_cast<char>(c)), g.advance) << c;
      if (g.w == 0) continue;
      // The ink lies within the advance and the font's rows.
      EXPECT_GE(g.x0, 0) << c;
      EXPECT_LE(g.x0 + g.w, g.advance) << c;
      EXPECT_GE(g.y0, -bitmap_descent(font)) << c;
      EXPECT_LE(g.y0 + g.h, bitmap_ascent(font)) << c;
      top = std::max(top, g.y0 + g.h);
      bottom = std::min(bottom, g.y0);
    }
    EXPECT_EQ(top, bitmap_ascent(font));
    EXPECT_EQ(-bottom, bitmap_descent(font));
  }
  for (TextFont font : kFonts) {
    EXPECT_EQ(bitmap_advance(font, '\t'), 0);
    EXPECT_EQ(bitmap_advance(font, '\x7f'), 0);
    EXPECT_EQ(bitmap_advance(font, '\xb7'), 0);
  }
}

TEST(BitmapMetrics, AreThePagesGlyphFont) {
  for (int f = 0; f < 2; ++f)
    for (int c : table_chars())
      EXPECT_EQ(bitmap_advance(kFonts[f], static_cast<char>(c)), kWebFonts[f].glyphs[c].advance)
          << c;
}

TEST(BitmapMetrics, BoxesStartAtTheRasterPixel) {
  const Label t{TextFont::Helvetica18, static_cast<float>(pixel_centre(37, 380)),
                static_cast<float>(pixel_centre(200, 380)), colour_text, "T[Nm]"};
  const DrawingRect b = label_box(t, 380);
  EXPECT_EQ(raster_pixel(t.x, 380), 37);
  EXPECT_NEAR(b.x0, 37 * 2.0 / 380 - 1.0, 1e-12);
  EXPECT_NEAR(b.x1 - b.x0, 49 * 2.0 / 380, 1e-12);
  EXPECT_NEAR(b.y0, (200 - 4) * 2.0 / 380 - 1.0, 1e-12);
  EXPECT_NEAR(b.y1 - b.y0, 18 * 2.0 / 380, 1e-12);
  // -0.95 in a square of 800: pixel 20, as the renderers put it.
  EXPECT_EQ(raster_pixel(-0.95f, 800), 20);
  EXPECT_EQ(bitmap_width(TextFont::Helvetica12, "goal1"), 31);
}

// A solved default task: robot a or b, gravity h (off) or g (on).
std::unique_ptr<Scenario> solved(const char* input) {
  auto s = std::make_unique<Scenario>();
  Console con(input, Encoding::Utf8);
  Ui out{con, Lang::Ja};
  EXPECT_EQ(DialogueRun(run_startup(*s, out)).finish(out), Progress::Done) << input;
  return s;
}

const char* const kTasks[] = {"a h n", "a g n", "b h n", "b g n"};

std::string describe(const Label& t) {
  std::ostringstream o;
  o << '"' << t.text << "\" (" << t.x << ", " << t.y << ")";
  return o.str();
}

// Every pair of text boxes apart, every box inside the picture and inside the
// scissor it is drawn in.
void expect_texts_apart(const FrameDescription& f, int side, const std::string& what) {
  std::vector<DrawingRect> boxes;
  for (const Label& t : f.texts) boxes.push_back(label_box(t, side));
  for (std::size_t a = 0; a < boxes.size(); ++a)
    for (std::size_t b = a + 1; b < boxes.size(); ++b)
      EXPECT_FALSE(overlap(boxes[a], boxes[b]))
          << what << ": " << describe(f.texts[a]) << " and " << describe(f.texts[b]);
  DrawingRect scissor = kWholePicture;
  for (const Item& item : f.items) {
    if (item.kind == ItemKind::Scissor) scissor = f.scissors[item.index];
    if (item.kind == ItemKind::ScissorOff) scissor = kWholePicture;
    if (item.kind != ItemKind::Text) continue;
    const DrawingRect& box = boxes[item.index];
    // The picture's pixels whose centres lie in the scissor (view/viewport.h).
    const double half = 1.0 / side;
    const DrawingRect within{scissor.x0 - half, scissor.y0 - half, scissor.x1 + half,
                             scissor.y1 + half};
    EXPECT_TRUE(inside(box, kWholePicture) && inside(box, within))
        << what << ": " << describe(f.texts[item.index]) << " cut";
  }
}

// The scenario as the window shows it in several states: as solved, playing
// fast while a computation runs, waiting for an answer, and with each note
// the window gives.
template <class F>
void for_each_state(Scenario& s, F check) {
  for (int sample : {0, 60, 200}) {
    s.frame_index = sample;
    check("sample " + std::to_string(sample));
  }
  s.playback.playing = true;
  s.playback.speed_log2 = -4;
  s.computing = true;
  check("playing 1/16x, computing");
  s.computing = false;
  s.answer_pending = true;
  check("answer pending");
  s.answer_pending = false;
  s.playback.playing = false;
  s.playback.speed_log2 = 0;
  for (const char* note : {"No motion for that change: nothing changed.",
                           "The arm cannot reach that point: nothing changed."}) {
    s.window_note = note;
    check(note);
  }
  s.window_note = nullptr;
}

class FittedSides : public ::testing::TestWithParam<int> {};

TEST_P(FittedSides, NoTwoTextsMeetAndNoneIsCut) {
  const int side = GetParam();
  for (const char* task : kTasks) {
    auto s = solved(task);
    for_each_state(*s, [&](const std::string& state) {
      expect_texts_apart(describe_frame(*s, side), side,
                         std::string(task) + ", " + state + ", side " + std::to_string(side));
    });
  }
}

// 600 and 380 as asked for; the others about the font's change at 667, the
// README's 720 and the smallest window the texts are kept apart in.
INSTANTIATE_TEST_SUITE_P(Sides, FittedSides,
                         ::testing::Values(600, 380, 340, 450, 512, 666, 667, 720, 799),
                         [](const auto& info) { return std::to_string(info.param); });

TEST(FittedText, TakesTheSmallerFontInSmallSquares) {
  auto s = solved("a h n");
  for (int side : {380, 600, 666}) {
    for (const Label& t : describe_frame(*s, side).texts)
      EXPECT_EQ(t.font, TextFont::Helvetica12) << side << " " << t.text;
  }
  const FrameDescription f = describe_frame(*s, 720);
  ASSERT_FALSE(f.texts.empty());
  EXPECT_EQ(f.texts[0].font, TextFont::Helvetica18);
}

TEST(FittedText, BreaksTheTitleWhereItWouldReachTheGraphs) {
  auto s = solved("a h n");
  // At 380 the title is wider than the room left of the graphs' labels.
  const FrameDescription f = describe_frame(*s, 380);
  ASSERT_GE(f.texts.size(), 2u);
  EXPECT_EQ(f.texts[0].text, "Time optimal control :");
  EXPECT_EQ(f.texts[1].text, "Comparison with PID control");
  EXPECT_EQ(f.texts[0].x, f.texts[1].x);
  EXPECT_GT(f.texts[0].y, f.texts[1].y);
  // At 600 it fits whole.
  EXPECT_EQ(describe_frame(*s, 600).texts[0].text,
            "Time optimal control : Comparison with PID control");
}

bool same(const FrameDescription& a, const FrameDescription& b) {
  if (a.items.size() != b.items.size() || a.texts.size() != b.texts.size()) return false;
  for (std::size_t i = 0; i < a.items.size(); ++i)
    if (a.items[i].kind != b.items[i].kind || a.items[i].index != b.items[i].index) return false;
  for (std::size_t i = 0; i < a.texts.size(); ++i) {
    const Label &p = a.texts[i], &q = b.texts[i];
    if (p.font != q.font || p.x != q.x || p.y != q.y || p.text != q.text) return false;
  }
  return a.lines.size() == b.lines.size() && a.boxes.size() == b.boxes.size() &&
         a.rounds.size() == b.rounds.size() && a.scissors.size() == b.scissors.size();
}

// From 800 up the frame does not depend on the side, and its texts stand
// where they always have (the frame golden test checks its pixels).
TEST(FittedText, From800UpTheFrameIsTheOneItAlwaysWas) {
  for (const char* task : kTasks) {
    auto s = solved(task);
    for_each_state(*s, [&](const std::string& state) {
      const FrameDescription f = describe_frame(*s);
      for (int side : {800, 801, 1024, 2000, 0})
        EXPECT_TRUE(same(f, describe_frame(*s, side))) << task << ", " << state << ", " << side;
    });
  }
  auto s = solved("a h n");
  s->frame_index = 60;
  // The goal labels' heights follow the solved motion's scale: left out.
  std::ostringstream texts;
  for (const Label& t : describe_frame(*s, 800).texts) {
    texts << (t.font == TextFont::Helvetica12 ? 12 : 18) << ' ' << t.x << ' ';
    if (t.text.rfind("goal", 0) == 0)
      texts << '*';
    else
      texts << t.y;
    texts << ' ' << t.text << '|';
  }
  EXPECT_EQ(texts.str(),
            "18 -0.99 0.95 Time optimal control : Comparison with PID control|"
            "18 -0.95 0.9 (a) Cylindrical coordinate robot|"
            "18 -0.9 0.85 Horizontal motion|"
            "18 -0.9 0.8 Reduction ratio (u1, u2)=|"
            "18 -0.4 0.8 (030,030)\n|"
            "18 -0.9 0.75 blue : Time optimal control|"
            "18 -0.9 0.7 red : PID control|"
            "18 -0.9 0.65 1 grid=(0.1, 0.1)[m]|"
            "18 -0.9 0.6 t = 1.20 s  (60/200)|"
            "18 0.88 0.51 4\n|18 0.9 0.51 s|"
            "18 0.5 0.45 joint displacement|18 0.3 0.85 fi[rad,m]|"
            "12 0.6 * goal1|12 0.6 * goal2|"
            "18 0.88 0.11 4\n|18 0.9 0.11 s|18 0.5 0.05 Torque(1)|18 0.35 0.08 0|"
            "18 0.3 0.3 T[Nm]|12 0.4 0.36 T1max|"
            "18 0.88 -0.59 4\n|18 0.9 -0.59 s|18 0.5 -0.65 Torque(2)|18 0.35 -0.62 0|"
            "18 0.3 -0.4 T[Nm]|12 0.4 -0.34 T2max|");
}

}  // namespace
