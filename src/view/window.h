// The graphics window: creation, callbacks and the event loop.
#pragma once

#include "model/scenario.h"
#include "view/key_action.h"
#include "view/renderer.h"

// Opens the 800 x 800 window titled `title` (UTF-8) showing `s` as `renderer`
// draws it (it must outlive the window), sends every
// key to `on_key`, every mouse press, drag and release to `on_mouse` and,
// while the motion plays, the clock to `on_tick` (all with `user`), and runs the event loop until the window is closed or a key
// handler answers Quit.
void run_view(const Scenario& s, Renderer& renderer, const char* title, KeyHandler on_key,
              TickHandler on_tick, MouseHandler on_mouse, void* user, int* argc, char** argv);
