// Terminal modes of the console's key reads, and the restoring of the
// terminal when the process ends or is stopped by a signal.
#pragma once

namespace console_terminal {

// While it lives, the terminal on fd delivers each key at once, without echo
// (canonical input and echo off, one byte at least, no timeout). Does nothing
// when fd is not a terminal. The previous mode comes back in the destructor,
// or through restore() if the process ends first.
class KeyMode {
 public:
  explicit KeyMode(int fd);
  ~KeyMode();
  KeyMode(const KeyMode&) = delete;
  KeyMode& operator=(const KeyMode&) = delete;

  // The terminal's end-of-file key (normally Ctrl-D), or -1 if there is none.
  int eof_key() const { return eof_key_; }

 private:
  int eof_key_ = -1;
  bool owner_ = false;  // this object changed the mode
};

// Puts back the mode that the current KeyMode replaced, if any.
// Async-signal-safe.
void restore() noexcept;

// Once per process: restore() at exit and on SIGINT, SIGTERM and SIGHUP
// (the signal is then raised again with its default action). Signals that
// are ignored or already handled by someone else are left alone.
void install_restore_handlers();

}  // namespace console_terminal
