// Terminal modes of the console's key reads and their restoring.
#include "console/terminal.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <mutex>

#include <termios.h>
#include <unistd.h>

namespace console_terminal {
namespace {

// The mode to put back. Written only while no key mode is active (active == 0);
// the signal handler reads it only when active is set.
struct Saved {
  int fd = -1;
  termios mode{};
};
Saved saved;
volatile std::sig_atomic_t active = 0;

extern "C" void restore_at_exit() { restore(); }

extern "C" void restore_and_reraise(int sig) {
  const int saved_errno = errno;
  restore();
  struct sigaction dfl {};
  dfl.sa_handler = SIG_DFL;
  sigemptyset(&dfl.sa_mask);
  sigaction(sig, &dfl, nullptr);
  // The signal stays blocked until the handler returns; then the default
  // action ends the process.
  raise(sig);
  errno = saved_errno;
}

void install_once() {
  std::atexit(restore_at_exit);
  for (int sig : {SIGINT, SIGTERM, SIGHUP}) {
    struct sigaction old {};
    if (sigaction(sig, nullptr, &old) != 0) continue;
    if ((old.sa_flags & SA_SIGINFO) != 0 || old.sa_handler != SIG_DFL) continue;
    struct sigaction act {};
    act.sa_handler = restore_and_reraise;
    sigemptyset(&act.sa_mask);
    act.sa_flags = SA_RESTART;
    sigaction(sig, &act, nullptr);
  }
}

}  // namespace

KeyMode::KeyMode(int fd) {
  termios mode{};
  if (active || tcgetattr(fd, &mode) != 0) return;
  saved.fd = fd;
  saved.mode = mode;
  std::atomic_signal_fence(std::memory_order_seq_cst);
  active = 1;

  termios keys = mode;
  keys.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
  keys.c_cc[VMIN] = 1;
  keys.c_cc[VTIME] = 0;
  // TCSANOW: no wait for pending output and no flush of type-ahead.
  if (tcsetattr(fd, TCSANOW, &keys) != 0) {
    active = 0;
    return;
  }
  owner_ = true;
  const cc_t eof = mode.c_cc[VEOF];
  if (eof != _POSIX_VDISABLE) eof_key_ = eof;
}

KeyMode::~KeyMode() {
  if (owner_) restore();
}

void restore() noexcept {
  if (!active) return;
  const int saved_errno = errno;
  tcsetattr(saved.fd, TCSANOW, &saved.mode);
  active = 0;
  errno = saved_errno;
}

void install_restore_handlers() {
  static std::once_flag once;
  std::call_once(once, install_once);
}

}  // namespace console_terminal
