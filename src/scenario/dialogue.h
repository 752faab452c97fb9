// The console dialogue: the only place where conditions change and results are computed.
#pragma once

#include "console/console.h"
#include "scenario/scenario.h"

// Key help, report, the questions last_key calls for, recomputation, solver
// (with its retry loop), feedback run, result lines and view reset. Returns
// only after a successful solve; the answer n after a failed solve ends the
// process with status 0 (through con.terminate).
void run_condition_dialogue(Scenario& s, Console& con);

// Start-up on the console: title, defaults with both reports, robot and
// gravity keys, and the first dialogue run.
void run_startup(Scenario& s, Console& con);
