// One complete picture of the scenario as a frame description: text, grid,
// both robot figures, goal marker, tip paths and the three time graphs.
#pragma once

#include "model/scenario.h"
#include "view/frame_description.h"
#include "view/viewport.h"

// The frame of `s` in its view mode: the classic picture below, or the
// lesson view (view/lesson_frame.h). The classic frame runs from a clear of
// the whole window to the last curve. It draws inside the picture's square only, unlit and flat shaded, and ends
// with lighting on, smooth shading and the scissor test off. Reads the state
// only: the graph scales come with the records. `side` is the picture's
// square in pixels: the classic picture's bitmap texts keep their size in
// pixels, so below 800 they are laid out for it (view/text.h); from 800 up
// the frame is the same whatever the side.
FrameDescription describe_frame(const Scenario& s, int side = 800);

// The panel behind the graphs: right of x = disp_graph_origin.x - 0.05 over
// the full height (1.0 wide). With a robot shown, nothing before the graphs
// reaches into it: the panel stays as white as the clear left it.
DrawingRect mask_panel_rect(const Scenario& s);
