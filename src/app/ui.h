// What the dialogue works with besides the scenario: the console in the
// user's language (texts from the catalog, keys and numbers) and the choices
// made on the command line.
//
// A question is asked with `co_await ui.key()` or `co_await ui.numbers(v, n)`:
// the dialogue stops there, the question is noted in `question`, and whoever
// runs the dialogue (dialogue_run.h) answers it from the console once the
// input has come.
#pragma once

#include <coroutine>
#include <cstdarg>
#include <string>

#include "app/text_catalog.h"
#include "console/console.h"
#include "toc/switching_solver.h"

// The question a dialogue waits on.
struct Question {
  enum class Kind : char { None, Key, Numbers };
  Kind kind = Kind::None;
  double* values = nullptr;  // Numbers: where the values go, `count` of them
  int count = 0;
  char key = 0;              // the answers
  int got = 0;
  std::coroutine_handle<> waiting;  // the dialogue, resumed with the answer
};

struct Ui {
  Ui(Console& console, Lang language) : con(console), lang(language) {}

  Console& con;
  Lang lang;
  SolverChoice solver = SolverChoice::Extended;
  WorkerPool* pool = nullptr;  // threads the solver may use; none: it runs on the caller
  std::string csv_path;  // where every successful computation writes its records; empty: nowhere
  bool csv_created = false;  // csv_path is this run's own file (later writes replace it)
  bool csv_failed = false;   // a write to csv_path failed: the run ends with status 1
  std::string output_dir = ".";  // where the window keys keep pictures and motions
  Question question;

  void say(Text id) { con.print(text(id, lang)); }
  // The text is a printf format taking the given arguments in every language.
  void sayf(Text id, ...) {
    va_list ap;
    va_start(ap, id);
    con.vprintf(text(id, lang), ap);
    va_end(ap);
  }

  // co_await key(): one key.
  struct KeyAnswer {
    Question& q;
    bool await_ready() const noexcept { return false; }
    void await_suspend(std::coroutine_handle<> h) noexcept {
      q = Question{Question::Kind::Key, nullptr, 0, 0, 0, h};
    }
    char await_resume() const noexcept { return q.key; }
  };
  KeyAnswer key() { return KeyAnswer{question}; }

  // co_await numbers(v, n): up to n values into v (Console::try_numbers); how many came.
  struct NumbersAnswer {
    Question& q;
    double* v;
    int n;
    bool await_ready() const noexcept { return false; }
    void await_suspend(std::coroutine_handle<> h) noexcept {
      q = Question{Question::Kind::Numbers, v, n, 0, 0, h};
    }
    int await_resume() const noexcept { return q.got; }
  };
  NumbersAnswer numbers(double* v, int n) { return NumbersAnswer{question, v, n}; }
};
