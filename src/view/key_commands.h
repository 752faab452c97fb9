// The key table of the window, with the console dialogue passed in.
#pragma once

#include "console/console.h"
#include "scenario/scenario.h"
#include "view/window.h"

using ConditionDialogue = void (*)(Scenario&, Console&);

// apply_key with `dialogue` run for the condition keys a b u g h k.
KeyAction apply_key_with(Scenario& s, Console& con, unsigned char key, ConditionDialogue dialogue);

// The keys s 0 w W, which change only what is shown and redraw at once.
bool is_view_key(unsigned char key);
