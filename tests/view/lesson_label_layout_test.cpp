// Keeping small labels apart: rows of a strip where close labels stack or
// move aside, and labels beside points that clear what is already there.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "view/lesson_label_layout.h"

namespace {

constexpr double kGap = 0.01;

// No two placed labels of a row closer than the gap, all within lo .. hi.
void expect_apart(const std::vector<StripLabel>& l, const std::vector<StripPlace>& p, double lo,
                  double hi) {
  ASSERT_EQ(l.size(), p.size());
  for (std::size_t a = 0; a < p.size(); ++a) {
    if (p[a].row < 0) continue;
    EXPECT_GE(p[a].x - l[a].width / 2.0, lo - 1e-12) << a;
    EXPECT_LE(p[a].x + l[a].width / 2.0, hi + 1e-12) << a;
    for (std::size_t b = a + 1; b < p.size(); ++b) {
      if (p[b].row != p[a].row) continue;
      const double room = std::fabs(p[a].x - p[b].x) - (l[a].width + l[b].width) / 2.0;
      EXPECT_GE(room, kGap - 1e-12) << a << " and " << b;
    }
  }
}

TEST(LessonLabelStrip, LabelsApartStayInTheLowestRowOverTheirX) {
  const std::vector<StripLabel> l{{-0.5, 0.1}, {0.0, 0.2}, {0.5, 0.1}};
  const std::vector<StripPlace> p = lay_out_strip(l, 3, -1.0, 1.0, kGap);
  for (std::size_t k = 0; k < l.size(); ++k) {
    EXPECT_EQ(p[k].row, 0);
    EXPECT_DOUBLE_EQ(p[k].x, l[k].x);
  }
}

TEST(LessonLabelStrip, CloseLabelsStackThenMoveAsideAsLittleAsTheyCan) {
  // Four labels at one x, three rows: three stack, the fourth moves aside.
  const std::vector<StripLabel> l(4, StripLabel{0.0, 0.1});
  const std::vector<StripPlace> p = lay_out_strip(l, 3, -1.0, 1.0, kGap);
  for (int k = 0; k < 3; ++k) {
    EXPECT_EQ(p[k].row, k);
    EXPECT_DOUBLE_EQ(p[k].x, 0.0);
  }
  EXPECT_EQ(p[3].row, 0);
  EXPECT_NEAR(std::fabs(p[3].x), 0.1 + kGap, 1e-12);
  expect_apart(l, p, -1.0, 1.0);
}

TEST(LessonLabelStrip, LabelsAtTheEdgesAreKeptInsideAndThoseWithoutRoomAreLeftOut) {
  const std::vector<StripLabel> edge{{-1.0, 0.2}, {1.0, 0.2}};
  std::vector<StripPlace> p = lay_out_strip(edge, 3, -1.0, 1.0, kGap);
  EXPECT_DOUBLE_EQ(p[0].x, -0.9);
  EXPECT_DOUBLE_EQ(p[1].x, 0.9);
  // Room for two a row across 0.5 from its left end: three stack there,
  // three move aside, the seventh has no room.
  const std::vector<StripLabel> many(7, StripLabel{0.1, 0.2});
  p = lay_out_strip(many, 3, 0.0, 0.5, kGap);
  int placed = 0;
  for (const StripPlace& q : p) placed += q.row >= 0;
  EXPECT_EQ(placed, 6);
  EXPECT_EQ(p[6].row, -1);
  for (int k = 3; k < 6; ++k) EXPECT_NEAR(p[k].x, 0.31, 1e-12) << k;
  expect_apart(many, p, 0.0, 0.5);
  // Nor a label wider than the strip, nor one at no number.
  p = lay_out_strip({{0.0, 3.0}, {NAN, 0.1}}, 3, -1.0, 1.0, kGap);
  EXPECT_EQ(p[0].row, -1);
  EXPECT_EQ(p[1].row, -1);
}

TEST(LessonLabelStrip, RandomLabelsNeverOverlap) {
  std::mt19937 g(7);
  std::uniform_real_distribution<double> x(-1.2, 1.2), w(0.02, 0.3);
  for (int run = 0; run < 200; ++run) {
    std::vector<StripLabel> l(1 + run % 30);
    for (StripLabel& s : l) s = StripLabel{x(g), w(g)};
    const std::vector<StripPlace> p = lay_out_strip(l, 3, -1.0, 1.0, kGap);
    expect_apart(l, p, -1.0, 1.0);
    // Every label placed while there was plenty of room.
    if (l.size() <= 3) {
      for (const StripPlace& q : p) EXPECT_GE(q.row, 0);
    }
  }
}

bool apart(const DrawingRect& a, const DrawingRect& b, double gap) {
  return a.x1 + gap <= b.x0 || b.x1 + gap <= a.x0 || a.y1 + gap <= b.y0 || b.y1 + gap <= a.y0;
}

TEST(LessonLabelBeside, AboveRightWhenFreeOtherwiseTheNextFreePlaceInside) {
  const DrawingRect within{-1.0, -1.0, 1.0, 1.0};
  const Point p{0.0, 0.0};
  std::optional<DrawingRect> r = place_beside(p, 0.01, 0.1, 0.05, within, {}, 0.0);
  ASSERT_TRUE(r);
  EXPECT_DOUBLE_EQ(r->x0, 0.01);
  EXPECT_DOUBLE_EQ(r->y0, 0.01);
  // Above right taken: above left.
  const std::vector<DrawingRect> taken{*r};
  r = place_beside(p, 0.01, 0.1, 0.05, within, taken, 0.0);
  ASSERT_TRUE(r);
  EXPECT_DOUBLE_EQ(r->x1, -0.01);
  EXPECT_DOUBLE_EQ(r->y0, 0.01);
  // At the top right corner only below left fits inside.
  r = place_beside(Point{0.95, 0.95}, 0.01, 0.1, 0.05, within, {}, 0.0);
  ASSERT_TRUE(r);
  EXPECT_DOUBLE_EQ(r->x1, 0.94);
  EXPECT_DOUBLE_EQ(r->y1, 0.94);
}

TEST(LessonLabelBeside, ManyLabelsAtOnePointAllFindPlacesApartUntilNoneIsLeft) {
  const DrawingRect within{-0.3, -0.3, 0.3, 0.3};
  std::vector<DrawingRect> taken;
  for (int k = 0; k < 12; ++k) {
    const std::optional<DrawingRect> r =
        place_beside(Point{0.0, 0.0}, 0.01, 0.06, 0.04, within, taken, 0.003);
    ASSERT_TRUE(r) << k;
    for (const DrawingRect& t : taken) EXPECT_TRUE(apart(*r, t, 0.003)) << k;
    EXPECT_TRUE(r->x0 >= within.x0 && r->x1 <= within.x1 && r->y0 >= within.y0 &&
                r->y1 <= within.y1);
    // Near the point: within two labels of it.
    EXPECT_LT(std::hypot((r->x0 + r->x1) / 2.0, (r->y0 + r->y1) / 2.0), 0.2) << k;
    taken.push_back(*r);
  }
  // A box that cannot fit at all.
  EXPECT_FALSE(place_beside(Point{0.0, 0.0}, 0.01, 0.7, 0.04, within, {}, 0.0));
  EXPECT_FALSE(place_beside(Point{NAN, 0.0}, 0.01, 0.06, 0.04, within, {}, 0.0));
}

}  // namespace
