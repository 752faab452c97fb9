// The graphics window: creation, callbacks and the key commands.
#pragma once

#include "console/console.h"
#include "scenario/scenario.h"

// What the window must do after a key has been applied to the scenario.
enum class KeyAction { None, Redraw, Quit };

// The key table without any OpenGL: stores the key in last_key, changes the
// view state or runs the console dialogue. Condition keys return Redraw too, so
// the window shows what the console has just reported.
KeyAction apply_key(Scenario& s, Console& con, unsigned char key);

// Opens the 800 x 800 window and runs the event loop; never returns.
[[noreturn]] void start_view(Scenario& s, Console& con, int* argc, char** argv);
