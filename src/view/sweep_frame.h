// The gear-ratio sweep's view as a frame description: title, legend and
// progress, the graphs over u1 and u2 (view/sweep_graphs.h) and the results
// panel, from the sweep as far as it has got (model/ratio_sweep.h).
#pragma once

#include <string>
#include <vector>

#include "model/scenario.h"
#include "view/frame_description.h"

FrameDescription describe_sweep_frame(const Scenario& s);

// The results panel's lines: per joint the fastest ratio found and the
// matched one ("fastest u1 = 37 (tf = 1.598 s); matched u1* = 40 at the start
// point"), the torque limits' holding torque with gravity, and how many
// ratios have no motion.
std::vector<std::string> sweep_result_lines(const RatioSweep& s);
