// The console: everything the program prints or reads goes through one Console.
// Texts are passed in UTF-8 and written in the terminal's encoding (UTF-8 or
// CP932). Keys and numbers come from one input buffer, in order.
#pragma once

#include <cstdarg>
#include <cstdio>
#include <string>
#include <utility>

enum class Encoding { Utf8, Cp932 };

// UTF-8 when the locale's character set is UTF-8, otherwise CP932 (see encoding.cpp).
Encoding detect_console_encoding();

// UTF-8 text converted to the given encoding (bytes that cannot be converted are kept).
std::string encode_text(const std::string& utf8, Encoding enc);

class Console {
 public:
  // The process's standard input and output. On a terminal, keys are read
  // without echo and without Enter; the terminal is restored after each read
  // and when the process ends or is stopped by SIGINT/SIGTERM/SIGHUP.
  // The first call decides the encoding.
  static Console& standard(Encoding enc);

  // A scripted console: input comes from the string, output is captured and
  // can be read back with output(). Nothing touches the terminal.
  Console(std::string input, Encoding enc);

  // Reads from a file descriptor and writes to a stream (standard() uses 0 and stdout).
  Console(int in_fd, std::FILE* out, Encoding enc);

  Console(const Console&) = delete;
  Console& operator=(const Console&) = delete;
  ~Console();

  // Prints UTF-8 text as it stands.
  void print(const char* utf8);
  // printf-style; numbers always with a decimal point (LC_NUMERIC stays "C").
  void printf(const char* fmt, ...) __attribute__((format(printf, 2, 3)));
  void vprintf(const char* fmt, va_list ap);

  // The line printed when the input ends during a read (UTF-8), before the
  // process ends with status 1. Empty by default.
  void set_input_end_text(std::string utf8) { input_end_text_ = std::move(utf8); }

  // One key. On a terminal: without echo and without Enter. From a pipe or
  // file (or a scripted console): the next byte that is not white space.
  char read_key();

  // Reads up to n whitespace-separated decimals (they may run over several
  // lines) into v[0..n-1]; stops at the first token that is not a number,
  // leaving the rest of v unchanged, then drops the rest of that line.
  // Returns how many values were read.
  int read_numbers(double* v, int n);

  // On a terminal: forgets every key typed so far and not yet read (also those
  // the terminal still holds), so that a question asked now is answered only by
  // keys typed after it. From a pipe or file nothing is dropped.
  void discard_typed_ahead();

  // Ends the process with the given status after restoring the terminal,
  // through the exit handler (std::exit unless a test replaced it).
  [[noreturn]] void terminate(int status);

  // Scripted consoles: everything written so far (in the console's encoding).
  const std::string& output() const { return captured_; }
  void clear_output() { captured_.clear(); }

  Encoding encoding() const { return enc_; }

  // Replaces what terminate() does after restoring the terminal. A handler
  // must not return (it may throw or longjmp); if it does, std::exit follows.
  using ExitHandler = void (*)(int status);
  void set_exit_handler(ExitHandler h) { exit_handler_ = h; }

  // Number of key and number reads so far (for bounded-session checks).
  long reads() const { return reads_; }

 private:
  int next_byte();            // -1 at end of input
  int peek_byte();            // -1 at end of input
  bool fill();                // reads more input into the buffer; false at end
  bool fill_key();            // fill(), on a terminal without echo and without Enter
  void ensure_line();         // buffers up to the next line feed (or the end of input)
  void drop_line();           // drops the rest of the current line and its line feed
  void compact();             // forgets the bytes already consumed
  [[noreturn]] void input_ended();
  void write_raw(const std::string& bytes);
  void flush();

  int in_fd_ = -1;            // -1 for a scripted console
  std::FILE* out_ = nullptr;  // nullptr: output is captured
  Encoding enc_;
  bool tty_ = false;
  std::string buf_;           // pending input bytes
  std::size_t pos_ = 0;       // read position in buf_
  std::string captured_;
  ExitHandler exit_handler_ = nullptr;
  long reads_ = 0;
  int key_eof_ = -1;
  std::string input_end_text_;          // the terminal's end-of-file key (Ctrl-D) during key reads
};
