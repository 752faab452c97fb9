#include "app/background_solve.h"

#include "app/finished_threads.h"
#include "app/recompute.h"

BackgroundSolve::~BackgroundSolve() {
  drop();
  for (const std::unique_ptr<Work>& w : dropped_) w->thread.join();
}

void BackgroundSolve::start(const Scenario& s, SolverChoice choice, WorkerPool* pool) {
  drop();
  reap();
  current_ = std::make_unique<Work>();
  current_->s = std::make_unique<Scenario>(s);
  Work* work = current_.get();
  work->thread = std::thread([work, choice, pool] {
    work->solution = recompute_time_optimal(*work->s, choice, pool);
    work->done.store(true, std::memory_order_release);
  });
}

bool BackgroundSolve::ready() const {
  return current_ != nullptr && current_->done.load(std::memory_order_acquire);
}

SwitchingSolution BackgroundSolve::take(Scenario& s) {
  current_->thread.join();
  const SwitchingSolution solution = current_->solution;
  // The solve changes only the selected robot's run in the copy.
  model_run(s, s.robot) = model_run(*current_->s, s.robot);
  current_.reset();
  return solution;
}

void BackgroundSolve::drop() {
  if (current_ != nullptr) dropped_.push_back(std::move(current_));
}

void BackgroundSolve::reap() { join_finished(dropped_); }
