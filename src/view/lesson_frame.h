// The lesson view as a frame description: the robot area with start and goal
// marked, the time graphs, the phase planes, a legend, the results panel and
// the readout, all from the gathered inputs (view/lesson_inputs.h).
#pragma once

#include "view/frame_description.h"
#include "view/lesson_inputs.h"
#include "view/lesson_layout.h"

FrameDescription describe_lesson_frame(const LessonInputs& in);

// Items from `first` on placed by m (view/lesson_layout.h); line widths stay.
void place_items(FrameDescription& f, std::size_t first, const lesson::Placement& m);
