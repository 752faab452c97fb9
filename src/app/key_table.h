// The key table of the window: view keys, condition keys that run the console
// dialogue, and ESC.
#pragma once

#include "app/dialogue.h"
#include "view/key_action.h"

using ConditionDialogue = void (*)(Scenario&, Ui&, DialogueEntry);

// Applies one key to the scenario. Condition keys (a b u g h k) select what
// they stand for and run `dialogue` from the matching entry; they return
// Redraw too, so the window shows what the console has just reported.
KeyAction apply_key_with(Scenario& s, Ui& out, unsigned char key, ConditionDialogue dialogue);

// apply_key_with the real dialogue.
KeyAction apply_key(Scenario& s, Ui& out, unsigned char key);

// The keys s 0 w W, which change only what is shown and redraw at once.
bool is_view_key(unsigned char key);
