// What the dialogue works with besides the scenario: the console in the
// user's language (texts from the catalog, keys and numbers) and the choices
// made on the command line.
//
// A question is asked with `co_await ui.key("yn")` (the keys it takes) or
// `co_await ui.numbers(v, n)`:
// the dialogue stops there, the question is noted in `question`, and whoever
// runs the dialogue (dialogue_run.h) answers it from the console once the
// input has come.
#pragma once

#include <coroutine>
#include <cstdarg>
#include <string>

#include "app/motion_json.h"
#include "app/text_catalog.h"
#include "model/scenario.h"
#include "console/console.h"
#include "toc/switching_solver.h"

// What a dialogue waits on: a key or numbers from the console, or the solve
// of the switching times (which the window runs on a thread of its own).
struct Question {
  enum class Kind : char { None, Key, Numbers, Solve };
  Kind kind = Kind::None;
  double* values = nullptr;  // Numbers: where the values go, `count` of them
  int count = 0;
  Scenario* scenario = nullptr;  // Solve: whose selected robot
  // Key: the keys that mean something to it ("yn", "ab", ...), for a page
  // that offers them as buttons; empty: any key goes on. Every key is still
  // an answer, as typed.
  const char* accepts = "";
  char key = 0;              // the answers
  int got = 0;
  SwitchingSolution solution{};
  std::coroutine_handle<> waiting;  // the dialogue, resumed with the answer
};

// Who solves for the switching times while the dialogue waits, without
// holding up the one who runs it. poll() starts the solve the question asks
// for, and once it is done stores its result in the question's scenario and
// in q.solution and answers true.
class SolveRunner {
 public:
  virtual bool poll(Question& q) = 0;

 protected:
  ~SolveRunner() = default;
};

struct Ui {
  Ui(Console& console, Lang language) : con(console), lang(language) {}

  Console& con;
  Lang lang;
  SolverChoice solver = SolverChoice::Optimal;
  WorkerPool* pool = nullptr;  // threads the solver may use; none: it runs on the caller
  SolveRunner* solve_runner = nullptr;  // none: a solve runs at once, where it is asked for
  std::string csv_path;  // where every successful computation writes its records; empty: nowhere
  bool csv_created = false;  // csv_path is this run's own file (later writes replace it)
  bool csv_failed = false;   // a write to csv_path failed: the run ends with status 1
  JsonLinesFile json;  // where every computation adds a line (--json); no path: nowhere
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

  // co_await key(accepts): one key; `accepts` (a string literal) names the
  // keys the question takes, "" for a key that only goes on.
  struct KeyAnswer {
    Question& q;
    const char* accepts;
    bool await_ready() const noexcept { return false; }
    void await_suspend(std::coroutine_handle<> h) noexcept {
      q = Question{};
      q.kind = Question::Kind::Key;
      q.accepts = accepts;
      q.waiting = h;
    }
    char await_resume() const noexcept { return q.key; }
  };
  KeyAnswer key(const char* accepts = "") { return KeyAnswer{question, accepts}; }

  // co_await numbers(v, n): up to n values into v (Console::try_numbers); how many came.
  struct NumbersAnswer {
    Question& q;
    double* v;
    int n;
    bool await_ready() const noexcept { return false; }
    void await_suspend(std::coroutine_handle<> h) noexcept {
      q = Question{};
      q.kind = Question::Kind::Numbers;
      q.values = v;
      q.count = n;
      q.waiting = h;
    }
    int await_resume() const noexcept { return q.got; }
  };
  NumbersAnswer numbers(double* v, int n) { return NumbersAnswer{question, v, n}; }

  // co_await solve(s): the switching times of s's selected robot with its
  // time-optimal record (recompute_time_optimal), done by the solve runner.
  struct SolveAnswer {
    Question& q;
    Scenario& s;
    bool await_ready() const noexcept { return false; }
    void await_suspend(std::coroutine_handle<> h) noexcept {
      q = Question{};
      q.kind = Question::Kind::Solve;
      q.scenario = &s;
      q.waiting = h;
    }
    SwitchingSolution await_resume() const noexcept { return q.solution; }
  };
  SolveAnswer solve(Scenario& s) { return SolveAnswer{question, s}; }
};
