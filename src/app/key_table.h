// The key table of the window: playback and view keys, condition keys that
// run the console dialogue, keeping a motion, and ESC.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "app/dialogue.h"
#include "view/key_action.h"

// The dialogue a condition key runs: run_condition_dialogue, or a stand-in in tests.
using ConditionDialogue = Task<DialogueEnd> (*)(Scenario&, Ui&, DialogueEntry);

// Whether the key is one of a b u g h k.
bool is_condition_key(int key);

// Condition keys (a b u g h k): pause playback, drop keys typed ahead on a
// terminal, show sample 0, select what the key stands for and answer the
// entry from which the dialogue is to run. Other keys: nothing.
std::optional<DialogueEntry> begin_condition_key(Scenario& s, Ui& ui, int key);

// Applies one key (a byte or kKey*) that is not a condition key at clock
// reading `now` [s]. p answers SavePicture: reading the picture back is the
// window's part.
KeyAction apply_key(Scenario& s, Ui& ui, int key, double now);

// The playback timer at `now`: Redraw when another sample is due.
KeyAction apply_tick(Scenario& s, double now);

// The current robot's records as a new CSV file in ui.output_dir, with
// one console line saying where it went (or why it could not be written).
void keep_motion(const Scenario& s, Ui& ui);

// The gear-ratio sweep (when complete) as a new CSV file in ui.output_dir,
// named like the motion's with -sweep added, with one console line.
void keep_sweep(const Scenario& s, Ui& ui);

// The picture (rows top to bottom, RGB) as a new PNG file in ui.output_dir,
// with one console line saying where it went.
void keep_picture(const Scenario& s, Ui& ui, const std::vector<std::uint8_t>& rgb, int width,
                  int height);
