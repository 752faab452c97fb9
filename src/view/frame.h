// Drawing a frame of the scenario in the window.
#pragma once

#include "model/scenario.h"
#include "view/describe_frame.h"
#include "view/renderer.h"

// Draws the whole frame (describe_frame) into the current draw buffer without
// presenting it, in the current viewport.
void compose_frame(Renderer& renderer, const Scenario& s);

// compose_frame, then glFlush and the buffer swap: the display callback.
void display_frame(Renderer& renderer, const Scenario& s);

// The picture keeps its shape in any window: the viewport is the square of
// side min(width, height) centred in the window (square_viewport), the rest
// of the window stays white. Identity projection.
void reshape_view(int width, int height);
