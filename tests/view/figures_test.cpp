// The robot area: grid, both robot figures at their postures, goal marker,
// tip paths, the panel in front of the graphs, and the zoom.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "robot/graph_scales.h"
#include "view/describe_frame.h"
#include "view/figures.h"
#include "view/frame.h"
#include "frame_query.h"
#include "view_harness.h"

namespace {

using namespace viewtest;

constexpr double kPi = 3.14159265358979;

class RobotArea : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { window(); }
};

// All samples of a run at one posture, with the matching cylindrical tip path.
void hold_cyl(double phi[][2], double tip[][2], double theta, double r) {
  for (int i = 0; i < kRecordCapacity; ++i) {
    phi[i][0] = theta;
    phi[i][1] = r;
    tip[i][0] = r * std::cos(theta);
    tip[i][1] = r * std::sin(theta);
  }
}

bool is_blue_or_red(const Rgb& c) { return is_blue(c) || is_red(c); }

TEST_F(RobotArea, GridRunsThroughTheRobotBaseEveryTenthOfAMetre) {
  auto s = make_scenario('a', 'h');
  hold_cyl(s->cyl_run.fb_phi, s->cyl_run.fb_tip, kPi / 2, 0.3);
  hold_cyl(s->cyl_run.toc_phi, s->cyl_run.toc_tip, kPi / 2, 0.3);
  const Image im = render(*s);
  const int row = pixel_of(0.3);  // above the upright figure, below the text
  // The lines through the base (x = -0.5, pixel 200) are 2 pixels wide.
  EXPECT_EQ(im.count(195, row, 205, row, is_black), 2);
  EXPECT_TRUE(is_black(im.at(199, row)) && is_black(im.at(200, row)));
  EXPECT_EQ(im.count(pixel_of(-0.95), 195, pixel_of(-0.95), 205, is_black), 2);
  EXPECT_TRUE(is_black(im.at(pixel_of(-0.95), 199)) && is_black(im.at(pixel_of(-0.95), 200)));
  // The others are 1 pixel wide, 40 pixels apart, to the window edges.
  for (double x : {-0.9, -0.8, -0.4, -0.1, 0.0, 0.3}) {
    EXPECT_EQ(im.count(pixel_of(x) - 3, row, pixel_of(x) + 3, row, is_black), 1) << x;
  }
  for (double y : {-0.9, -0.6, -0.2, 0.2}) {
    EXPECT_EQ(im.count(20, pixel_of(y) - 3, 20, pixel_of(y) + 3, is_black), 1) << y;
  }
  // Between the lines the background is white.
  EXPECT_TRUE(is_white(im.at(pixel_of(-0.95), pixel_of(-0.95))));
  EXPECT_TRUE(is_white(im.at(pixel_of(-0.15), pixel_of(-0.35))));
  EXPECT_TRUE(is_white(im.at(pixel_of(-0.97), pixel_of(-0.97))));
}

TEST(RobotAreaDescription, GridShrinksTowardTheWindowCentreWithTheZoom) {
  for (double vs : {1.0, 0.9, 1.0 / 0.9}) {
    FrameDescription f;
    Sketch sk{f, 2.0f};
    describe_grid(sk, Point{vs * -0.5, vs * -0.5}, 0.0, 20, 0.1 * vs, 0.1 * vs);
    ASSERT_EQ(f.lines.size(), 2u);
    // Laid out about vs x base, spacing 0.1 vs, 20 lines each way of it.
    for (const Lines& l : f.lines) {
      EXPECT_TRUE(l.placed);
      EXPECT_DOUBLE_EQ(l.origin.x, vs * -0.5);
      EXPECT_DOUBLE_EQ(l.origin.y, vs * -0.5);
      EXPECT_EQ(l.angle_deg, 0.0);
      for (const Segment& seg : l.segments) EXPECT_TRUE(same_colour(seg.colour, colour_black));
    }
    EXPECT_EQ(f.lines[0].width, 2.0f);
    EXPECT_EQ(f.lines[1].width, 1.0f);
    const Segment& vertical = f.lines[1].segments[0];  // i = -20
    EXPECT_DOUBLE_EQ(vertical.a.x, -20 * 0.1 * vs);
    EXPECT_DOUBLE_EQ(vertical.a.y, -20 * 0.1 * vs);
    EXPECT_DOUBLE_EQ(vertical.b.y, 20 * 0.1 * vs);
    // Through the centre: one line each way, from edge to edge of the grid.
    EXPECT_EQ(f.lines[0].segments.size(), 2u);
    EXPECT_EQ(f.lines[0].segments[0].a.x, 0.0);
    EXPECT_EQ(f.lines[0].segments[1].a.y, 0.0);
    EXPECT_EQ(f.lines[1].segments.size(), 80u);
    // The grid leaves the width at 1 pixel for what follows.
    EXPECT_EQ(sk.line_width, 1.0f);
  }
}

TEST_F(RobotArea, CylindricalRobotFigureFollowsItsJointValues) {
  auto s = make_scenario('a', 'h');
  const double phi[2] = {0.0, 0.6};  // arm along +x, tip at (0.1, -0.5)
  const Image im = render_sketch([&](Sketch& sk) { describe_cyl_robot(sk, *s, phi, colour_blue); });

  // Sliding beam from r - 1.0 to r - 0.12 along the axis, 0.044 wide.
  EXPECT_GT(im.near(-0.8, -0.478, 1, is_blue), 0);
  EXPECT_GT(im.near(-0.8, -0.522, 1, is_blue), 0);
  EXPECT_TRUE(is_white(im.at(pixel_of(-0.8), pixel_of(-0.5))));
  EXPECT_GT(im.near(-0.9, -0.5, 1, is_blue), 0);
  EXPECT_EQ(im.near(-0.93, -0.5, 3, is_blue), 0);
  // Base block 0.2 x 0.15 centred on joint 1, joint ring and filled hub.
  EXPECT_GT(im.near(-0.6, -0.55, 1, is_blue), 0);
  EXPECT_GT(im.near(-0.45, -0.425, 1, is_blue), 0);
  EXPECT_GT(im.near(-0.44, -0.5, 1, is_blue), 0);
  EXPECT_TRUE(is_white(im.at(pixel_of(-0.449), pixel_of(-0.5))));
  EXPECT_EQ(im.near(-0.5, -0.5, 8, is_blue), 17 * 17);
  // Hand: wrist block behind the tip, cross bar, two fingers, work piece.
  EXPECT_GT(im.near(-0.02, -0.5, 1, is_blue), 0);   // back of the wrist
  EXPECT_GT(im.near(0.01, -0.55, 1, is_blue), 0);   // cross bar
  EXPECT_GT(im.near(0.09, -0.567, 1, is_blue), 0);  // fingers
  EXPECT_GT(im.near(0.09, -0.433, 1, is_blue), 0);
  EXPECT_EQ(im.near(0.115, -0.567, 1, is_blue), 0);  // they end just past the tip
  EXPECT_GT(im.near(0.05, -0.5, 1, is_blue), 0);    // work piece, 0.1 x 0.12 on the tip
  EXPECT_GT(im.near(0.15, -0.5, 1, is_blue), 0);
  EXPECT_GT(im.near(0.1, -0.44, 1, is_blue), 0);
  EXPECT_GT(im.near(0.1, -0.56, 1, is_blue), 0);
  EXPECT_TRUE(is_white(im.at(pixel_of(0.075), pixel_of(-0.48))));
  // The tip dot is red whatever the run's colour.
  EXPECT_GE(im.near(0.1, -0.5, 1, is_red), 8);
  EXPECT_EQ(im.near(0.1, -0.5, 5, is_red), im.near(0.1, -0.5, 3, is_red));

  // A quarter turn stands the arm upright over the base.
  const double up[2] = {kPi / 2, 0.6};
  const Image turned =
      render_sketch([&](Sketch& sk) { describe_cyl_robot(sk, *s, up, colour_red); });
  EXPECT_GE(turned.near(-0.5, 0.1, 1, is_red), 8);
  EXPECT_GT(turned.near(-0.478, -0.8, 1, is_red), 0);
  EXPECT_GT(turned.near(-0.522, -0.8, 1, is_red), 0);
  EXPECT_EQ(turned.near(-0.8, -0.5, 5, is_red), 0);
}

TEST_F(RobotArea, ScaraRobotFigureFollowsItsJointAngles) {
  auto s = make_scenario('b', 'h');
  // Link 1 straight up to the elbow at (-0.5, 0), link 2 back along -x.
  const double phi[2] = {kPi / 2, kPi / 2};
  const Image im =
      render_sketch([&](Sketch& sk) { describe_scara_robot(sk, *s, phi, colour_blue); });

  EXPECT_EQ(im.near(-0.5, -0.5, 8, is_blue), 17 * 17);  // filled hub of joint 1
  EXPECT_GT(im.near(-0.44, -0.5, 1, is_blue), 0);       // joint-1 ring
  EXPECT_GT(im.near(-0.52, -0.25, 1, is_blue), 0);      // link 1, 0.04 wide
  EXPECT_GT(im.near(-0.48, -0.25, 1, is_blue), 0);
  EXPECT_TRUE(is_white(im.at(pixel_of(-0.5), pixel_of(-0.25))));
  // Elbow: white joint with an outer ring and a hub ring.
  EXPECT_TRUE(is_white(im.at(pixel_of(-0.5), pixel_of(0.0))));
  EXPECT_GT(im.near(-0.44, 0.0, 1, is_blue), 0);
  EXPECT_GT(im.near(-0.5, 0.042, 1, is_blue), 0);
  EXPECT_TRUE(is_white(im.at(pixel_of(-0.5), pixel_of(-0.051))));
  // Link 2 body along -x up to the hand.
  EXPECT_GT(im.near(-0.65, 0.02, 1, is_blue), 0);
  EXPECT_GT(im.near(-0.65, -0.02, 1, is_blue), 0);
  EXPECT_TRUE(is_white(im.at(pixel_of(-0.65), pixel_of(0.0))));
  // Tip 0.4 from the elbow: red dot, work piece around it.
  EXPECT_GE(im.near(-0.9, 0.0, 1, is_red), 8);
  EXPECT_GT(im.near(-0.9, 0.06, 1, is_blue), 0);
  EXPECT_GT(im.near(-0.95, 0.0, 1, is_blue), 0);

  // With theta2 = 0 link 2 continues link 1 upward.
  const double straight[2] = {kPi / 2, 0.0};
  const Image st =
      render_sketch([&](Sketch& sk) { describe_scara_robot(sk, *s, straight, colour_blue); });
  EXPECT_GE(st.near(-0.5, 0.4, 1, is_red), 8);
  EXPECT_GT(st.near(-0.52, 0.15, 1, is_blue), 0);
  EXPECT_GT(st.near(-0.48, 0.15, 1, is_blue), 0);
  EXPECT_EQ(st.near(-0.65, 0.0, 3, is_blue), 0);
}

TEST_F(RobotArea, SharedPostureShowsOnlyTheBlueFigure) {
  auto s = make_scenario('a', 'h');
  hold_cyl(s->cyl_run.fb_phi, s->cyl_run.fb_tip, 0.0, 0.6);
  hold_cyl(s->cyl_run.toc_phi, s->cyl_run.toc_tip, 0.0, 0.6);
  s->xf = 0.0;
  s->yf = 0.8;
  s->frame_index = 0;
  const Image im = render(*s);
  // The red figure would show hundreds of pixels; the red tip dot lies under
  // the blue path dot (a rasterizer may leave a pixel of it at the rim).
  const int area_right = pixel_of(0.35) - 1;
  EXPECT_LE(im.count(0, 0, area_right, kSize - 1, is_red), 8);
  EXPECT_GT(im.count(0, 0, area_right, kSize - 1, is_blue), 1000);
  // Sample 0: one path dot, blue over red, on the tip.
  EXPECT_EQ(im.near(0.1, -0.5, 1, is_blue), 9);

  // The same for the SCARA robot, with the tip paths on its tip.
  auto b = make_scenario('b', 'h');
  for (int i = 0; i < kRecordCapacity; ++i) {
    b->scara_run.fb_phi[i][0] = b->scara_run.toc_phi[i][0] = 0.3;
    b->scara_run.fb_phi[i][1] = b->scara_run.toc_phi[i][1] = 1.2;
    b->scara_run.fb_tip[i][0] = b->scara_run.toc_tip[i][0] = 0.5 * std::cos(0.3) + 0.4 * std::cos(1.5);
    b->scara_run.fb_tip[i][1] = b->scara_run.toc_tip[i][1] = 0.5 * std::sin(0.3) + 0.4 * std::sin(1.5);
  }
  const Image bi = render(*b);
  EXPECT_LE(bi.count(0, 0, area_right, kSize - 1, is_red), 8);
  EXPECT_GT(bi.count(0, 0, area_right, kSize - 1, is_blue), 1000);
}

TEST(RobotAreaDescription, DifferentPosturesPutTheBlueFigureOverTheRed) {
  auto s = make_scenario('a', 'h');
  hold_cyl(s->cyl_run.fb_phi, s->cyl_run.fb_tip, kPi / 2, 0.6);  // feedback: upright
  hold_cyl(s->cyl_run.toc_phi, s->cyl_run.toc_tip, 0.0, 0.6);    // time-optimal: along +x
  s->cyl_run.fb_phi[0][0] = s->cyl_run.toc_phi[0][0] = 0.0;      // both start along +x
  s->frame_index = 50;
  s->xf = 0.2;  // the goal marker away from the base
  s->yf = 0.9;
  const FrameDescription f = describe_frame(*s);
  ASSERT_EQ(f.boxes.size(), 8u);
  // Beam, block, wrist and piece of the red figure, upright, then the blue one along +x.
  for (int k = 0; k < 4; ++k) {
    EXPECT_TRUE(same_colour(f.boxes[k].outline, colour_red)) << k;
    EXPECT_EQ(f.boxes[k].angle, kPi / 2) << k;
    EXPECT_TRUE(same_colour(f.boxes[4 + k].outline, colour_blue)) << k;
    EXPECT_EQ(f.boxes[4 + k].angle, 0.0) << k;
  }
  // The red beam's corner right of the base's axis, the blue one's below its top edge.
  const double half_width = s->layout.cyl_arm_draw_width / 2.0;
  const double back = 0.6 - s->layout.cyl_arm_draw_len - s->layout.hand_len;
  EXPECT_NEAR(f.boxes[0].corner.x, -0.5 + half_width, 1e-12);
  EXPECT_NEAR(f.boxes[0].corner.y, -0.5 + back, 1e-12);
  EXPECT_NEAR(f.boxes[4].corner.x, -0.5 + back, 1e-12);
  EXPECT_NEAR(f.boxes[4].corner.y, -0.5 - half_width, 1e-12);
  // The hubs of joint 1 at the base, the blue one later.
  std::vector<std::size_t> hubs;
  for (std::size_t k = 0; k < f.rounds.size(); ++k)
    if (f.rounds[k].filled && near(f.rounds[k].centre.x, -0.5) && near(f.rounds[k].centre.y, -0.5))
      hubs.push_back(k);
  ASSERT_EQ(hubs.size(), 2u);
  EXPECT_TRUE(same_colour(f.rounds[hubs[0]].colour, colour_red));
  EXPECT_TRUE(same_colour(f.rounds[hubs[1]].colour, colour_blue));
}

TEST_F(RobotArea, PathDotsGrowWithTheDisplayedSample) {
  auto s = make_scenario('a', 'h');
  hold_cyl(s->cyl_run.fb_phi, s->cyl_run.fb_tip, kPi / 2, 0.3);
  hold_cyl(s->cyl_run.toc_phi, s->cyl_run.toc_tip, kPi / 2, 0.3);
  // Paths laid out on two rows below the figures, relative to joint 1.
  for (int i = 0; i <= 10; ++i) {
    s->cyl_run.fb_tip[i][0] = -0.3 + 0.05 * i;
    s->cyl_run.fb_tip[i][1] = -0.35;
    s->cyl_run.toc_tip[i][0] = -0.3 + 0.05 * i;
    s->cyl_run.toc_tip[i][1] = -0.25;
  }
  s->xf = 0.2;
  s->yf = 0.9;
  for (int shown : {0, 6, 10}) {
    s->frame_index = shown;
    const Image im = render(*s);
    for (int i = 0; i <= 10; ++i) {
      const double x = -0.8 + 0.05 * i;
      const bool drawn = i <= shown;
      EXPECT_EQ(im.near(x, -0.85, 1, is_red), drawn ? 9 : 0) << shown << " " << i;
      EXPECT_EQ(im.near(x, -0.75, 1, is_blue), drawn ? 9 : 0) << shown << " " << i;
      EXPECT_EQ(im.near(x, -0.85, 6, is_blue_or_red), drawn ? im.near(x, -0.85, 3, is_red) : 0);
    }
    // Goal marker: a blue dot of radius 0.01 at joint 1 + (xf, yf).
    EXPECT_EQ(im.near(-0.3, 0.4, 2, is_blue), 25);
    EXPECT_EQ(im.near(-0.3, 0.4, 8, is_blue), im.near(-0.3, 0.4, 5, is_blue));
  }
}

TEST_F(RobotArea, PanelBlanksTheRobotAreaRightOfTheGraphEdge) {
  auto s = make_scenario('a', 'h');
  hold_cyl(s->cyl_run.fb_phi, s->cyl_run.fb_tip, 0.0, 1.3);  // reaches to x = 0.8
  hold_cyl(s->cyl_run.toc_phi, s->cyl_run.toc_tip, 0.0, 1.3);
  s->xf = 1.3;
  s->yf = 0.0;
  const Image im = render(*s);
  // Left of x = 0.35 the beam shows, right of it nothing but the graphs.
  EXPECT_GT(im.near(0.2, -0.478, 1, is_blue), 0);
  EXPECT_EQ(im.count(pixel_of(0.355), pixel_of(-0.53), pixel_of(0.39), pixel_of(-0.47),
                     [](const Rgb& c) { return !is_white(c); }),
            0);
  EXPECT_EQ(im.count(pixel_of(0.41), pixel_of(-0.53), pixel_of(0.95), pixel_of(-0.47),
                     [](const Rgb& c) { return !is_white(c); }),
            0);
  // Grid lines stop at the panel too.
  EXPECT_EQ(im.count(pixel_of(0.5) - 3, pixel_of(-0.95), pixel_of(0.5) + 3, pixel_of(-0.95), is_black), 0);
  EXPECT_EQ(im.count(pixel_of(0.95), pixel_of(-0.5) - 3, pixel_of(0.95), pixel_of(-0.5) + 3, is_black), 0);
  EXPECT_EQ(im.count(pixel_of(0.3) - 3, pixel_of(-0.95), pixel_of(0.3) + 3, pixel_of(-0.95), is_black), 1);

  // Without a robot selected there is no figure and no panel.
  select_robot(*s, 'x');
  const Image none = render(*s);
  EXPECT_EQ(none.count(0, 0, pixel_of(0.35) - 1, kSize - 1, is_blue_or_red), 0);
  EXPECT_EQ(none.count(pixel_of(0.5) - 3, pixel_of(-0.95), pixel_of(0.5) + 3, pixel_of(-0.95), is_black), 1);
}

TEST(RobotAreaDescription, ZoomMovesTheRobotButNotTheGraphsOrText) {
  auto s = make_scenario('a', 'h');
  hold_cyl(s->cyl_run.fb_phi, s->cyl_run.fb_tip, 0.0, 0.6);
  hold_cyl(s->cyl_run.toc_phi, s->cyl_run.toc_tip, 0.0, 0.6);
  for (int i = 0; i < kRecordCapacity; ++i) s->cyl_run.toc_tau[i][0] = 0.5 * std::sin(0.05 * i);
  s->cyl.tau1max_h = 1.0;
  update_graph_scales(*s, *s, s->layout);
  s->frame_index = 120;
  const FrameDescription full = describe_frame(*s);
  s->view_scale = 0.9;
  const FrameDescription shrunk = describe_frame(*s);

  // Tip dot at 0.9 x (0.1, -0.5): toward the window centre, not toward the base.
  auto tip_of_blue = [](const FrameDescription& f) { return f.rounds[f.rounds.size() - 2]; };
  EXPECT_NEAR(tip_of_blue(full).centre.x, 0.1, 1e-12);
  EXPECT_NEAR(tip_of_blue(shrunk).centre.x, 0.09, 1e-12);
  EXPECT_NEAR(tip_of_blue(shrunk).centre.y, -0.45, 1e-12);
  EXPECT_NEAR(tip_of_blue(shrunk).r, 0.9 * tip_of_blue(full).r, 1e-15);
  // Every shape of the robot area scales about the window centre.
  ASSERT_EQ(shrunk.boxes.size(), full.boxes.size());
  for (std::size_t k = 0; k < full.boxes.size(); ++k) {
    EXPECT_NEAR(shrunk.boxes[k].corner.x, 0.9 * full.boxes[k].corner.x, 1e-12) << k;
    EXPECT_NEAR(shrunk.boxes[k].w, 0.9 * full.boxes[k].w, 1e-12) << k;
  }
  ASSERT_EQ(shrunk.dots.at(0).size(), full.dots.at(0).size());
  EXPECT_NEAR(shrunk.dots[0][7].centre.y, 0.9 * full.dots[0][7].centre.y, 1e-12);

  // The graphs and the texts are the same.
  ASSERT_EQ(shrunk.texts.size(), full.texts.size());
  for (std::size_t k = 0; k < full.texts.size(); ++k) {
    EXPECT_EQ(shrunk.texts[k].text, full.texts[k].text);
    EXPECT_EQ(shrunk.texts[k].x, full.texts[k].x);
    EXPECT_EQ(shrunk.texts[k].y, full.texts[k].y);
  }
  const std::vector<SegmentIn> a = segments(full), b = segments(shrunk);
  int graph_segments = 0;
  for (const SegmentIn& g : a) graph_segments += g.s.a.x >= 0.4;
  EXPECT_GT(graph_segments, 4 * 120);
  ASSERT_EQ(a.size(), b.size());  // the fingers are the only other segments
  for (std::size_t k = 0; k < a.size(); ++k) {
    if (a[k].s.a.x < 0.4) continue;
    EXPECT_EQ(a[k].s.a.x, b[k].s.a.x);
    EXPECT_EQ(a[k].s.b.y, b[k].s.b.y);
  }
  ASSERT_EQ(shrunk.scissors.size(), full.scissors.size());
  for (std::size_t k = 0; k < full.scissors.size(); ++k)
    EXPECT_TRUE(same_rect(shrunk.scissors[k], full.scissors[k]));
}

}  // namespace
