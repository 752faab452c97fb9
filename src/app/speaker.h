// The console in the user's language: texts from the catalog, keys and numbers.
#pragma once

#include "app/text_catalog.h"
#include "console/console.h"

struct Speaker {
  Console& con;
  Lang lang;

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
