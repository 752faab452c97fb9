#include "app/dialogue_run.h"

#include <utility>

#include "app/options.h"
#include "app/recompute.h"

Progress DialogueRun::advance(Ui& ui) {
  if (!started_) {
    started_ = true;
    task_.resume();
  }
  for (;;) {
    if (task_.done()) {
      ui.con.idle();
      ui.question = Question{};
      return task_.result() == DialogueEnd::Quit ? Progress::Quit : Progress::Done;
    }
    Question& q = ui.question;
    if (q.kind == Question::Kind::Solve) {
      if (ui.solve_runner == nullptr) {
        q.solution = recompute_time_optimal(*q.scenario, ui.solver, ui.pool);
      } else if (!ui.solve_runner->poll(q)) {
        return Progress::Waiting;
      }
    } else {
      const Console::Read r = q.kind == Question::Kind::Key
                                  ? ui.con.try_key(q.key)
                                  : ui.con.try_numbers(q.values, q.count, q.got);
      if (r == Console::Read::Wait) return Progress::Waiting;
      if (r == Console::Read::Ended) return Progress::InputEnded;
    }
    q.kind = Question::Kind::None;
    std::exchange(q.waiting, {}).resume();
  }
}

Progress DialogueRun::finish(Ui& ui) {
  for (;;) {
    const Progress p = advance(ui);
    if (p != Progress::Waiting) return p;
    ui.con.wait_for_input(waits_for_key(ui));
  }
}

int exit_status(Progress p) { return p == Progress::InputEnded ? app::kExitFailure : app::kExitOk; }
