// The console: everything the program prints or reads goes through one Console.
// Texts are passed in UTF-8 and written in the terminal's encoding (UTF-8,
// CP932, or plain ASCII). Keys and numbers come from one input buffer, in order.
#pragma once

#include <cstdarg>
#include <cstdio>
#include <optional>
#include <string>
#include <utility>

#include "console/terminal.h"

// Ascii: for English on a terminal whose character set is not UTF-8; letters
// outside ASCII are spelled out (tau, alpha, Phi, pi).
enum class Encoding { Utf8, Cp932, Ascii };

// UTF-8 when the locale's character set is UTF-8, otherwise CP932 (see encoding.cpp).
Encoding detect_console_encoding();

// UTF-8 text converted to the given encoding (bytes that cannot be converted are kept).
std::string encode_text(const std::string& utf8, Encoding enc);

class Console {
 public:
  // The process's standard input and output. On a terminal, keys are read
  // without echo and without Enter; the terminal is restored after each key
  // and when the process ends or is stopped by SIGINT/SIGTERM/SIGHUP.
  // The first call decides the encoding.
  static Console& standard(Encoding enc);

  // A scripted console: input comes from the string, output is captured and
  // can be read back with output(). Nothing touches the terminal.
  Console(std::string input, Encoding enc);

  // A console whose keys are handed to it by the program (feed()) as a
  // terminal delivers them: every byte is a key, and keys typed before a
  // dialogue starts are dropped. Output is captured as in a scripted console.
  // For a platform without a terminal of its own (the web page's console pane).
  struct Fed {};
  Console(Fed, Encoding enc) : enc_(enc), tty_(true) {}

  // Fed consoles: bytes typed since the last call (a number line comes whole,
  // with its line feed, as a terminal in line mode gives it).
  void feed(const std::string& bytes) { buf_ += bytes; }

  // Answers to the questions to come, read before any input not yet read
  // (after answers given earlier), and read as from a pipe whatever the input
  // is: white space only separates them, one answer per line. Nothing of them
  // is echoed, as nothing of piped input is. On a pipe the input then reads as
  // if it followed the answers in the same pipe.
  void answer_first(const std::string& answers);

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
  // printf-style, to standard error (a scripted console keeps it apart).
  void error_printf(const char* fmt, ...) __attribute__((format(printf, 2, 3)));

  // The line printed when the input ends during a read (UTF-8); the program
  // then ends with status 1. Empty by default.
  void set_input_end_text(std::string utf8) { input_end_text_ = std::move(utf8); }

  // How a read went: done, waiting for input that has not arrived yet, or
  // met the end of the input (then the end text has been printed and the
  // terminal restored; every later read ends the same way).
  enum class Read { Done, Wait, Ended };

  // One key from what has arrived. On a terminal: every byte is a key. From a
  // pipe or file (or a scripted console): the next byte that is not white space.
  Read try_key(char& key);

  // Up to n whitespace-separated decimals (they may run over several lines)
  // into v[0..n-1], from what has arrived; stops at the first token that is
  // not a number, leaving the rest of v unchanged, then drops the rest of that
  // line. `got` is how many values were read. After Wait the read is half
  // done: ask again with the same v and n once more input has arrived.
  Read try_numbers(double* v, int n, int& got);

  // Reads whatever input is there without waiting (the event loop's poll).
  // `for_key`: a key question waits, so a terminal delivers keys without
  // Enter and without echo until the next call or idle().
  void take_available(bool for_key);

  // Waits for more input (the plain loop without a window).
  void wait_for_input(bool for_key);

  // No question waits: the terminal is back in its own mode.
  void idle();

  // Blocking forms: wait until the read is done. Nothing when the input ended.
  std::optional<char> read_key();
  // How many values were read, or -1 when the input ended first.
  int read_numbers(double* v, int n);

  // On a terminal: forgets every key typed so far and not yet read (also those
  // the terminal still holds), so that a question asked now is answered only by
  // keys typed after it. From a pipe or file nothing is dropped.
  void discard_typed_ahead();

  // Restores the terminal, ends an unfinished last line when the output is a
  // terminal, and flushes the output: the last thing before the program
  // returns from main.
  void finish();

  // Whether the input has ended (a read met its end).
  bool ended() const { return ended_; }

  // Scripted consoles: everything written so far (in the console's encoding).
  const std::string& output() const { return captured_; }
  void clear_output() { captured_.clear(); }
  // Everything written to standard error so far, when output is captured.
  const std::string& error_output() const { return captured_errors_; }

  Encoding encoding() const { return enc_; }

  // Number of key and number reads so far (for bounded-session checks).
  long reads() const { return reads_; }

 private:
  void fill(bool block);      // reads more input into the buffer; at its end, sets at_end_
  void compact();             // forgets the bytes already consumed
  Read input_ended();
  void key_mode(bool on);     // a terminal delivers keys without Enter and echo while on
  void write_raw(const std::string& bytes);
  void flush();

  int in_fd_ = -1;            // -1 for a scripted console
  std::FILE* out_ = nullptr;  // nullptr: output is captured
  Encoding enc_;
  bool tty_ = false;
  std::string buf_;           // pending input bytes
  std::size_t pos_ = 0;       // read position in buf_
  std::size_t answers_end_ = 0;  // buf_ before this holds answers given first (answer_first)
  std::string captured_;
  std::string captured_errors_;
  bool line_open_ = false;    // the last byte written was not a line feed
  long reads_ = 0;
  int key_eof_ = -1;          // the terminal's end-of-file key (Ctrl-D) during key reads
  bool at_end_ = false;       // the input has no more bytes than buf_ holds
  bool ended_ = false;        // a read met the end
  // A number read that waits for input: values read so far, whether only the
  // rest of the line is left to drop, and how far past pos_ no line feed is.
  int numbers_got_ = 0;
  bool numbers_dropping_ = false;
  std::size_t line_scanned_ = 0;
  std::optional<console_terminal::KeyMode> key_mode_;
  std::string input_end_text_;
};
