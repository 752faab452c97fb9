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
