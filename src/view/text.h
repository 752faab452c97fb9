// Bitmap text of the graphics window: the title line and the caption block.
#pragma once

#include "model/scenario.h"

// Colour of every text, in every frame.
inline constexpr float kTextGrey = 0.04f;

// Draws text with its raster position at (x, y); font is a GLUT bitmap font.
// The current colour and the lighting switch are left as they were. Text whose
// position is not a finite number is not drawn.
void draw_text(double x, double y, void* font, const char* text);

// "Time optimal control : Comparison with PID control" at (-0.99, 0.95).
void draw_title();

// Robot name, motion plane, reduction ratios, colour legend and grid size.
void draw_captions(const Scenario& s);

// Below the captions: time and sample shown ("t = 1.20 s  (60/200)"), the
// playback speed when it is not 1x, and "playing" while the motion plays.
void draw_readout(const Scenario& s);
