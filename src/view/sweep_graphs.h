// The two graphs of the gear-ratio sweep's view: tf (blue) and tfm (red) of
// the points done over the swept joint's ratio, on a logarithmic ratio axis,
// with the current ratio, the matched ratio and the fastest point marked.
#pragma once

#include <string>

#include "model/ratio_sweep.h"
#include "view/frame_description.h"

// The time axis both graphs share: 0 to y_hi seconds in ticks of y_step,
// above every tf and tfm of the points drawn on either axis (so that it
// stays put while the points of one axis come).
struct SweepTimeAxis {
  double y_hi, y_step;
};
SweepTimeAxis sweep_time_axis(const RatioSweep& s);

// A point is drawn when it is done and a motion was found at its ratio.
inline bool sweep_point_drawn(const SweepPoint& p) { return p.done && p.found; }

// A ratio as the view writes it ("36.8", "40").
std::string ratio_text(double u);
// A positioning time as the view writes it, without the unit ("1.598").
std::string time_text(double t);

// The graph over joint `axis`'s ratio: caption, axes, marks and curves.
void describe_sweep_graph(FrameDescription& f, const RatioSweep& s, int axis,
                          const SweepTimeAxis& t);
