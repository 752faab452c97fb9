// The console: output in the terminal's encoding, keys and numbers from one
// input buffer.
#include "console/console.h"

#include <cerrno>
#include <cstdarg>
#include <cstdlib>
#include <utility>
#include <vector>

#include <locale.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include "console/terminal.h"

namespace {

// Bytes asked for by one read of the input.
constexpr std::size_t kReadChunk = 16 * 1024;
// A buffer that grew for a very long line gives its memory back once it is
// mostly consumed.
constexpr std::size_t kKeepCapacity = 256 * 1024;

bool is_space(int c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The "C" locale, for numbers that never depend on the user's locale.
locale_t c_locale() {
  static const locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
  return loc;
}

std::string format_text(const char* fmt, va_list ap) {
  const locale_t c = c_locale();
  const locale_t previous = c != static_cast<locale_t>(0) ? uselocale(c) : static_cast<locale_t>(0);

  va_list again;
  va_copy(again, ap);
  char small[512];
  std::string text;
  const int n = std::vsnprintf(small, sizeof small, fmt, ap);
  if (n >= 0 && static_cast<std::size_t>(n) < sizeof small) {
    text.assign(small, static_cast<std::size_t>(n));
  } else if (n >= 0) {
    std::vector<char> big(static_cast<std::size_t>(n) + 1);
    std::vsnprintf(big.data(), big.size(), fmt, again);
    text.assign(big.data(), static_cast<std::size_t>(n));
  }
  va_end(again);

  if (previous != static_cast<locale_t>(0)) uselocale(previous);
  return text;
}

}  // namespace

Console& Console::standard(Encoding enc) {
  static Console console(0, stdout, enc);
  console_terminal::install_restore_handlers();
  return console;
}

Console::Console(std::string input, Encoding enc) : enc_(enc), buf_(std::move(input)) {}

Console::Console(int in_fd, std::FILE* out, Encoding enc)
    : in_fd_(in_fd), out_(out), enc_(enc), tty_(in_fd >= 0 && isatty(in_fd) == 1) {}

Console::~Console() = default;

// ---- Output ----

void Console::print(const char* utf8) {
  if (utf8 == nullptr) return;
  write_raw(encode_text(utf8, enc_));
  flush();
}

void Console::printf(const char* fmt, ...) {
  va_list ap;
  va_start(ap, fmt);
  vprintf(fmt, ap);
  va_end(ap);
}

void Console::vprintf(const char* fmt, va_list ap) {
  const std::string text = format_text(fmt, ap);
  write_raw(encode_text(text, enc_));
  flush();
}

void Console::write_raw(const std::string& bytes) {
  if (out_ != nullptr)
    std::fwrite(bytes.data(), 1, bytes.size(), out_);
  else
    captured_ += bytes;
}

void Console::flush() {
  if (out_ != nullptr) std::fflush(out_);
}

// ---- Input buffer ----

void Console::compact() {
  if (pos_ == 0) return;
  buf_.erase(0, pos_);
  pos_ = 0;
  if (buf_.capacity() > kKeepCapacity && buf_.size() < kKeepCapacity / 4) buf_.shrink_to_fit();
}

bool Console::fill() {
  if (in_fd_ < 0) return false;  // a scripted console has all of its input already
  compact();
  char chunk[kReadChunk];
  for (;;) {
    const ssize_t n = ::read(in_fd_, chunk, sizeof chunk);
    if (n > 0) {
      buf_.append(chunk, static_cast<std::size_t>(n));
      return true;
    }
    if (n == 0) return false;
    if (errno == EINTR) continue;
    if (errno == EAGAIN || errno == EWOULDBLOCK) {
      pollfd p{in_fd_, POLLIN, 0};
      ::poll(&p, 1, -1);
      continue;
    }
    return false;  // EIO after a hang-up and the like: no more input
  }
}

bool Console::fill_key() {
  if (!tty_) return fill();
  console_terminal::KeyMode keys(in_fd_);
  key_eof_ = keys.eof_key();
  return fill();
}

int Console::peek_byte() {
  if (pos_ >= buf_.size() && !fill()) return -1;
  return static_cast<unsigned char>(buf_[pos_]);
}

int Console::next_byte() {
  const int c = peek_byte();
  if (c >= 0) ++pos_;
  return c;
}

void Console::ensure_line() {
  std::size_t scanned = 0;  // bytes after pos_ known to hold no line feed
  for (;;) {
    if (buf_.find('\n', pos_ + scanned) != std::string::npos) return;
    scanned = buf_.size() - pos_;
    if (!fill()) return;
  }
}

void Console::drop_line() {
  for (;;) {
    const std::size_t lf = buf_.find('\n', pos_);
    if (lf != std::string::npos) {
      pos_ = lf + 1;
      return;
    }
    pos_ = buf_.size();
    if (!fill()) return;
  }
}

// ---- Reads ----

char Console::read_key() {
  ++reads_;
  flush();
  for (;;) {
    // Type-ahead first; then wait for the next key. On a terminal every key
    // counts (Enter and space too); piped or scripted input puts one answer
    // per line, so white space there only separates the answers.
    while (pos_ < buf_.size()) {
      const unsigned char c = static_cast<unsigned char>(buf_[pos_++]);
      if (tty_ && static_cast<int>(c) == key_eof_) input_ended();
      if (tty_ || !is_space(c)) return static_cast<char>(c);
    }
    if (!fill_key()) input_ended();
  }
}

int Console::read_numbers(double* v, int n) {
  ++reads_;
  flush();
  if (n <= 0) return 0;

  int got = 0;
  while (got < n) {
    int c;
    while ((c = peek_byte()) >= 0 && is_space(c)) ++pos_;
    if (c < 0) input_ended();

    // A token never spans a line feed, so with the whole line buffered it is
    // complete. strtod works on a NUL-terminated copy of the token, so it
    // cannot run past the buffered bytes.
    ensure_line();
    std::size_t end = pos_;
    while (end < buf_.size() && !is_space(static_cast<unsigned char>(buf_[end]))) ++end;
    const std::string token = buf_.substr(pos_, end - pos_);
    char* stop = nullptr;
    const locale_t c_loc = c_locale();
    const double value = c_loc != static_cast<locale_t>(0) ? strtod_l(token.c_str(), &stop, c_loc)
                                                          : std::strtod(token.c_str(), &stop);
    if (stop == token.c_str()) break;  // not a number: the value stays as it was
    v[got++] = value;
    pos_ += static_cast<std::size_t>(stop - token.c_str());
  }
  // The rest of the line goes, with the Enter that ended it.
  drop_line();
  return got;
}

// ---- End ----

void Console::discard_typed_ahead() {
  if (!tty_) return;
  tcflush(in_fd_, TCIFLUSH);
  buf_.clear();
  pos_ = 0;
}

void Console::input_ended() {
  console_terminal::restore();
  print(input_end_text_.c_str());
  terminate(1);
}

void Console::terminate(int status) {
  console_terminal::restore();
  flush();
  if (exit_handler_ != nullptr) exit_handler_(status);
  std::exit(status);
}
