#include "view/display.h"

#include <X11/Xlib.h>

#include <utility>

DisplayConnection DisplayConnection::open() {
  DisplayConnection c;
  c.display_ = XOpenDisplay(nullptr);
  return c;
}

DisplayConnection::~DisplayConnection() {
  if (display_ != nullptr) XCloseDisplay(static_cast<Display*>(display_));
}

DisplayConnection::DisplayConnection(DisplayConnection&& other) noexcept
    : display_(std::exchange(other.display_, nullptr)) {}

DisplayConnection& DisplayConnection::operator=(DisplayConnection&& other) noexcept {
  if (this != &other) {
    if (display_ != nullptr) XCloseDisplay(static_cast<Display*>(display_));
    display_ = std::exchange(other.display_, nullptr);
  }
  return *this;
}
