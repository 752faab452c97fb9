// Looking things up in a frame description, for tests that check the frame
// as data rather than as pixels.
#pragma once

#include <cmath>
#include <string>
#include <vector>

#include "view/frame_description.h"

namespace viewtest {

inline std::vector<ItemKind> kinds(const FrameDescription& f) {
  std::vector<ItemKind> k;
  for (const Item& i : f.items) k.push_back(i.kind);
  return k;
}

inline int count(const FrameDescription& f, ItemKind kind) {
  int n = 0;
  for (const Item& i : f.items) n += i.kind == kind;
  return n;
}

// Position in the item list of the first text saying `s`; -1 if none does.
inline int text_item(const FrameDescription& f, const std::string& s) {
  for (std::size_t k = 0; k < f.items.size(); ++k)
    if (f.items[k].kind == ItemKind::Text && f.texts[f.items[k].index].text == s)
      return static_cast<int>(k);
  return -1;
}

// Texts saying `s`, in frame order.
inline std::vector<const Label*> texts_saying(const FrameDescription& f, const std::string& s) {
  std::vector<const Label*> out;
  for (const Label& t : f.texts)
    if (t.text == s) out.push_back(&t);
  return out;
}

// Position in the item list of the Lines item holding lines[index]; -1 if none.
inline int lines_item(const FrameDescription& f, std::size_t index) {
  for (std::size_t k = 0; k < f.items.size(); ++k)
    if (f.items[k].kind == ItemKind::Lines && f.items[k].index == index) return static_cast<int>(k);
  return -1;
}

inline bool same_rect(const DrawingRect& a, const DrawingRect& b) {
  return a.x0 == b.x0 && a.y0 == b.y0 && a.x1 == b.x1 && a.y1 == b.y1;
}

// The Lines items in the curve width, in frame order.
inline std::vector<const Lines*> curves(const FrameDescription& f) {
  std::vector<const Lines*> out;
  for (const Lines& l : f.lines)
    if (l.width == line_pixels(0.008)) out.push_back(&l);
  return out;
}

// A segment of the frame outside the grid, with the width of its Lines item.
struct SegmentIn {
  Segment s;
  float width;
};

inline std::vector<SegmentIn> segments(const FrameDescription& f) {
  std::vector<SegmentIn> out;
  for (const Lines& l : f.lines)
    if (!l.placed)
      for (const Segment& s : l.segments) out.push_back(SegmentIn{s, l.width});
  return out;
}

inline bool near(double a, double b) { return std::fabs(a - b) < 1e-9; }

// Segments (outside the grid) of colour c from (x0, y0) to (x1, y1), either way round.
inline int segments_between(const FrameDescription& f, double x0, double y0, double x1, double y1,
                            const Colour& c) {
  int n = 0;
  for (const SegmentIn& g : segments(f)) {
    const Segment& s = g.s;
    if (!same_colour(s.colour, c)) continue;
    const bool fwd = near(s.a.x, x0) && near(s.a.y, y0) && near(s.b.x, x1) && near(s.b.y, y1);
    const bool back = near(s.a.x, x1) && near(s.a.y, y1) && near(s.b.x, x0) && near(s.b.y, y0);
    n += fwd || back;
  }
  return n;
}

// Vertical segments (outside the grid) of colour c at x.
inline int verticals_at(const FrameDescription& f, double x, const Colour& c) {
  int n = 0;
  for (const SegmentIn& g : segments(f))
    n += near(g.s.a.x, x) && near(g.s.b.x, x) && same_colour(g.s.colour, c);
  return n;
}

}  // namespace viewtest
