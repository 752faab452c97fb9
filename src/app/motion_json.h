// The result of one computation as one line of JSON, for scripts that collect
// runs (--json FILE gets one line per computation: JSON Lines). The fields, in
// this order:
//   "robot"      "a" or "b"; null when no robot is selected
//   "gravity"    "g" with gravity, "h" otherwise (what the models computed)
//   "ratios"     [u1, u2] of the robot the models used
//   "start"      [x0, y0], "goal" [xf, yf] [m]
//   "elbow"      SCARA only: 1 elbow down, 2 elbow up, null for neither
//   "found"      true or false
//   "method"     "passes", "search" or "direct"
//   "tf"         final time of the motion [s]
//   "tfm"        positioning time of the PID comparison [s]
//   "first_sign" per joint, the sign of its torque in its first arc (+1, -1;
//                for an arc inside the limits the sign of its first grid
//                torque, or 0)
//   "switches"   per joint, its switching times, ascending [s]
//   "singular"   every arc inside the limits as {"joint": 1|2, "from": t0,
//                "to": t1}, joint 1's first; [] for a bang-bang motion
//   "end_error"  1-norm of the motion's end-state error
// When nothing was found, method, tf, first_sign, switches, singular and
// end_error are null. Numbers as printf's %.17g in the "C" locale (a double
// reads back to the same bits), whatever LC_NUMERIC says; a NaN or an
// infinity as null.
#pragma once

#include <string>
#include <string_view>

#include "app/output_file.h"
#include "model/scenario.h"
#include "toc/switching_solver.h"

// The line without its line end.
std::string motion_json(const Conditions& c, const SwitchingSolution& sol);

// A JSON Lines file of one run. Every write puts all lines of the run in
// place in one step (write_file_exclusive for the first, write_file_replacing
// once it is this run's own file), so the file is there in full or not at all
// and a file that was there before the run is never replaced.
struct JsonLinesFile {
  std::string path;      // empty: no file
  std::string lines;     // every line of the run so far, '\n' after each
  bool created = false;  // path is this run's own file
  bool failed = false;   // a write failed: the run ends with status 1
};

// Adds `line` (without its line end) and writes the file again.
WriteResult append_json_line(JsonLinesFile& file, std::string_view line);
