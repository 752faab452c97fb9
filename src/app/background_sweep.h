// The gear-ratio sweep of a task, computed point by point away from the
// window: on a thread of its own that hands the points to the solver's pool,
// or, where there are no threads (the page), a few points at a time on the
// caller between frames. The points reach the shown sweep only when taken,
// and only while they are of the sweep's generation: a sweep that was
// cancelled (the task changed) never shows a point.
#pragma once

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

#include "model/scenario.h"
#include "toc/switching_solver.h"

class WorkerPool;

class BackgroundSweep {
 public:
  BackgroundSweep() = default;
  BackgroundSweep(const BackgroundSweep&) = delete;
  BackgroundSweep& operator=(const BackgroundSweep&) = delete;
  ~BackgroundSweep();  // cancels the sweep and waits for its thread

  // Starts the sweep of task c for `sweep` (begun with begin_sweep for this
  // generation); points already done in it are kept and not computed
  // again. `threads`: on a thread of its own (with the pool's help when one
  // is given), else only in step().
  void start(const Conditions& c, const RatioSweep& sweep, SolverChoice choice, bool threads,
             WorkerPool* pool);
  // Stops handing out points; those under way finish unseen.
  void cancel();
  // A sweep was started and not cancelled, and not every point is taken yet.
  bool running() const { return current_ != nullptr; }

  // Computes points on the caller, for about `seconds` (at least one), when
  // the sweep runs without threads; false when there was nothing to compute.
  bool step(double seconds);
  // Copies the points done since the last take into `sweep`; true when any
  // came. The sweep ends once all are taken, or at once (cancelled) when
  // `sweep` is of another generation.
  bool take(RatioSweep& sweep);

 private:
  struct Work {
    Conditions task;
    SolverChoice choice;
    unsigned generation;
    SweepPoint points[2][kSweepRatios];
    std::atomic<bool> ready[2][kSweepRatios];  // points[a][i] is computed
    bool kept[2][kSweepRatios];   // done before the start: not computed (read-only)
    bool taken[2][kSweepRatios];  // kept, or handed to the shown sweep (caller only)
    std::atomic<int> next{0};                   // the next point in sweep_order
    std::atomic<bool> cancelled{false};
    std::atomic<bool> done{false};              // the thread has returned
    std::thread thread;
    // Computes the next point not done; false when none is left.
    bool compute_next();
  };
  void reap();

  std::unique_ptr<Work> current_;
  std::vector<std::unique_ptr<Work>> cancelled_;
};
