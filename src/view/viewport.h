// Where the picture stands in the window, and pixel boxes of rectangles of the
// picture for scissoring.
//
// The picture is square: it is drawn in a viewport of side min(width, height),
// centred in the window, and the rest of the window stays white. Drawing
// coordinates run from -1 to +1 across that square, whatever the window's shape.
#pragma once

// The picture's square in window pixels, counted from the lower left.
struct SquareViewport {
  int x, y, side;
};

// Side min(width, height) centred in a width x height window (a negative size
// counts as 0; an odd leftover puts the extra pixel right of or above the square).
SquareViewport square_viewport(int width, int height);

// The viewport now in effect, read from OpenGL, as a square: its side is the
// smaller of the viewport's width and height.
SquareViewport current_square_viewport();

// A rectangle in drawing coordinates (-1 .. +1 across the picture).
struct DrawingRect {
  double x0, y0, x1, y1;
};

// A box of window pixels: lower-left corner and size (never negative).
struct PixelBox {
  int x, y, width, height;
};

// The pixels of the viewport whose centres lie in a rectangle, as OpenGL
// fills a polygon: a centre on the left or bottom edge is in, one on the
// right or top edge is out. The box is kept inside the viewport; a rectangle
// that is empty or not a number gives an empty box.
PixelBox pixel_box(const DrawingRect& r, const SquareViewport& vp);

// Drawing coordinate of the window pixel edge at `pixel` (counted from the
// window's lower left) across a viewport `origin` .. origin + side.
double drawing_coordinate(double pixel, int origin, int side);

// Restricts drawing to a rectangle of the picture for as long as it lives:
// the scissor box becomes the rectangle's pixels in the current viewport,
// within the box that was in force (if the scissor test was on), and both the
// box and the test are restored afterwards. Clears are not to be made under it.
class ScissorScope {
 public:
  explicit ScissorScope(const DrawingRect& r);
  ScissorScope(const ScissorScope&) = delete;
  ScissorScope& operator=(const ScissorScope&) = delete;
  ~ScissorScope();

 private:
  bool was_enabled_;
  int previous_[4];
};

// Sets the scissor box to the whole viewport and enables the test, so that
// nothing drawn spills into the white margins beside the picture.
void scissor_to_picture();
