// Helpers shared by the console tests.
#pragma once

#include <chrono>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include <poll.h>
#include <unistd.h>

#include "console/console.h"

namespace console_test {

inline std::string bytes(std::initializer_list<int> list) {
  std::string s;
  for (int b : list) s.push_back(static_cast<char>(b));
  return s;
}

// Saves the locale variables and the LC_CTYPE / LC_NUMERIC locale of the
// process, and puts them back on destruction.
class LocaleEnvironment {
 public:
  LocaleEnvironment() {
    for (const char* name : kNames) {
      const char* v = std::getenv(name);
      saved_.push_back(v ? std::optional<std::string>(v) : std::nullopt);
    }
    ctype_ = std::setlocale(LC_CTYPE, nullptr);
    numeric_ = std::setlocale(LC_NUMERIC, nullptr);
    clear();
  }
  ~LocaleEnvironment() {
    for (std::size_t i = 0; i < std::size(kNames); ++i) {
      if (saved_[i]) setenv(kNames[i], saved_[i]->c_str(), 1);
      else unsetenv(kNames[i]);
    }
    std::setlocale(LC_CTYPE, ctype_.c_str());
    std::setlocale(LC_NUMERIC, numeric_.c_str());
  }
  LocaleEnvironment(const LocaleEnvironment&) = delete;
  LocaleEnvironment& operator=(const LocaleEnvironment&) = delete;

  // Unsets every locale variable.
  void clear() {
    for (const char* name : kNames) unsetenv(name);
  }
  void set(const char* name, const char* value) { setenv(name, value, 1); }

 private:
  static constexpr const char* kNames[] = {"LC_ALL", "LC_CTYPE", "LANG", "LC_NUMERIC", "LC_MESSAGES"};
  std::vector<std::optional<std::string>> saved_;
  std::string ctype_;
  std::string numeric_;
};

// Polls cond every millisecond until it holds or the time is up.
template <class Cond>
bool wait_until(Cond cond, int timeout_ms = 2000) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  while (!cond()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    usleep(1000);
  }
  return true;
}

// Reads from fd until the marker byte has arrived (included in the result),
// the other side is closed, or the time is up.
inline std::string read_until(int fd, char marker, int timeout_ms = 2000) {
  std::string got;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  while (got.find(marker) == std::string::npos) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now()).count();
    if (left <= 0) break;
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, static_cast<int>(left)) <= 0) break;
    char chunk[4096];
    const ssize_t n = read(fd, chunk, sizeof chunk);
    if (n <= 0) break;
    got.append(chunk, static_cast<std::size_t>(n));
  }
  return got;
}

// Reads everything until the other side is closed (or the time is up).
inline std::string read_all(int fd, int timeout_ms = 2000) { return read_until(fd, '\0', timeout_ms); }

inline const char* const kInputEnded = "\nコンソール入力が終わりました。終了します。\n";

}  // namespace console_test
