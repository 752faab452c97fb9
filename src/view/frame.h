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
// the full height (1.0 wide).
DrawingRect mask_panel_rect(const Scenario& s);

// The panel as a white rectangle, so the graphs stand on a clean background.
// compose_frame gets the same picture without drawing it: when a robot is
// shown, nothing before the graphs is drawn over the panel.
void mask_panel(const Scenario& s);

// The picture keeps its shape in any window: the viewport is the square of
// side min(width, height) centred in the window (square_viewport), the rest
// of the window stays white. Identity projection.
void reshape_view(int width, int height);
