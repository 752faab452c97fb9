// PLACEHOLDER: replaced by the real console layer.
#include "console/console.h"
#include <cstdarg>
#include <cstdlib>
#include <vector>
Encoding detect_console_encoding() { return Encoding::Utf8; }
std::string encode_text(const std::string& utf8, Encoding) { return utf8; }
Console& Console::standard() { static Console c(0, stdout, Encoding::Utf8); return c; }
Console::Console(std::string input, Encoding enc) : enc_(enc), buf_(std::move(input)) {}
Console::Console(int in_fd, std::FILE* out, Encoding enc) : in_fd_(in_fd), out_(out), enc_(enc) {}
Console::~Console() {}
void Console::print(const char* t) { write_raw(t); }
void Console::printf(const char* fmt, ...) {
  va_list ap; va_start(ap, fmt); std::vector<char> b(4096); vsnprintf(b.data(), b.size(), fmt, ap); va_end(ap); write_raw(b.data());
}
void Console::write_raw(const std::string& s) { if (out_) { fputs(s.c_str(), out_); } else captured_ += s; }
void Console::flush() { if (out_) fflush(out_); }
bool Console::fill() { return false; }
int Console::next_byte() { return pos_ < buf_.size() ? (unsigned char)buf_[pos_++] : -1; }
int Console::peek_byte() { return pos_ < buf_.size() ? (unsigned char)buf_[pos_] : -1; }
void Console::input_ended() { terminate(1); }
void Console::terminate(int st) { if (exit_handler_) exit_handler_(st); std::exit(st); }
char Console::read_key() { int c; do { c = next_byte(); } while (c == ' ' || c == '\n' || c == '\t' || c == '\r'); if (c < 0) input_ended(); return (char)c; }
int Console::read_numbers(double* v, int n) { (void)v; (void)n; return 0; }
