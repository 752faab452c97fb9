#include "app/background_sweep.h"

#include <chrono>

#include "app/finished_threads.h"
#include "app/sweep_point.h"
#include "toc/worker_pool.h"

namespace {
constexpr int kPoints = 2 * kSweepRatios;
}  // namespace

BackgroundSweep::~BackgroundSweep() {
  cancel();
  for (const std::unique_ptr<Work>& w : cancelled_)
    if (w->thread.joinable()) w->thread.join();
}

bool BackgroundSweep::Work::compute_next() {
  for (;;) {
    if (cancelled.load(std::memory_order_relaxed)) return false;
    const int k = next.fetch_add(1, std::memory_order_relaxed);
    if (k >= kPoints) return false;
    int axis = 0, i = 0;
    sweep_order(k, axis, i);
    if (kept[axis][i]) continue;
    points[axis][i] = sweep_point(task, choice, axis, i);
    ready[axis][i].store(true, std::memory_order_release);
    return true;
  }
}

void BackgroundSweep::start(const Conditions& c, const RatioSweep& sweep, SolverChoice choice,
                            bool threads, WorkerPool* pool) {
  cancel();
  reap();
  current_ = std::make_unique<Work>();
  Work* work = current_.get();
  work->task = c;
  work->choice = choice;
  work->generation = sweep.generation;
  for (int a = 0; a < 2; ++a)
    for (int i = 0; i < kSweepRatios; ++i) {
      // Written before the thread starts, read-only after.
      work->kept[a][i] = work->taken[a][i] = sweep.axis[a][i].done || !sweep.robot_selected;
      work->ready[a][i].store(false, std::memory_order_relaxed);
    }
  if (!threads) return;
  work->thread = std::thread([work, pool] {
    auto piece = [work](int) { work->compute_next(); };
    if (pool != nullptr) {
      pool->for_each(kPoints, piece);
    } else {
      while (work->compute_next()) {
      }
    }
    work->done.store(true, std::memory_order_release);
  });
}

void BackgroundSweep::cancel() {
  if (current_ == nullptr) return;
  current_->cancelled.store(true, std::memory_order_relaxed);
  if (current_->thread.joinable()) {
    cancelled_.push_back(std::move(current_));
  } else {
    current_.reset();
  }
}

bool BackgroundSweep::step(double seconds) {
  if (current_ == nullptr || current_->thread.joinable()) return false;
  const auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  bool any = false;
  while (current_->compute_next()) {
    any = true;
    if (std::chrono::steady_clock::now() >= until) break;
  }
  return any;
}

bool BackgroundSweep::take(RatioSweep& sweep) {
  if (current_ == nullptr) return false;
  Work& w = *current_;
  // The shown sweep is of another task: this one's points are not for it.
  if (sweep.generation != w.generation) {
    cancel();
    return false;
  }
  bool any = false;
  int open = 0;
  for (int a = 0; a < 2; ++a)
    for (int i = 0; i < kSweepRatios; ++i) {
      if (w.taken[a][i]) continue;
      if (!w.ready[a][i].load(std::memory_order_acquire)) {
        ++open;
        continue;
      }
      sweep.axis[a][i] = w.points[a][i];
      ++sweep.done_count;
      any = true;
      w.taken[a][i] = true;
    }
  if (open == 0) {
    // Every point is in: the thread has at most its return left.
    if (w.thread.joinable()) w.thread.join();
    current_.reset();
  }
  return any;
}

void BackgroundSweep::reap() { join_finished(cancelled_); }
