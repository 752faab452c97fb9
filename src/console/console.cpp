// The console: output in the terminal's encoding, keys and numbers from one
// input buffer.
#include "console/console.h"

#include <algorithm>
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

#include "console/format_text.h"
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

}  // namespace

Console& Console::standard(Encoding enc) {
  static Console console(0, stdout, enc);
  console_terminal::install_restore_handlers();
  return console;
}

// A scripted console has all of its input from the start.
Console::Console(std::string input, Encoding enc)
    : enc_(enc), buf_(std::move(input)), at_end_(true) {}

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

void Console::error_printf(const char* fmt, ...) {
  va_list ap;
  va_start(ap, fmt);
  const std::string bytes = encode_text(format_text(fmt, ap), enc_);
  va_end(ap);
  if (out_ == nullptr) {
    captured_errors_ += bytes;
    return;
  }
  flush();  // what stands on standard output comes first
  std::fwrite(bytes.data(), 1, bytes.size(), stderr);
  std::fflush(stderr);
}

void Console::write_raw(const std::string& bytes) {
  if (!bytes.empty()) line_open_ = bytes.back() != '\n';
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
  answers_end_ -= std::min(answers_end_, pos_);
  pos_ = 0;
  if (buf_.capacity() > kKeepCapacity && buf_.size() < kKeepCapacity / 4) buf_.shrink_to_fit();
}

void Console::fill(bool block) {
  // A fed console has its bytes in the buffer already.
  if (at_end_ || in_fd_ < 0) return;
  if (!block) {
    pollfd p{in_fd_, POLLIN, 0};
    if (::poll(&p, 1, 0) <= 0) return;  // nothing yet (a hang-up shows as POLLHUP: read it)
  }
  compact();
  char chunk[kReadChunk];
  for (;;) {
    const ssize_t n = ::read(in_fd_, chunk, sizeof chunk);
    if (n > 0) {
      buf_.append(chunk, static_cast<std::size_t>(n));
      return;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      if (!block) return;
      pollfd p{in_fd_, POLLIN, 0};
      ::poll(&p, 1, -1);
      continue;
    }
    at_end_ = true;  // end of file, or EIO after a hang-up and the like
    return;
  }
}

void Console::key_mode(bool on) {
  if (!tty_ || in_fd_ < 0 || on == key_mode_.has_value()) return;
  if (on) {
    key_mode_.emplace(in_fd_);
    key_eof_ = key_mode_->eof_key();
  } else {
    key_mode_.reset();
  }
}

void Console::take_available(bool for_key) {
  flush();
  key_mode(for_key);
  fill(false);
}

void Console::wait_for_input(bool for_key) {
  flush();
  // On a terminal the key mode lasts only while a key is awaited, so that
  // the terminal is itself again between questions.
  key_mode(for_key);
  fill(true);
  key_mode(false);
}

void Console::idle() { key_mode(false); }

// ---- Reads ----

Console::Read Console::try_key(char& key) {
  if (ended_) return input_ended();
  // On a terminal every key counts (Enter and space too); piped or scripted
  // input puts one answer per line, so white space there only separates the
  // answers.
  while (pos_ < buf_.size()) {
    const bool typed = tty_ && pos_ >= answers_end_;  // answers given first read as piped
    const unsigned char c = static_cast<unsigned char>(buf_[pos_++]);
    if (typed && static_cast<int>(c) == key_eof_) return input_ended();
    if (typed || !is_space(c)) {
      ++reads_;
      key = static_cast<char>(c);
      return Read::Done;
    }
  }
  return at_end_ ? input_ended() : Read::Wait;
}

Console::Read Console::try_numbers(double* v, int n, int& got) {
  if (ended_) return input_ended();
  if (n <= 0) {
    got = 0;
    ++reads_;
    return Read::Done;
  }
  while (!numbers_dropping_ && numbers_got_ < n) {
    while (pos_ < buf_.size() && is_space(static_cast<unsigned char>(buf_[pos_]))) ++pos_;
    if (pos_ >= buf_.size()) return at_end_ ? input_ended() : Read::Wait;

    // A token never spans a line feed, so with the whole line buffered it is
    // complete. strtod works on a NUL-terminated copy of the token, so it
    // cannot run past the buffered bytes.
    if (!at_end_) {
      if (buf_.find('\n', pos_ + line_scanned_) == std::string::npos) {
        line_scanned_ = buf_.size() - pos_;
        return Read::Wait;
      }
    }
    line_scanned_ = 0;
    std::size_t end = pos_;
    while (end < buf_.size() && !is_space(static_cast<unsigned char>(buf_[end]))) ++end;
    const std::string token = buf_.substr(pos_, end - pos_);
    char* stop = nullptr;
    const locale_t c_loc = c_locale();
    const double value = c_loc != static_cast<locale_t>(0) ? strtod_l(token.c_str(), &stop, c_loc)
                                                          : std::strtod(token.c_str(), &stop);
    if (stop == token.c_str()) break;  // not a number: the value stays as it was
    v[numbers_got_++] = value;
    pos_ += static_cast<std::size_t>(stop - token.c_str());
  }
  // The rest of the line goes, with the Enter that ended it.
  numbers_dropping_ = true;
  const std::size_t lf = buf_.find('\n', pos_);
  if (lf == std::string::npos) {
    pos_ = buf_.size();
    if (!at_end_) return Read::Wait;
  } else {
    pos_ = lf + 1;
  }
  got = numbers_got_;
  numbers_got_ = 0;
  numbers_dropping_ = false;
  ++reads_;
  return Read::Done;
}

std::optional<char> Console::read_key() {
  char key = 0;
  for (;;) {
    const Read r = try_key(key);
    if (r == Read::Done) return key;
    if (r == Read::Ended) return std::nullopt;
    wait_for_input(true);
  }
}

int Console::read_numbers(double* v, int n) {
  int got = 0;
  for (;;) {
    const Read r = try_numbers(v, n, got);
    if (r == Read::Done) return got;
    if (r == Read::Ended) return -1;
    wait_for_input(false);
  }
}

// ---- End ----

void Console::answer_first(const std::string& answers) {
  const std::size_t at = std::max(pos_, answers_end_);
  buf_.insert(at, answers);
  answers_end_ = at + answers.size();
}

void Console::discard_typed_ahead() {
  if (!tty_) return;
  if (in_fd_ >= 0) tcflush(in_fd_, TCIFLUSH);
  // Answers given first were not typed: those not read yet stay.
  compact();
  buf_.resize(answers_end_);
  numbers_got_ = 0;
  numbers_dropping_ = false;
  line_scanned_ = 0;
}

Console::Read Console::input_ended() {
  key_mode(false);
  console_terminal::restore();
  if (!ended_) {
    ended_ = true;
    ++reads_;
    print(input_end_text_.c_str());
  }
  return Read::Ended;
}

void Console::finish() {
  key_mode(false);
  console_terminal::restore();
  // A shell's prompt on a terminal starts a line of its own; a pipe or file
  // gets exactly what was written.
  if (line_open_ && out_ != nullptr && isatty(fileno(out_)) == 1) write_raw("\n");
  flush();
}
