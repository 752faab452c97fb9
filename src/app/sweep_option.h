// --sweep FILE: the gear-ratio sweep of the task the dialogue ended with,
// computed whole and written once, under the rules of --csv (a file that
// exists is left as it is; a failure is said and ends the run with status 1).
#pragma once

#include <string>

#include "app/ui.h"

// False when the file could not be written (said on the console and on
// standard error).
bool write_sweep_option(const Conditions& c, Ui& ui, const std::string& path);
