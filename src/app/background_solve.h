// The switching-time solve on a thread of its own, so that the window goes on
// drawing the old motion while the new one is computed. The solve works on a
// copy of the scenario; its result reaches the shown state only when taken.
// A solve that is dropped (the conditions changed again) is never taken: its
// thread finishes on its own and is joined later.
#pragma once

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

#include "model/scenario.h"
#include "toc/switching_solver.h"

class WorkerPool;

class BackgroundSolve {
 public:
  BackgroundSolve() = default;
  BackgroundSolve(const BackgroundSolve&) = delete;
  BackgroundSolve& operator=(const BackgroundSolve&) = delete;
  ~BackgroundSolve();  // waits for every solve still running

  // Starts recompute_time_optimal on a copy of s.
  void start(const Scenario& s, SolverChoice choice, WorkerPool* pool);
  bool running() const { return current_ != nullptr; }
  // The solve started last has finished.
  bool ready() const;
  // Its result: the selected robot's run (switching times, signs and
  // time-optimal record) copied into s, and the solution.
  SwitchingSolution take(Scenario& s);
  // Forgets the solve started last; its result is never taken.
  void drop();

 private:
  struct Work {
    std::unique_ptr<Scenario> s;
    SwitchingSolution solution{};
    std::atomic<bool> done{false};
    std::thread thread;
  };
  void reap();  // joins the dropped solves that have finished

  std::unique_ptr<Work> current_;
  std::vector<std::unique_ptr<Work>> dropped_;
};
