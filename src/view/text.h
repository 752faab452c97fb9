// Text of the graphics window above the robot: the title line, the caption
// block and the readout, described into a frame.
#pragma once

#include "model/scenario.h"
#include "view/frame_description.h"

// "Time optimal control : Comparison with PID control" at (-0.99, 0.95).
void describe_title(FrameDescription& frame);

// Robot name, motion plane, reduction ratios, colour legend and grid size.
void describe_captions(FrameDescription& frame, const Scenario& s);

// Below the captions: time and sample shown ("t = 1.20 s  (60/200)"), the
// playback speed when it is not 1x, and "playing" while the motion plays.
void describe_readout(FrameDescription& frame, const Scenario& s);

// A line the window says until the next change (why a dropped point changed
// nothing), under the readout; nothing without one.
void describe_window_note(FrameDescription& frame, const Scenario& s);

// The classic picture in a square of `side` pixels. Its bitmap glyphs keep
// their size in pixels, so from 800 up the texts stand where they always
// have (in drawing units, the functions above), and below 800 they are laid
// out by their widths and the fonts' heights in pixels (view/text_metrics.h).
inline bool measured_layout(int side) { return side > 0 && side < 800; }

// The font of the picture's larger texts: Helvetica 18, and below 667 pixels,
// where 18 x side / 800 is nearer 12 than 18, Helvetica 12.
TextFont classic_font(int side);

// Below 800 pixels: the title, the captions, the readout and the window note
// as the functions above write them, in the same order, laid out in pixels:
// lines as far apart as the font's height needs (at least as far as at 800),
// the ratios after the measured width of their caption, and a line that
// would reach `right` (a pixel column of the square) broken where it reads
// best (after " : " or ": ", between "  "-parted pieces, else between words).
void describe_fitted_texts(FrameDescription& frame, const Scenario& s, int side, int right);
