// The lesson view as a frame description: the robot area with start and goal
// marked, the time graphs, the phase planes, a legend, the results panel and
// the readout, all from the gathered inputs (view/lesson_inputs.h).
#pragma once

#include "view/frame_description.h"
#include "view/lesson_inputs.h"

FrameDescription describe_lesson_frame(const LessonInputs& in);

// Items from `first` on moved so that from_centre comes to to_centre, shrunk
// or grown about it alike in x and y; line widths stay.
struct Placement {
  Point from_centre;
  Point to_centre;
  double scale;
  Point apply(const Point& p) const;
};
void place_items(FrameDescription& f, std::size_t first, const Placement& m);

// How the robot area's motion is placed: a square about joint 1 that holds
// the start, the goal and every recorded tip position, fitted into the area.
Placement robot_placement(const LessonInputs& in);
