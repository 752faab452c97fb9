// The key table of the window: playback and view keys, condition keys that
// run the console dialogue, keeping a motion, and ESC.
#pragma once

#include <cstdint>
#include <vector>

#include "app/dialogue.h"
#include "view/key_action.h"

using ConditionDialogue = void (*)(Scenario&, Ui&, DialogueEntry);

// Applies one key (a byte or kKey*) at clock reading `now` [s]. Condition keys
// (a b u g h k) pause playback, drop keys typed ahead on a terminal, select
// what they stand for and run `dialogue` from the matching entry; they return
// Redraw too, so the window shows what the console has just reported. p
// answers SavePicture: reading the picture back is the window's part.
KeyAction apply_key_with(Scenario& s, Ui& ui, int key, double now, ConditionDialogue dialogue);

// apply_key_with the real dialogue.
KeyAction apply_key(Scenario& s, Ui& ui, int key, double now);

// The playback timer at `now`: Redraw when another sample is due.
KeyAction apply_tick(Scenario& s, double now);

// The current robot's records as a new CSV file in ui.output_dir, with
// one console line saying where it went (or why it could not be written).
void keep_motion(const Scenario& s, Ui& ui);

// The picture (rows top to bottom, RGB) as a new PNG file in ui.output_dir,
// with one console line saying where it went.
void keep_picture(const Scenario& s, Ui& ui, const std::vector<std::uint8_t>& rgb, int width,
                  int height);
