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
