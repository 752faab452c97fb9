// The mouse in the window: a press in one of the lesson view's time graphs,
// and the drag after it, shows the sample at the time under the pointer and
// pauses; presses elsewhere, in the classic picture, with another button or
// while a console question waits change nothing. No display is needed: the
// events are window pixels and the window's size.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include <unistd.h>

#include "app/dialogue_texts.h"
#include "app/session.h"
#include "app/startup.h"
#include "view/lesson_layout.h"

namespace {

using dialogue_texts::run_to_end;

struct Window {
  int width, height;
  // The window pixel that holds drawing point (x, y).
  MouseEvent at(MousePhase phase, double x, double y, MouseButton b = MouseButton::Left) const {
    const int side = std::min(width, height);
    const int left = (width - side) / 2, bottom = (height - side) / 2;
    const int px = static_cast<int>(std::floor(left + (x + 1.0) / 2.0 * side));
    const int from_bottom = static_cast<int>(std::floor(bottom + (y + 1.0) / 2.0 * side));
    return MouseEvent{phase, b, px, height - 1 - from_bottom, width, height};
  }
};

class LessonMouse : public ::testing::TestWithParam<Window> {
 protected:
  void SetUp() override {
    ASSERT_EQ(run_to_end(run_startup(*s, ui), ui), Progress::Done);
    s->view_mode = ViewMode::Lesson;
    s->frame_index = 10;
  }
  // Middle of time graph g at the time t [s].
  MouseEvent in_graph(MousePhase phase, int g, double t) const {
    const DrawingRect r = lesson::time_plot(g);
    return GetParam().at(phase, lesson::time_x(t, s->frame_count * s->dt), (r.y0 + r.y1) / 2.0);
  }
  int sample_of(double t) const { return static_cast<int>(std::lround(t / s->dt)); }

  std::unique_ptr<Scenario> s = std::make_unique<Scenario>();
  Console con{"a h n", Encoding::Utf8};
  Ui ui{con, Lang::En};
  Session session{*s, ui};
};

TEST_P(LessonMouse, APressInAnyTimeGraphShowsTheSampleAtItsTimeAndPauses) {
  const double span = s->frame_count * s->dt;
  for (int g = 0; g < lesson::kTimeGraphs; ++g) {
    const double t = span * (g + 1) / 8.0;
    s->playback.playing = true;
    EXPECT_EQ(session.mouse(in_graph(MousePhase::Press, g, t)), KeyAction::Redraw) << g;
    // Within a pixel's worth of time of the sample at t.
    const double pixel_time = span / ((lesson::kTimePlotX1 - lesson::kTimePlotX0) *
                                      std::min(GetParam().width, GetParam().height) / 2.0);
    EXPECT_LE(std::abs(s->frame_index - sample_of(t)), 1 + pixel_time / s->dt) << g;
    EXPECT_FALSE(s->playback.playing);
    session.mouse(in_graph(MousePhase::Release, g, t));
  }
}

TEST_P(LessonMouse, ADragFollowsThePointerEvenPastTheGraphAndStopsAtRelease) {
  const double span = s->frame_count * s->dt;
  session.mouse(in_graph(MousePhase::Press, 2, 0.25 * span));
  const int first = s->frame_index;
  EXPECT_EQ(session.mouse(in_graph(MousePhase::Drag, 2, 0.75 * span)), KeyAction::Redraw);
  EXPECT_GT(s->frame_index, first);
  // Beyond the end of the axis: the last sample; before its start: the first.
  session.mouse(GetParam().at(MousePhase::Drag, 0.99, 0.0));
  EXPECT_EQ(s->frame_index, s->frame_count);
  session.mouse(GetParam().at(MousePhase::Drag, -0.9, 0.0));
  EXPECT_EQ(s->frame_index, 0);
  session.mouse(GetParam().at(MousePhase::Release, -0.9, 0.0));
  // After the release a move is no drag.
  EXPECT_EQ(session.mouse(in_graph(MousePhase::Drag, 2, 0.5 * span)), KeyAction::None);
  EXPECT_EQ(s->frame_index, 0);
}

TEST_P(LessonMouse, PressesElsewhereOrOfOtherButtonsChangeNothing) {
  const double span = s->frame_count * s->dt;
  // Robot area, results panel, between two graphs, right of the axis.
  const Point outside[] = {
      {-0.5, 0.5}, {-0.5, -0.8}, {0.5, lesson::time_plot(0).y0 - 0.03}, {0.95, 0.0}};
  for (const Point& p : outside) {
    EXPECT_EQ(session.mouse(GetParam().at(MousePhase::Press, p.x, p.y)), KeyAction::None);
    EXPECT_EQ(session.mouse(GetParam().at(MousePhase::Drag, 0.5, 0.0)), KeyAction::None);
    session.mouse(GetParam().at(MousePhase::Release, 0.5, 0.0));
    EXPECT_EQ(s->frame_index, 10);
  }
  EXPECT_EQ(session.mouse(in_graph(MousePhase::Press, 0, 0.5 * span)), KeyAction::Redraw);
  session.mouse(in_graph(MousePhase::Release, 0, 0.5 * span));
  s->frame_index = 10;
  for (MouseButton b : {MouseButton::Right, MouseButton::Middle}) {
    const MouseEvent e = in_graph(MousePhase::Press, 0, 0.5 * span);
    EXPECT_EQ(session.mouse(MouseEvent{e.phase, b, e.x, e.y, e.width, e.height}), KeyAction::None);
  }
  s->view_mode = ViewMode::Classic;
  EXPECT_EQ(session.mouse(in_graph(MousePhase::Press, 0, 0.5 * span)), KeyAction::None);
  EXPECT_EQ(s->frame_index, 10);
}

// Square, tall (the picture centred with room above and below) and wide windows.
INSTANTIATE_TEST_SUITE_P(Windows, LessonMouse,
                         ::testing::Values(Window{800, 800}, Window{600, 900}, Window{1920, 1080}));

TEST(LessonMouseDialogue, WhileAQuestionWaitsTheMouseChangesNothing) {
  auto s = std::make_unique<Scenario>();
  Console start("a h n", Encoding::Utf8);
  Ui start_ui{start, Lang::En};
  ASSERT_EQ(run_to_end(run_startup(*s, start_ui), start_ui), Progress::Done);
  s->view_mode = ViewMode::Lesson;
  // A question that waits for input that never comes.
  int fd[2];
  ASSERT_EQ(pipe(fd), 0);
  Console waiting{fd[0], nullptr, Encoding::Utf8};
  Ui wui{waiting, Lang::En};
  Session session(*s, wui);
  ASSERT_EQ(session.key('u', 0.0), KeyAction::Redraw);
  ASSERT_TRUE(session.in_dialogue());
  const DrawingRect r = lesson::time_plot(0);
  const Window w{800, 800};
  EXPECT_EQ(session.mouse(w.at(MousePhase::Press, (r.x0 + r.x1) / 2.0, (r.y0 + r.y1) / 2.0)),
            KeyAction::None);
  EXPECT_EQ(s->frame_index, 0);
  close(fd[1]);
  close(fd[0]);
}

TEST(LessonMousePoint, WindowPixelsBecomeDrawingPointsOfTheCentredSquare) {
  // Corners of the picture's square in windows of each shape.
  for (const Window w : {Window{800, 800}, Window{600, 900}, Window{1920, 1080}}) {
    const int side = std::min(w.width, w.height);
    const int left = (w.width - side) / 2, top = (w.height - side) / 2;
    const Point lower_left = lesson::drawing_point(left, top + side - 1, w.width, w.height);
    const Point upper_right = lesson::drawing_point(left + side - 1, top, w.width, w.height);
    EXPECT_NEAR(lower_left.x, -1.0 + 1.0 / side, 1e-12);
    EXPECT_NEAR(lower_left.y, -1.0 + 1.0 / side, 1e-12);
    EXPECT_NEAR(upper_right.x, 1.0 - 1.0 / side, 1e-12);
    EXPECT_NEAR(upper_right.y, 1.0 - 1.0 / side, 1e-12);
  }
  EXPECT_TRUE(std::isnan(lesson::drawing_point(5, 5, 0, 100).x));
}

}  // namespace
