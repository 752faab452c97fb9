// Checks of the lesson view's texts as drawn in a square of `side` pixels
// (their boxes from the font's metrics, view/text_metrics.h): none cut at the
// picture's edge or outside a panel, no two overlapping.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "view/frame_description.h"
#include "view/text_metrics.h"

namespace viewtest {

inline bool overlap(const DrawingRect& p, const DrawingRect& q) {
  return p.x0 < q.x1 && q.x0 < p.x1 && p.y0 < q.y1 && q.y0 < p.y1;
}

inline void expect_apart(const FrameDescription& f, int side, const std::string& what) {
  std::vector<DrawingRect> boxes;
  for (const ScaledText& t : f.scaled_texts) boxes.push_back(text_box(t, side));
  for (std::size_t a = 0; a < boxes.size(); ++a) {
    const DrawingRect& p = boxes[a];
    EXPECT_TRUE(p.x0 >= -1.0 && p.x1 <= 1.0 && p.y0 >= -1.0 && p.y1 <= 1.0)
        << what << ": \"" << f.scaled_texts[a].text << "\" cut at the picture's edge";
    for (std::size_t b = a + 1; b < boxes.size(); ++b)
      EXPECT_FALSE(overlap(p, boxes[b])) << what << ": \"" << f.scaled_texts[a].text << "\" and \""
                                         << f.scaled_texts[b].text << "\"";
  }
}

inline bool inside(const DrawingRect& r, const DrawingRect& within) {
  return r.x0 >= within.x0 && r.x1 <= within.x1 && r.y0 >= within.y0 && r.y1 <= within.y1;
}

}  // namespace viewtest
