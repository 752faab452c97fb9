// The frame as a description, without any display: which items a frame has,
// in what order, where its texts, shapes and curves stand for a given motion,
// what the scissor keeps them to, and the widths the lines are drawn in.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "robot/graph_scales.h"
#include "view/describe_frame.h"
#include "view/figures.h"
#include "view/graphs.h"
#include "view/scales.h"
#include "frame_query.h"
#include "view_harness.h"

namespace {

using namespace viewtest;

constexpr double kPi = 3.14159265358979;
const double kNaN = std::numeric_limits<double>::quiet_NaN();

const Label& text(const FrameDescription& f, const std::string& s) {
  const int k = text_item(f, s);
  EXPECT_GE(k, 0) << "no text " << s;
  return f.texts[f.items[k < 0 ? 0 : k].index];
}

TEST(FrameDescription, OpensAndClosesEveryFrameTheSameWay) {
  for (char robot : {'a', 'b', 'x'}) {
    auto s = make_scenario(robot, 'h');
    const FrameDescription f = describe_frame(*s);
    const std::vector<ItemKind> k = kinds(f);
    ASSERT_GE(k.size(), 10u);
    // Cleared whole, then kept to the picture, unlit and flat.
    EXPECT_EQ(k[0], ItemKind::ScissorOff);
    EXPECT_EQ(k[1], ItemKind::Clear);
    EXPECT_EQ(k[2], ItemKind::Scissor);
    EXPECT_TRUE(same_rect(f.scissors[f.items[2].index], kWholePicture));
    EXPECT_EQ(k[3], ItemKind::LightingOff);
    EXPECT_EQ(k[4], ItemKind::FlatShading);
    EXPECT_EQ(k[k.size() - 3], ItemKind::SmoothShading);
    EXPECT_EQ(k[k.size() - 2], ItemKind::ScissorOff);
    EXPECT_EQ(k.back(), ItemKind::LightingOn);
    // One clear, lighting switched once each way, three hand-overs.
    EXPECT_EQ(count(f, ItemKind::Clear), 1);
    EXPECT_EQ(count(f, ItemKind::LightingOff), 1);
    EXPECT_EQ(count(f, ItemKind::LightingOn), 1);
    EXPECT_EQ(count(f, ItemKind::HandOver), 3);
    // Every item points at data of its kind.
    for (const Item& i : f.items) {
      switch (i.kind) {
        case ItemKind::Lines: EXPECT_LT(i.index, f.lines.size()); break;
        case ItemKind::Box: EXPECT_LT(i.index, f.boxes.size()); break;
        case ItemKind::Round: EXPECT_LT(i.index, f.rounds.size()); break;
        case ItemKind::Text: EXPECT_LT(i.index, f.texts.size()); break;
        case ItemKind::Dots: EXPECT_LT(i.index, f.dots.size()); break;
        case ItemKind::Scissor: EXPECT_LT(i.index, f.scissors.size()); break;
        default: break;
      }
    }
  }
}

TEST(FrameDescription, KeepsTheRobotAreaLeftOfTheGraphPanel) {
  auto s = make_scenario('a', 'h');
  const FrameDescription f = describe_frame(*s);
  // Second scissor: left of the panel, until after the robot area.
  ASSERT_GE(f.scissors.size(), 3u);
  const double edge = s->layout.disp_graph_origin[0] - 0.05;
  EXPECT_TRUE(same_rect(f.scissors[1], DrawingRect{-1.0, -1.0, edge, 1.0}));
  EXPECT_TRUE(same_rect(f.scissors[2], kWholePicture));
  EXPECT_DOUBLE_EQ(mask_panel_rect(*s).x0, edge);
  int left_of_panel = -1, whole_again = -1, first_box = -1, dots = -1, goal1 = -1;
  for (std::size_t k = 0; k < f.items.size(); ++k) {
    const Item& i = f.items[k];
    if (i.kind == ItemKind::Scissor && i.index == 1) left_of_panel = static_cast<int>(k);
    if (i.kind == ItemKind::Scissor && i.index == 2) whole_again = static_cast<int>(k);
    if (i.kind == ItemKind::Box && first_box < 0) first_box = static_cast<int>(k);
    if (i.kind == ItemKind::Dots) dots = static_cast<int>(k);
  }
  goal1 = text_item(f, "goal1");
  EXPECT_LT(left_of_panel, text_item(f, "Time optimal control : Comparison with PID control"));
  EXPECT_LT(left_of_panel, first_box);
  EXPECT_LT(dots, whole_again);
  EXPECT_LT(whole_again, text_item(f, "joint displacement"));
  EXPECT_LT(whole_again, goal1);

  // Without a robot: no panel scissor, no figures, dots or goal marker.
  select_robot(*s, 'x');
  const FrameDescription none = describe_frame(*s);
  EXPECT_EQ(none.scissors.size(), 1u);  // the whole picture only: no curves either
  EXPECT_TRUE(none.boxes.empty());
  EXPECT_TRUE(none.rounds.empty());
  EXPECT_TRUE(none.dots.empty());
  EXPECT_EQ(text_item(none, "goal1"), -1);
}

TEST(FrameDescription, TextsStandWhereTheCaptionsBelongInTextGrey) {
  auto s = make_scenario('b', 'g');
  const FrameDescription f = describe_frame(*s);
  for (const Label& t : f.texts) {
    EXPECT_TRUE(same_colour(t.colour, Colour{kTextGrey, kTextGrey, kTextGrey, 1.0f})) << t.text;
  }
  const Label& title = text(f, "Time optimal control : Comparison with PID control");
  EXPECT_EQ(title.x, -0.99f);
  EXPECT_EQ(title.y, 0.95f);
  EXPECT_EQ(title.font, TextFont::Helvetica18);
  EXPECT_EQ(text(f, "(b) SCARA robot").y, 0.9f);
  EXPECT_EQ(text(f, "Vertical motion").x, static_cast<float>(-0.95 + 0.05));
  EXPECT_EQ(text(f, "(030,030)\n").x, static_cast<float>(-0.95 + 0.55));
  EXPECT_EQ(text_item(f, "(a) Cylindrical coordinate robot"), -1);
  EXPECT_EQ(text_item(f, "Horizontal motion"), -1);
  // The title, captions and readout come one after another: one draw.
  const int first = text_item(f, "Time optimal control : Comparison with PID control");
  for (int k = first; k < first + 9; ++k) EXPECT_EQ(f.items[k].kind, ItemKind::Text) << k;
  EXPECT_NE(f.items[first + 9].kind, ItemKind::Text);
  // The SCARA's torque titles stand lower than the cylindrical robot's.
  const Label& scara_title = text(f, "Torque(1)");
  EXPECT_EQ(scara_title.y, static_cast<float>(s->layout.torque1_graph_origin[1] - 0.1));
  select_robot(*s, 'a');
  EXPECT_EQ(text(describe_frame(*s), "Torque(1)").y,
            static_cast<float>(s->layout.torque1_graph_origin[1] - 0.05));
}

TEST(FrameDescription, ReadoutFollowsTheShownSample) {
  auto s = make_scenario('a', 'h');
  s->frame_index = 60;
  const FrameDescription f = describe_frame(*s);
  const std::string line = playback_readout(60 * s->dt, 60, 200, 0, false);
  const Label& readout = text(f, line);
  EXPECT_EQ(readout.x, -0.9f);
  EXPECT_EQ(readout.y, 0.6f);
  EXPECT_NE(line.find("60/200"), std::string::npos);
}

TEST(FrameDescription, SecondsLabelAndTicksFollowTheSampleTime) {
  auto s = make_scenario('a', 'h');
  for (double dt : {4.0 / 200, 8.0 / 200, 0.03}) {
    s->dt = dt;
    const FrameDescription f = describe_frame(*s);
    const TimeTicks t = time_ticks(dt, 200, s->layout.graph_width);
    const std::string digit(1, static_cast<char>('0' + t.label));
    // The digit left of the last tick and "s" at it, on each of the three graphs.
    int labels = 0;
    for (const Label& l : f.texts) {
      if (l.text == digit + "\n") {
        EXPECT_EQ(l.x, static_cast<float>(0.4 + t.label_x - 0.02)) << dt;
        ++labels;
      }
    }
    EXPECT_EQ(labels, 3) << dt;
    // Ticks 0.02 high on each axis at every whole second, the last one twice
    // (once more after the label, over its text).
    for (int i = 1; i <= t.count; ++i) {
      const double x = 0.4 + i * t.step;
      EXPECT_EQ(verticals_at(f, x, colour_red), i == t.count ? 6 : 3) << dt << " " << i;
    }
  }
}

TEST(FrameDescription, PositioningTimeMarkersStandAtTheirTimes) {
  auto s = make_scenario('b', 'h');
  s->tfm = 2.5;
  s->scara_run.tt[3] = 1.0;
  const FrameDescription f = describe_frame(*s);
  const double span = 200 * s->dt;
  EXPECT_EQ(verticals_at(f, 0.4 + 0.5 * 2.5 / span, colour_red), 1);
  EXPECT_EQ(verticals_at(f, 0.4 + 0.5 * 1.0 / span, colour_blue), 1);
  // A time that is not a number has no marker; no robot, no blue marker.
  s->tfm = kNaN;
  EXPECT_EQ(verticals_at(describe_frame(*s), 0.4 + 0.5 * 2.5 / span, colour_red), 0);
  s->tfm = 2.5;
  select_robot(*s, 'x');
  const FrameDescription none = describe_frame(*s);
  EXPECT_EQ(verticals_at(none, 0.4 + 0.5 * 2.5 / span, colour_red), 1);
  EXPECT_EQ(verticals_at(none, 0.4 + 0.5 * 1.0 / span, colour_blue), 0);
}

// Both runs of the cylindrical robot: feedback joint 1 rising 0 .. 1, joint 2
// at 2 - v, the time-optimal run ahead of it; torques of both joints.
std::unique_ptr<Scenario> moving(int shown) {
  auto s = make_scenario('a', 'h');
  for (int i = 0; i < kRecordCapacity; ++i) {
    const double v = std::min(i, 200) / 200.0;
    s->cyl_run.fb_phi[i][0] = v;
    s->cyl_run.fb_phi[i][1] = 2.0 - v;
    s->cyl_run.toc_phi[i][0] = std::sqrt(v);
    s->cyl_run.toc_phi[i][1] = 1.5;
    s->cyl_run.fb_tau[i][0] = 0.5 * v;
    s->cyl_run.toc_tau[i][0] = 1.0;
    s->cyl_run.fb_tau[i][1] = -v;
    s->cyl_run.toc_tau[i][1] = -2.0;
  }
  s->cyl.Phif[0] = 1.0;
  s->cyl.Phif[1] = 1.0;
  s->cyl.tau1max_h = 1.0;
  s->cyl.tau2max_h = 4.0;
  s->frame_index = shown;
  update_graph_scales(*s, *s, s->layout);
  return s;
}

TEST(FrameDescription, DisplacementCurvesAreTheRecordsOnTheirScale) {
  auto s = moving(80);
  const FrameDescription f = describe_frame(*s);
  const std::vector<const Lines*> c = curves(f);
  ASSERT_EQ(c.size(), 3u);  // displacement, torque 1, torque 2
  const Lines& disp = *c[0];
  ASSERT_EQ(disp.segments.size(), 4u * 80);
  const double lowest = s->cyl_run.scales.displacement_min;
  const double sigma = s->cyl_run.scales.displacement_per_unit;
  EXPECT_DOUBLE_EQ(lowest, 0.0);
  EXPECT_DOUBLE_EQ(sigma, 0.4 / 2.0);
  // Sample i: feedback joints 1 and 2 in red, then the time-optimal ones in blue.
  for (int i : {1, 40, 80}) {
    const Segment* seg = &disp.segments[4 * (i - 1)];
    const double x0 = 0.4 + (i - 1) * 0.5 / 200, x1 = 0.4 + i * 0.5 / 200;
    const double want[4] = {s->cyl_run.fb_phi[i][0], s->cyl_run.fb_phi[i][1], s->cyl_run.toc_phi[i][0],
                            s->cyl_run.toc_phi[i][1]};
    for (int k = 0; k < 4; ++k) {
      EXPECT_DOUBLE_EQ(seg[k].a.x, x0);
      EXPECT_DOUBLE_EQ(seg[k].b.x, x1);
      EXPECT_DOUBLE_EQ(seg[k].b.y, 0.5 + (want[k] - lowest) * sigma) << i << " " << k;
      EXPECT_TRUE(same_colour(seg[k].colour, k < 2 ? colour_red : colour_blue));
    }
  }
  // Kept to the displacement panel, the whole picture again after.
  const int at = lines_item(f, static_cast<std::size_t>(c[0] - f.lines.data()));
  ASSERT_GT(at, 0);
  ASSERT_EQ(f.items[at - 1].kind, ItemKind::Scissor);
  EXPECT_TRUE(same_rect(f.scissors[f.items[at - 1].index], displacement_panel(s->layout)));
  ASSERT_EQ(f.items[at + 1].kind, ItemKind::Scissor);
  EXPECT_TRUE(same_rect(f.scissors[f.items[at + 1].index], kWholePicture));
  // The goal lines at the goals' heights, goal1's label above it.
  const double goal_y = 0.5 + (1.0 - lowest) * sigma;
  EXPECT_EQ(text(f, "goal1").y, static_cast<float>(goal_y + 0.01));
  EXPECT_EQ(text(f, "goal1").font, TextFont::Helvetica12);
}

TEST(FrameDescription, TorqueCurvesUseTheLimitOfEachJoint) {
  auto s = moving(150);
  FrameDescription f = describe_frame(*s);
  std::vector<const Lines*> c = curves(f);
  ASSERT_EQ(c.size(), 3u);
  for (int j = 0; j < 2; ++j) {
    const Lines& tau = *c[1 + j];
    ASSERT_EQ(tau.segments.size(), 2u * 150);
    const double oy = j == 0 ? 0.1 : -0.6;
    const double sigma = 0.25 / (j == 0 ? 1.0 : 4.0);
    const Segment& fb = tau.segments[2 * 99];
    const Segment& toc = tau.segments[2 * 99 + 1];
    EXPECT_DOUBLE_EQ(fb.b.y, oy + s->cyl_run.fb_tau[100][j] * sigma);
    EXPECT_DOUBLE_EQ(toc.b.y, oy + s->cyl_run.toc_tau[100][j] * sigma);
    EXPECT_TRUE(same_colour(fb.colour, colour_red));
    EXPECT_TRUE(same_colour(toc.colour, colour_blue));
    const int at = lines_item(f, static_cast<std::size_t>(c[1 + j] - f.lines.data()));
    EXPECT_TRUE(same_rect(f.scissors[f.items[at - 1].index], torque_panel(s->layout, j)));
  }
  // A limit of 0 leaves that joint's curves and their scissor out, but not the other's.
  s->cyl.tau2max_h = 0.0;
  update_graph_scales(*s, *s, s->layout);
  f = describe_frame(*s);
  c = curves(f);
  ASSERT_EQ(c.size(), 2u);
  EXPECT_EQ(c[1]->segments.size(), 2u * 150);
  int torque2_scissors = 0;
  for (const DrawingRect& r : f.scissors)
    torque2_scissors += same_rect(r, torque_panel(s->layout, 1));
  EXPECT_EQ(torque2_scissors, 0);
  // The limit lines and labels stay.
  EXPECT_GE(text_item(f, "T2max"), 0);
}

TEST(FrameDescription, CurvesLeaveOutSamplesThatAreNotNumbersAndStopAtTheRecord) {
  auto s = moving(200);
  s->cyl_run.toc_phi[50][0] = kNaN;
  FrameDescription f = describe_frame(*s);
  // The two segments that end or start at the sample are left out.
  EXPECT_EQ(curves(f)[0]->segments.size(), 4u * 200 - 2);
  // A shown sample beyond the record is the record's last one.
  s->frame_index = 100000;
  s->frame_count = 1000;
  f = describe_frame(*s);
  EXPECT_EQ(curves(f)[0]->segments.size(), 4u * (kRecordCapacity - 1) - 2);
  EXPECT_EQ(f.dots[0].size(), 2u * kRecordCapacity);
}

TEST(FrameDescription, LineWidthsAreThoseTheDrawingLeavesBehind) {
  auto s = make_scenario('a', 'h');
  const FrameDescription f = describe_frame(*s);
  // The grid: centre lines 2 pixels wide, the others 1, placed about the base.
  ASSERT_GE(f.lines.size(), 2u);
  EXPECT_TRUE(f.lines[0].placed && f.lines[1].placed);
  EXPECT_EQ(f.lines[0].width, 2.0f);
  EXPECT_EQ(f.lines[1].width, 1.0f);
  EXPECT_EQ(f.lines[0].segments.size(), 2u);
  EXPECT_EQ(f.lines[1].segments.size(), 4u * 20);
  EXPECT_DOUBLE_EQ(f.lines[0].origin.x, -0.5);
  // The first figure's outlines before its fingers are 1 pixel wide (what the
  // grid left), all later ones 2 (what the fingers left).
  ASSERT_EQ(f.boxes.size(), 8u);  // beam, block, wrist, piece of each figure
  EXPECT_EQ(f.boxes[0].width, 1.0f);
  EXPECT_EQ(f.boxes[1].width, 1.0f);
  EXPECT_EQ(f.boxes[2].width, 1.0f);
  for (std::size_t i = 3; i < f.boxes.size(); ++i) EXPECT_EQ(f.boxes[i].width, 2.0f) << i;
  // Axes 2.4 pixels, ticks and limit lines 2, curves 3.2.
  int axes = 0, thin = 0;
  for (const Lines& l : f.lines) {
    if (l.placed) continue;
    axes += l.width == line_pixels(0.006);
    thin += l.width == 2.0f;
  }
  EXPECT_GE(axes, 6);
  EXPECT_GE(thin, 6);
}

TEST(FrameDescription, CylindricalFigureFollowsItsJointValues) {
  auto s = make_scenario('a', 'h');
  s->view_scale = 0.9;
  const double theta = 0.7, r = 0.6;
  for (int i = 0; i < kRecordCapacity; ++i) {
    s->cyl_run.toc_phi[i][0] = theta;
    s->cyl_run.toc_phi[i][1] = r;
  }
  const FrameDescription f = describe_frame(*s);
  // The blue figure's red tip dot at view_scale x (base + r (cos, sin)).
  const Round& tip = f.rounds[f.rounds.size() - 2];  // before the goal marker
  EXPECT_TRUE(tip.filled && !tip.half);
  EXPECT_TRUE(same_colour(tip.colour, colour_red));
  EXPECT_DOUBLE_EQ(tip.centre.x, 0.9 * (-0.5 + r * std::cos(theta)));
  EXPECT_DOUBLE_EQ(tip.centre.y, 0.9 * (-0.5 + r * std::sin(theta)));
  EXPECT_DOUBLE_EQ(tip.r, 0.9 * 0.005);
  // Boxes turn with theta; the red figure (all joints 0) comes first.
  EXPECT_EQ(f.boxes[0].angle, 0.0);
  EXPECT_TRUE(same_colour(f.boxes[0].outline, colour_red));
  EXPECT_EQ(f.boxes[4].angle, theta);
  EXPECT_TRUE(same_colour(f.boxes[4].outline, colour_blue));
  EXPECT_TRUE(same_colour(f.boxes[4].fill, colour_white));
  // The goal marker last of the rounds, then the path dots.
  const Round& goal = f.rounds.back();
  EXPECT_DOUBLE_EQ(goal.centre.x, 0.9 * (-0.5 + s->xf));
  EXPECT_DOUBLE_EQ(goal.r, 0.9 * 0.01);
  EXPECT_TRUE(same_colour(goal.colour, colour_blue));
}

TEST(FrameDescription, ScaraFigureHasRoundedLinksAndRingedJoints) {
  auto s = make_scenario('b', 'h');
  for (int i = 0; i < kRecordCapacity; ++i) {
    s->scara_run.toc_phi[i][0] = kPi / 2;
    s->scara_run.toc_phi[i][1] = kPi / 2;
  }
  const FrameDescription f = describe_frame(*s);
  // Per figure: link 1 (2 half discs, 2 half circles, disc, circle, hub
  // disc), hand (tip dot), link 2 (half disc, half circle, disc, circle,
  // hub ring); the goal marker after both.
  ASSERT_EQ(f.rounds.size(), 2u * (7 + 1 + 5) + 1);
  int halves = 0;
  for (const Round& r : f.rounds) halves += r.half;
  EXPECT_EQ(halves, 2 * 6);
  // Blue link 2 joint at the elbow, straight above the base.
  const Round& elbow = f.rounds[13 + 8 + 2];
  EXPECT_TRUE(elbow.filled);
  EXPECT_TRUE(same_colour(elbow.colour, colour_white));
  EXPECT_NEAR(elbow.centre.x, -0.5, 1e-12);
  EXPECT_NEAR(elbow.centre.y, -0.5 + s->layout.l1_draw, 1e-12);
  EXPECT_DOUBLE_EQ(elbow.r, s->layout.joint2_radius);
}

TEST(FrameDescription, PathDotsGrowWithTheShownSample) {
  auto s = make_scenario('a', 'h');
  s->view_scale = 1.0 / 0.9;
  for (int i = 0; i < kRecordCapacity; ++i) {
    s->cyl_run.fb_tip[i][0] = 0.01 * i;
    s->cyl_run.toc_tip[i][1] = -0.01 * i;
  }
  for (int shown : {0, 7, 200}) {
    s->frame_index = shown;
    const FrameDescription f = describe_frame(*s);
    ASSERT_EQ(f.dots.size(), 1u);
    const std::vector<Dot>& d = f.dots[0];
    ASSERT_EQ(d.size(), 2u * (shown + 1));
    for (int i = 0; i <= shown; ++i) {
      EXPECT_DOUBLE_EQ(d[2 * i].centre.x, s->view_scale * (-0.5 + 0.01 * i));
      EXPECT_TRUE(same_colour(d[2 * i].colour, colour_red));
      EXPECT_DOUBLE_EQ(d[2 * i + 1].centre.y, s->view_scale * (-0.5 - 0.01 * i));
      EXPECT_TRUE(same_colour(d[2 * i + 1].colour, colour_blue));
      EXPECT_DOUBLE_EQ(d[2 * i].r, s->view_scale * kPathDotRadius);
    }
  }
}

TEST(FrameDescription, DescribingLeavesTheScenarioAsItWas) {
  auto s = moving(120);
  auto before = std::make_unique<Scenario>(*s);
  const FrameDescription f = describe_frame(*s);
  EXPECT_GT(f.items.size(), 50u);
  EXPECT_EQ(std::memcmp(s.get(), before.get(), sizeof(Scenario)), 0);
  // The same state describes the same frame.
  const FrameDescription again = describe_frame(*s);
  EXPECT_EQ(kinds(again), kinds(f));
  EXPECT_EQ(again.texts.size(), f.texts.size());
}

TEST(FrameParts, SegmentsOfOneWidthInARowShareALinesItem) {
  FrameDescription f;
  const Point o{0.0, 0.0}, p{0.5, 0.5};
  f.segment(o, p, colour_red, 2.0f);
  f.segment(p, o, colour_blue, 2.0f);  // another colour, the same draw
  f.segment(o, p, colour_red, 3.0f);   // another width: a new item
  f.text(TextFont::Helvetica18, 0.0, 0.0, "x");
  f.segment(o, p, colour_red, 3.0f);  // after something else: a new item
  Lines& grid = f.new_lines(3.0f);
  grid.placed = true;
  f.segment(o, p, colour_red, 3.0f);  // never into placed lines
  ASSERT_EQ(f.lines.size(), 5u);
  EXPECT_EQ(f.lines[0].segments.size(), 2u);
  EXPECT_TRUE(same_colour(f.lines[0].segments[1].colour, colour_blue));
  EXPECT_EQ(f.lines[1].segments.size(), 1u);
  EXPECT_EQ(f.lines[2].segments.size(), 1u);
  EXPECT_TRUE(f.lines[3].segments.empty());
  EXPECT_EQ(f.lines[4].segments.size(), 1u);
  EXPECT_EQ(kinds(f), (std::vector<ItemKind>{ItemKind::Lines, ItemKind::Lines, ItemKind::Text,
                                             ItemKind::Lines, ItemKind::Lines, ItemKind::Lines}));
}

TEST(FrameParts, TextsNeedAPositionThatIsANumberAsAFloat) {
  FrameDescription f;
  f.text(TextFont::Helvetica12, 0.25, -0.5, "kept");
  f.text(TextFont::Helvetica12, kNaN, 0.0, "no x");
  f.text(TextFont::Helvetica12, 0.0, 1e39, "beyond float");
  f.text(TextFont::Helvetica12, 1e30, 0.0, "far, but a float");
  ASSERT_EQ(f.texts.size(), 2u);
  EXPECT_EQ(f.texts[0].x, 0.25f);
  EXPECT_EQ(f.texts[0].y, -0.5f);
  EXPECT_EQ(f.texts[1].text, "far, but a float");
  EXPECT_EQ(count(f, ItemKind::Text), 2);
}

TEST(FrameParts, SketchKeepsTheWidthOpenGLWouldHaveLeft) {
  FrameDescription f;
  Sketch sk{f, 1.0f};
  sk.boxed_rect(Point{0.0, 0.0}, 0.1, 0.1, 0.0, colour_white, colour_red);
  sk.outline_circle(Point{0.0, 0.0}, 0.1, colour_red);
  const Point bars[2][2] = {{{0.0, 0.0}, {0.1, 0.0}}, {{0.0, 0.1}, {0.1, 0.1}}};
  sk.wide_lines(bars, 2, 0.01, colour_blue);  // 4 pixels, then 2 is left
  sk.outline_half_circle(Point{0.0, 0.0}, 0.1, 0.5, colour_red);
  sk.fill_half_disc(Point{0.0, 0.0}, 0.1, 0.5, colour_white);
  ASSERT_EQ(f.boxes.size(), 1u);
  EXPECT_EQ(f.boxes[0].width, 1.0f);
  EXPECT_TRUE(f.boxes[0].filled && f.boxes[0].outlined);
  ASSERT_EQ(f.rounds.size(), 3u);
  EXPECT_EQ(f.rounds[0].width, 1.0f);
  EXPECT_FALSE(f.rounds[0].filled);
  EXPECT_EQ(f.rounds[1].width, 2.0f);
  EXPECT_TRUE(f.rounds[1].half);
  EXPECT_DOUBLE_EQ(f.rounds[1].start, 0.5);
  EXPECT_TRUE(f.rounds[2].filled && f.rounds[2].half);
  ASSERT_EQ(f.lines.size(), 1u);
  EXPECT_EQ(f.lines[0].width, line_pixels(0.01));
  EXPECT_EQ(f.lines[0].segments.size(), 2u);
  EXPECT_EQ(sk.line_width, 2.0f);
}

}  // namespace

namespace {

// After a change made in the window the replaced time-optimal path is drawn
// as faint dots under the figures; without one the frame is as it always was.
TEST(FrameDescription, GhostPathUnderTheFiguresOnlyWhenThereIsOne) {
  auto s = viewtest::make_scenario('a', 'h');
  const FrameDescription plain = describe_frame(*s);
  ASSERT_EQ(plain.dots.size(), 1u);

  const RobotRun& rec = s->cyl_run;
  s->ghost_points = s->frame_count + 1;
  for (int i = 0; i < s->ghost_points; ++i) {
    s->ghost_tip[i][0] = rec.toc_tip[i][0] + 0.05;
    s->ghost_tip[i][1] = rec.toc_tip[i][1];
  }
  const FrameDescription f = describe_frame(*s);
  ASSERT_EQ(f.dots.size(), 2u);
  const std::vector<Dot>& ghost = f.dots[0];
  ASSERT_EQ(ghost.size(), static_cast<std::size_t>(s->ghost_points));
  for (const Dot& d : ghost) EXPECT_TRUE(same_colour(d.colour, colour_ghost));
  // Placed as the tip paths are: the same point, the same place.
  EXPECT_DOUBLE_EQ(ghost[7].centre.x, path_dot(*s, s->ghost_tip[7]).x);
  // Before the first figure's shapes, so that the motion shown stands on it.
  int ghost_item = -1, first_box = -1;
  for (std::size_t k = 0; k < f.items.size(); ++k) {
    if (f.items[k].kind == ItemKind::Dots && f.items[k].index == 0) ghost_item = static_cast<int>(k);
    if (f.items[k].kind == ItemKind::Box && first_box < 0) first_box = static_cast<int>(k);
  }
  EXPECT_LT(ghost_item, first_box);
  EXPECT_EQ(f.items.size(), plain.items.size() + 1);
}

}  // namespace
