// One complete picture of the scenario: text, grid, both robot figures, goal
// marker, tip paths, the panel behind the graphs, and the three time graphs.
#pragma once

#include "model/scenario.h"
#include "view/viewport.h"

// Draws the whole frame into the current draw buffer without presenting it:
// clears the whole window white and draws the picture in the current
// viewport, nothing outside it. Leaves lighting on and the scissor test off.
void compose_frame(const Scenario& s);

// compose_frame, then glFlush and the buffer swap: the display callback.
void display_frame(const Scenario& s);

// The panel behind the graphs: right of x = disp_graph_origin.x - 0.05 over
// the full height (1.0 wide). The graphs stand on a clean white background
// there without a rectangle drawn: when a robot is shown, compose_frame draws
// nothing before the graphs over the panel.
DrawingRect mask_panel_rect(const Scenario& s);

// The picture keeps its shape in any window: the viewport is the square of
// side min(width, height) centred in the window (square_viewport), the rest
// of the window stays white. Identity projection.
void reshape_view(int width, int height);
