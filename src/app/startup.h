// Start-up on the console: title, defaults with the report of both robots,
// robot and gravity keys, and the first dialogue run.
#pragma once

#include "app/dialogue_run.h"
#include "app/ui.h"
#include "model/scenario.h"

// Every default, then the condition report of each robot (cylindrical first),
// leaving the SCARA selected without gravity.
void initialset(Scenario& s, Ui& out);

Task<DialogueEnd> run_startup(Scenario& s, Ui& out);
