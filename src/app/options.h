// The command line of tocsim: what the user asked for, and what to print when
// the program should not run (help, version, a bad option).
#pragma once

#include <string>

#include "app/task_answers.h"
#include "app/text_catalog.h"
#include "console/console.h"
#include "model/selectors.h"
#include "toc/switching_solver.h"

namespace app {

using Language = ::Lang;
enum class EncodingChoice { Auto, Utf8, Cp932 };
using SolverChoice = ::SolverChoice;

// Exit statuses of the whole program.
inline constexpr int kExitOk = 0;          // normal end, --help, --version
inline constexpr int kExitFailure = 1;     // console input ended, no display, a file not written
inline constexpr int kExitUsage = 2;       // bad command line

struct Options {
  Language lang = Language::Ja;
  EncodingChoice encoding = EncodingChoice::Auto;
  bool no_window = false;    // end after the console dialogue, before the window
  std::string csv_path;      // empty: no CSV after each computation
  std::string json_path;     // empty: no JSON line after each computation
  std::string sweep_path;    // empty: no gear-ratio sweep after the dialogue
  SolverChoice solver = SolverChoice::Optimal;
  ViewMode view = ViewMode::Classic;  // the picture the window opens with
  TaskOptions task;  // --robot, --gravity, --ratios, --points, --elbow (task_answers.h)
};

enum class ParseAction {
  Run,          // go on with the program
  ShowHelp,     // print text on stdout, exit with exit_status (0)
  ShowVersion,  // print text on stdout, exit with exit_status (0)
  Fail,         // print text on stderr, exit with exit_status (2)
};

struct ParseResult {
  ParseAction action = ParseAction::Run;
  Options options;
  std::string text;     // UTF-8; ends with a line feed; empty for Run
  int exit_status = kExitOk;
};

// Parses the whole command line with getopt_long. Prints nothing: the caller
// prints `text` (stdout for help and version, stderr for a failure) and exits
// with `exit_status` unless the action is Run. --lang decides the language of
// the help and of the error line wherever it stands on the line; the first
// error found is the one reported, and a task option given without those its
// questions come after (task_item_out_of_order) only when there is no other.
// argv is not changed.
ParseResult parse_options(int argc, const char* const* argv);

// "tocsim <version>".
std::string version_line();

// The help text in the given language.
std::string help_text(Language lang);

// The console encoding the options ask for (Auto: from the locale).
Encoding console_encoding(const Options& options);

}  // namespace app
