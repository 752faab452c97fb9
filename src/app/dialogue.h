// The console dialogue: the only place where conditions change and results are computed.
#pragma once

#include "app/dialogue_run.h"
#include "app/task.h"
#include "app/ui.h"
#include "model/scenario.h"

// Where the questions of one dialogue run begin: the full dialogue (start-up,
// robot keys), the reduction ratios (u), the task points (k), or no questions
// at all (gravity keys). Window: points or elbow changed in the window; no
// key help, no report before, only what follows the points question.
enum class DialogueEntry { Heading, Ratios, Points, Recompute, Window };

// Key help, report, the questions the entry calls for, recomputation, solver
// (with its retry loop), feedback run, result lines and view reset. Ends
// Done after a successful solve, or Quit at the answer n after a failed one.
Task<DialogueEnd> run_condition_dialogue(Scenario& s, Ui& out, DialogueEntry entry);

// A file asked for on the command line could not be written: its loss is the
// run's failure, said where the dialogue goes and where errors go.
void say_not_saved(const std::string& error, Ui& out);

// The unreachable-point lines of the SCARA task, each acknowledged by a key.
Task<> report_unreachable(const Conditions& s, Ui& out, bool start_ok, bool end_ok);
