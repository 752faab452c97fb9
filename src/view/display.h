// Whether a window can be opened at all.
#pragma once

// A connection to the X display named by DISPLAY, closed when the object
// goes. Whoever checks for a display keeps the object for as long as windows
// may be opened: closing the connection would leave the server without
// clients for a moment, and a server with no clients resets itself, which
// the window opened next would wait for.
class DisplayConnection {
 public:
  DisplayConnection() = default;  // not connected
  // Connects to the display named by DISPLAY, if it accepts.
  static DisplayConnection open();
  ~DisplayConnection();
  DisplayConnection(DisplayConnection&& other) noexcept;
  DisplayConnection& operator=(DisplayConnection&& other) noexcept;
  DisplayConnection(const DisplayConnection&) = delete;
  DisplayConnection& operator=(const DisplayConnection&) = delete;

  bool connected() const { return display_ != nullptr; }

 private:
  void* display_ = nullptr;  // the Xlib Display
};
