// Changes of the task made in the window: the same conditions, solution and
// console report as the console dialogue gives for the same change, points
// the SCARA cannot reach refused, the elbow branch switched, undo back to the
// very same numbers, and a superseded computation never shown.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <memory>
#include <string>
#include <thread>

#include "app/dialogue_texts.h"
#include "app/session.h"
#include "app/startup.h"
#include "toc/worker_pool.h"
#include "view/robot_area_map.h"

namespace {

using dialogue_texts::ends_with;
using dialogue_texts::run_to_end;

// The state after a start-up with the robot and gravity keys and n.
std::unique_ptr<Scenario> solved(char robot, char gravity) {
  auto s = std::make_unique<Scenario>();
  Console con(std::string(1, robot) + " " + gravity + " n", Encoding::Utf8);
  Ui ui{con, Lang::Ja};
  EXPECT_EQ(run_to_end(run_startup(*s, ui), ui), Progress::Done);
  return s;
}

// The same bits: conditions and runs are doubles through and through.
template <class Part>
bool same_bits(const Part& a, const Part& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

// The robot's derived conditions and its run (solution and records).
bool same_robot(const Scenario& a, const Scenario& b, Robot robot) {
  return same_bits(model_run(a, robot), model_run(b, robot)) &&
         (robot == Robot::Scara ? same_bits(a.scara, b.scara) : same_bits(a.cyl, b.cyl));
}

// The same change typed on the console: k, y, the points (and the elbow key).
std::string through_k(Scenario& s, const std::string& answers) {
  Console con(answers, Encoding::Utf8);
  Ui ui{con, Lang::Ja};
  Session window(s, ui);
  EXPECT_EQ(window.key('k', 0.0), KeyAction::Redraw);
  EXPECT_FALSE(window.in_dialogue());
  return con.output();
}

TEST(WindowChanges, DraggedGoalGivesWhatTypingItGives) {
  auto typed = solved('a', 'h');
  const std::string k_output = through_k(*typed, "y\n0.8 0 0.2 0.8\n");

  auto dragged = solved('a', 'h');
  Console con("", Encoding::Utf8);
  Ui ui{con, Lang::Ja};
  Session window(*dragged, ui);
  // Where a pointer lets go is no decimal: it is taken as typed, 4 decimals.
  ASSERT_TRUE(window.move_points(0.8, 0.0, 0.200004, 0.79999999));
  EXPECT_FALSE(window.in_dialogue());
  EXPECT_EQ(dragged->xf, 0.2);
  EXPECT_EQ(dragged->yf, 0.8);
  EXPECT_TRUE(same_robot(*dragged, *typed, Robot::Cylindrical));
  EXPECT_EQ(dragged->tfm, typed->tfm);
  EXPECT_EQ(dragged->dt, typed->dt);
  EXPECT_EQ(dragged->frame_index, 0);
  // The console hears what follows the points question, word for word.
  ASSERT_FALSE(con.output().empty());
  EXPECT_TRUE(ends_with(k_output, con.output()));
  EXPECT_NE(con.output().find("計算終了"), std::string::npos);
}

TEST(WindowChanges, ScaraPointOutOfReachChangesNothing) {
  auto s = solved('b', 'h');
  const auto before = std::make_unique<Scenario>(*s);
  Console con("", Encoding::Utf8);
  Ui ui{con, Lang::Ja};
  Session window(*s, ui);
  EXPECT_FALSE(window.move_points(0.8, 0.0, 0.0, 0.95));  // beyond l1 + l2 = 0.9
  EXPECT_FALSE(window.move_points(0.05, 0.0, 0.0, 0.8));  // within |l1 - l2| = 0.1
  EXPECT_TRUE(same_robot(*s, *before, Robot::Scara));
  EXPECT_EQ(s->xf, before->xf);
  EXPECT_EQ(s->ghost_points, 0);
  EXPECT_EQ(con.output(), "");
  EXPECT_FALSE(window.undo());  // nothing was changed
}

TEST(WindowChanges, ElbowKeySwitchesTheBranchAsTheElbowQuestionDoes) {
  auto typed = solved('b', 'h');
  through_k(*typed, "y\n0.8 0 0 0.8\n2\n");
  ASSERT_EQ(typed->elbow, Elbow::Up);

  auto s = solved('b', 'h');
  Console con("", Encoding::Utf8);
  Ui ui{con, Lang::Ja};
  Session window(*s, ui);
  EXPECT_EQ(window.key('e', 0.0), KeyAction::Redraw);
  EXPECT_EQ(s->elbow, Elbow::Up);
  EXPECT_TRUE(same_robot(*s, *typed, Robot::Scara));
  EXPECT_EQ(window.key('e', 0.0), KeyAction::Redraw);
  EXPECT_EQ(s->elbow, Elbow::Down);

  auto cyl = solved('a', 'h');
  Session other(*cyl, ui);
  EXPECT_EQ(other.key('e', 0.0), KeyAction::None);  // no elbow on the cylindrical robot
}

TEST(WindowChanges, UndoRestoresTheNumbersExactlyAndTheGhostShowsThePathBefore) {
  auto s = solved('a', 'g');
  const auto before = std::make_unique<Scenario>(*s);
  Console con("", Encoding::Utf8);
  Ui ui{con, Lang::Ja};
  Session window(*s, ui);
  ASSERT_TRUE(window.move_points(0.8, 0.0, 0.2, 0.8));
  const auto first = std::make_unique<Scenario>(*s);
  ASSERT_TRUE(window.move_points(0.7, 0.1, 0.2, 0.8));
  EXPECT_FALSE(same_robot(*s, *before, Robot::Cylindrical));
  // The ghost is the path the last change replaced, with its final time.
  ASSERT_EQ(s->ghost_points, first->frame_count + 1);
  EXPECT_EQ(std::memcmp(s->ghost_tip, first->cyl_run.toc_tip, sizeof(double) * 2 * s->ghost_points), 0);
  EXPECT_EQ(s->ghost_tf, first->cyl_run.tt[3]);
  EXPECT_NE(s->ghost_tf, s->cyl_run.tt[3]);

  s->view_mode = ViewMode::Lesson;
  EXPECT_EQ(window.key('z', 0.0), KeyAction::Redraw);
  EXPECT_EQ(window.key('z', 0.0), KeyAction::Redraw);
  EXPECT_EQ(window.key('z', 0.0), KeyAction::None);  // nothing more to undo
  EXPECT_TRUE(same_robot(*s, *before, Robot::Cylindrical));
  EXPECT_EQ(s->x0, before->x0);
  EXPECT_EQ(s->xf, before->xf);
  EXPECT_EQ(s->tfm, before->tfm);
  EXPECT_EQ(s->view_mode, ViewMode::Lesson);  // how the window shows it stays
}

// On a thread of its own: the old motion is shown while the new one is
// computed, and a change made meanwhile drops the computation for its own,
// whose result alone is ever shown.
TEST(WindowChanges, SupersededComputationIsNeverShown) {
  auto direct = solved('b', 'g');
  through_k(*direct, "y\n0.7 0.1 0.1 0.7\n1\n");

  auto s = solved('b', 'g');
  const auto before = std::make_unique<Scenario>(*s);
  WorkerPool pool(2);
  Console con("", Encoding::Utf8);
  Ui ui{con, Lang::Ja};
  ui.pool = &pool;
  Session window(*s, ui, run_condition_dialogue, SolveIn::Background);
  ASSERT_TRUE(window.move_points(0.8, 0.0, -0.3, 0.6));
  EXPECT_TRUE(s->computing);
  EXPECT_TRUE(window.in_dialogue());
  EXPECT_EQ(s->scara_run.tt[3], before->scara_run.tt[3]);  // the old motion meanwhile
  ASSERT_TRUE(window.move_points(0.7, 0.1, 0.1, 0.7));

  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (window.in_dialogue() && std::chrono::steady_clock::now() < deadline) {
    window.tick(0.0);
    const double tf = s->scara_run.tt[3];
    EXPECT_TRUE(tf == before->scara_run.tt[3] || tf == direct->scara_run.tt[3]) << tf;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  ASSERT_FALSE(window.in_dialogue());
  EXPECT_FALSE(s->computing);
  EXPECT_TRUE(same_robot(*s, *direct, Robot::Scara));
}

// The mouse in an 800 x 800 window: press on the goal, drag, let go.
MouseEvent at(MousePhase phase, MouseButton button, const Point& pixel) {
  return MouseEvent{phase, button, static_cast<int>(pixel.x), static_cast<int>(pixel.y), 800, 800};
}

TEST(WindowChanges, GoalDraggedWithTheMouseAsTypedWithK) {
  auto typed = solved('a', 'h');
  through_k(*typed, "y\n0.8 0 0.2 0.8\n");

  auto s = solved('a', 'h');
  Console con("", Encoding::Utf8);
  Ui ui{con, Lang::Ja};
  Session window(*s, ui);
  const Point goal = metres_in_window(*s, Point{0.0, 0.8}, 800, 800);
  EXPECT_EQ(window.mouse(at(MousePhase::Press, MouseButton::Left, goal)), KeyAction::Redraw);
  EXPECT_EQ(s->drag_point, 2);
  // (0.2, 0.8) is the corner of pixel (280, 280) in this window.
  EXPECT_EQ(window.mouse(at(MousePhase::Drag, MouseButton::Left, Point{280, 280})),
            KeyAction::Redraw);
  EXPECT_NEAR(s->drag_x, 0.2, 1e-12);
  EXPECT_NEAR(s->drag_y, 0.8, 1e-12);
  EXPECT_TRUE(s->drag_reachable);
  EXPECT_EQ(s->xf, 0.0);  // nothing changes before the drop
  EXPECT_EQ(window.mouse(at(MousePhase::Release, MouseButton::Left, Point{280, 280})),
            KeyAction::Redraw);
  EXPECT_EQ(s->drag_point, 0);
  EXPECT_EQ(s->xf, 0.2);
  EXPECT_EQ(s->yf, 0.8);
  EXPECT_TRUE(same_robot(*s, *typed, Robot::Cylindrical));

  // The right button undoes it.
  EXPECT_EQ(window.mouse(at(MousePhase::Press, MouseButton::Right, Point{10, 10})), KeyAction::Redraw);
  EXPECT_EQ(s->xf, 0.0);
}

TEST(WindowChanges, DroppedOutOfReachTheMarkerIsCrossedAndNothingChanges) {
  auto s = solved('b', 'h');
  const auto before = std::make_unique<Scenario>(*s);
  Console con("", Encoding::Utf8);
  Ui ui{con, Lang::Ja};
  Session window(*s, ui);
  const Point goal = metres_in_window(*s, Point{0.0, 0.8}, 800, 800);
  const Point far = metres_in_window(*s, Point{0.0, 0.97}, 800, 800);
  window.mouse(at(MousePhase::Press, MouseButton::Left, goal));
  window.mouse(at(MousePhase::Drag, MouseButton::Left, far));
  EXPECT_EQ(s->drag_point, 2);
  EXPECT_FALSE(s->drag_reachable);
  window.mouse(at(MousePhase::Release, MouseButton::Left, far));
  EXPECT_EQ(s->drag_point, 0);
  EXPECT_NE(s->window_note, nullptr);
  EXPECT_TRUE(same_robot(*s, *before, Robot::Scara));
  EXPECT_EQ(s->yf, before->yf);
  EXPECT_EQ(con.output(), "");
  // A press away from both points takes nothing.
  EXPECT_EQ(window.mouse(at(MousePhase::Press, MouseButton::Left, Point{5, 795})), KeyAction::None);
  EXPECT_EQ(s->drag_point, 0);
}

}  // namespace
