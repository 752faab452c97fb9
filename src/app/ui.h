// What the dialogue works with besides the scenario: the console in the
// user's language (texts from the catalog, keys and numbers) and the choices
// made on the command line.
#pragma once

#include <string>

#include "app/text_catalog.h"
#include "console/console.h"
#include "toc/switching_solver.h"

struct Ui {
  Ui(Console& console, Lang language) : con(console), lang(language) {}

  Console& con;
  Lang lang;
  SolverChoice solver = SolverChoice::Extended;
  std::string csv_path;  // where every successful computation writes its records; empty: nowhere
  bool csv_created = false;  // csv_path is this run's own file (later writes replace it)
  std::string output_dir = ".";  // where the window keys keep pictures and motions

  void say(Text id) { con.print(text(id, lang)); }
  // The text is a printf format taking the given arguments in every language.
  void sayf(Text id, ...) {
    va_list ap;
    va_start(ap, id);
    con.vprintf(text(id, lang), ap);
    va_end(ap);
  }
  char key() { return con.read_key(); }
};
