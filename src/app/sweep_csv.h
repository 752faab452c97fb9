// The gear-ratio sweep as CSV: one line per ratio of each axis, with the
// axis (1: u1 swept, 2: u2 swept), the ratio, the time-optimal and the PID
// design's positioning times, and whether a time-optimal motion was found
// (1) or not (0, its tf left empty). Numbers as in the motion CSV.
#pragma once

#include <string>

#include "app/output_file.h"
#include "model/ratio_sweep.h"

extern const char* const kSweepCsvHeader;

// Header and one line per point, '\n' after each; "" unless every point is done.
std::string sweep_csv(const RatioSweep& sweep);

// sweep_csv into a new file tocsim-<robot>-<gravity>-sweep.csv (numbered if taken) in `dir`.
WriteResult write_sweep_csv(const std::string& dir, char robot, char gravity,
                            const RatioSweep& sweep);

// sweep_csv into `path`, unless something of that name exists.
WriteResult write_new_sweep_csv_to(const std::string& path, const RatioSweep& sweep);
