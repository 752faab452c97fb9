// The lesson view's results panel (bottom left): each joint's torque signs
// and switching times by name ("1a 0.412"), its arcs inside the limits, tf
// and tfm, how the motion was found (and the passes' slower tf where the
// direct method found a faster motion), the warnings; under them the
// readout. Lines too long for the panel wrap; when they are too many for it
// at the body size the panel's text grows smaller, so that it always keeps
// inside the panel.
#pragma once

#include <string>
#include <vector>

#include "view/frame_description.h"
#include "view/lesson_inputs.h"

// A line of the panel: pieces that a wrap keeps whole, a space between
// them, each in its colour.
struct PanelPiece {
  std::string text;
  Colour colour;
};
using PanelLine = std::vector<PanelPiece>;

// The panel's lines above the readout, before wrapping.
std::vector<PanelLine> result_lines(const LessonInputs& in);

void describe_results(FrameDescription& f, const LessonInputs& in);
