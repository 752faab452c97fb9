// One frame of the window as plain data: what is drawn, in drawing order,
// built from the scenario without OpenGL (view/describe_frame.h) and drawn by the
// Renderer (view/renderer.h). Coordinates are drawing coordinates (-1 .. +1
// across the picture's square); line widths are pixels, as OpenGL takes them.
//
// Items that may share one draw are kept together where the picture allows:
// consecutive segments of one width are one Lines item, and the renderer
// draws consecutive texts together.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "view/primitives.h"
#include "view/viewport.h"

// The whole picture's square.
inline constexpr DrawingRect kWholePicture{-1.0, -1.0, 1.0, 1.0};

struct Segment {
  Point a, b;
  Colour colour;
};

// Segments in one width, drawn in their order. `placed` segments are given
// relative to `origin` and turned by `angle_deg` about it (the grid, whose
// lines are laid out about its centre).
struct Lines {
  float width;
  std::vector<Segment> segments;
  bool placed = false;
  Point origin{0.0, 0.0};
  double angle_deg = 0.0;
};

// A rectangle with its corner at `corner`, sides w along and h across the
// direction `angle` (radians, counter-clockwise): filled, then outlined in
// `width` pixels, each if asked for.
struct Box {
  Point corner;
  double w, h, angle;
  bool filled, outlined;
  Colour fill, outline;
  float width;
};

// A disc or its outline of radius r about `centre`, of circle_segments
// corners; a half one runs clockwise from angle `start` to start - 119 pi/120.
struct Round {
  Point centre;
  double r;
  bool half;
  double start;
  bool filled;
  Colour colour;
  float width;  // of an outline
};

// The fonts text is written in: GLUT's Helvetica bitmap fonts.
enum class TextFont : char { Helvetica12, Helvetica18 };

// Text whose raster position is (x, y), as glRasterPos2f takes it.
struct Label {
  TextFont font;
  float x, y;
  Colour colour;
  std::string text;
};

// Text in the lesson view's outline font, scaled with the window: `size` is
// the font's em in drawing units, (x, y) a point of the base line that the
// text starts at, is centred on or ends at. UTF-8; characters the font
// table lacks are left out (view/text_metrics.h).
enum class TextAlign : char { Left, Centre, Right };
struct ScaledText {
  double x, y;
  double size;
  TextAlign align;
  Colour colour;
  std::string text;
};

// Round dots in drawing order, a later one over an earlier one (the tip paths).
struct Dot {
  Point centre;
  double r;
  Colour colour;
};

enum class ItemKind : char {
  Clear,         // the whole window to the clear colour, depth too
  ScissorOff,    // drawing reaches the whole window
  Scissor,       // drawing is kept to the pixels of a rectangle (scissors[index])
  LightingOff,
  LightingOn,
  FlatShading,
  SmoothShading,
  HandOver,      // what is drawn so far goes to the rasteriser (glFlush)
  Lines,         // lines[index]
  Box,           // boxes[index]
  Round,         // rounds[index]
  Text,          // texts[index]
  Dots,          // dots[index]
  ScaledText,    // scaled_texts[index]
};

struct Item {
  ItemKind kind;
  std::size_t index;  // into the kind's list; 0 for kinds without data
};

struct FrameDescription {
  std::vector<Item> items;
  std::vector<DrawingRect> scissors;
  std::vector<Lines> lines;
  std::vector<Box> boxes;
  std::vector<Round> rounds;
  std::vector<Label> texts;
  std::vector<std::vector<Dot>> dots;
  std::vector<ScaledText> scaled_texts;

  void add(ItemKind kind) { items.push_back(Item{kind, 0}); }
  // How every frame starts: the whole window cleared (the margins beside the
  // picture too), then drawing kept to the picture's square (wide lines and
  // text could spill), unlit and flat (every shape has one colour: flat
  // shading spares the renderers the colour gradients of each triangle).
  void open();
  // How every frame ends: the state the next one starts from.
  void close();
  void scissor(const DrawingRect& r);
  // The segment a-b in `width` pixels: joins the last item when that is
  // unplaced Lines of the same width, so that it goes in the same draw.
  void segment(const Point& a, const Point& b, const Colour& colour, float width);
  // A new Lines item of its own.
  Lines& new_lines(float width);
  void box(const Box& b);
  void round(const Round& r);
  void text(TextFont font, double x, double y, const std::string& text);
  std::vector<Dot>& new_dots();
  void scaled_text(const ScaledText& t);
};

// Colour of every text, in every frame.
inline constexpr float kTextGrey = 0.04f;
inline constexpr Colour colour_text{kTextGrey, kTextGrey, kTextGrey, 1.0f};

// Adds shapes to a frame as the drawing code thinks of them. Plain lines and
// outlines take the width the previous part left, as OpenGL keeps a line
// width from one line to the next: 1 pixel after the grid, 2 after a wide
// line or the curves; the figures' outlines were drawn and tuned that way.
struct Sketch {
  FrameDescription& frame;
  float line_width = 1.0f;

  // The segment p1-p2 in the current width.
  void line(const Point& p1, const Point& p2, const Colour& colour);
  // The n segments segments[i][0]-segments[i][1], `width` in drawing units
  // (x 400 pixels); leaves the width at 2.
  void wide_lines(const Point (*segments)[2], int n, double width, const Colour& colour);
  void wide_line(const Point& p1, const Point& p2, double width, const Colour& colour);
  void fill_rect(const Point& corner, double w, double h, double angle, const Colour& colour);
  void outline_rect(const Point& corner, double w, double h, double angle, const Colour& colour);
  // Filled in `fill`, outlined in `outline` in the current width.
  void boxed_rect(const Point& corner, double w, double h, double angle, const Colour& fill,
                  const Colour& outline);
  void fill_disc(const Point& centre, double r, const Colour& colour);
  void outline_circle(const Point& centre, double r, const Colour& colour);
  void fill_half_disc(const Point& centre, double r, double start, const Colour& colour);
  void outline_half_circle(const Point& centre, double r, double start, const Colour& colour);
};
