// What the window hands on to the program: keys, the clock of playback, and
// what the window must do afterwards.
#pragma once

enum class KeyAction {
  None,         // nothing to show
  Redraw,       // show the picture again
  SavePicture,  // keep the picture as it is shown (the caller reads it back)
  Quit,         // leave the event loop
};

// Keys as the window reports them: the typed byte (0..255), or one of these.
enum : int { kKeyLeft = 0x100, kKeyRight, kKeyHome, kKeyEnd };

// Called for every key, with the window's clock in seconds; `user` is what the
// window was given with the handlers.
using KeyHandler = KeyAction (*)(int key, double now, void* user);
// Called about every 10 ms while the motion plays or a console question waits.
using TickHandler = KeyAction (*)(double now, void* user);

// A mouse button going down, the mouse moving with it held, or the button
// coming up, in window pixels (x from the left, y from the top, as the window
// system counts them) with the window's size, so that a handler can find the
// point in the picture (view/lesson_layout.h).
enum class MousePhase { Press, Drag, Release };
enum class MouseButton { Left, Middle, Right, Other };
struct MouseEvent {
  MousePhase phase;
  MouseButton button;
  int x, y;
  int width, height;
};

// Called for every mouse event, with `user` as the key handler has it.
using MouseHandler = KeyAction (*)(const MouseEvent& event, void* user);
