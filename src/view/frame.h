// One complete picture of the scenario: text, grid, both robot figures, goal
// marker, tip paths, the panel behind the graphs, and the three time graphs.
#pragma once

#include "model/scenario.h"

// Draws the whole frame into the current draw buffer without presenting it.
void compose_frame(const Scenario& s);

// compose_frame, then glFlush and the buffer swap: the display callback.
void display_frame(const Scenario& s);

// White rectangle right of x = disp_graph_origin.x - 0.05 over the full height,
// so the graphs stand on a clean background.
void mask_panel(const Scenario& s);

// Viewport over the whole window and identity projection; no aspect correction.
void reshape_view(int width, int height);
