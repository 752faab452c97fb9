// What the window must do after a key has been handled.
#pragma once

enum class KeyAction { None, Redraw, Quit };

// The handler the window calls for every key typed into it; `user` is what the
// window was given with it.
using KeyHandler = KeyAction (*)(unsigned char key, void* user);
