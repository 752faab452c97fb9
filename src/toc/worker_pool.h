// A small pool of threads, started once, for the solver's independent pieces
// of work: the two Newton passes, the columns of a Jacobian, the starts of
// the search. The thread that hands out work takes part in it, and a thread
// waiting for its own pieces helps with anyone else's, so work handed out
// from inside a piece (the columns inside a pass) never waits for a free
// thread. With one thread everything runs on the caller, in index order.
//
// Each piece writes only its own outputs; the numbers are those of the
// serial order whatever thread computes them.
#pragma once

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

class WorkerPool {
 public:
  // `threads` threads in all, the caller included (at least 1).
  explicit WorkerPool(int threads);
  ~WorkerPool();
  WorkerPool(const WorkerPool&) = delete;
  WorkerPool& operator=(const WorkerPool&) = delete;

  int threads() const { return static_cast<int>(helpers_.size()) + 1; }

  // Runs task(arg, i) for i = 0 .. n-1 and returns when every one is done.
  // Pieces are taken in index order; which thread runs which is not fixed.
  void run(int n, void (*task)(void* arg, int i), void* arg);

  // run() with a callable f(int i).
  template <class F>
  void for_each(int n, F& f) {
    run(n, [](void* a, int i) { (*static_cast<F*>(a))(i); }, &f);
  }

 private:
  struct Job {
    void (*task)(void*, int);
    void* arg;
    int n;
    std::atomic<int> next{0};  // the next index to hand out
    std::atomic<int> done{0};  // indices finished
  };
  static constexpr int kMaxJobs = 32;  // jobs in progress at once (nested ones included)

  // Runs one piece of any job that has one left; false when none has.
  bool help_once();
  void helper_loop();

  std::mutex mutex_;
  std::condition_variable work_;  // a job was added, or the pool is closing
  Job* jobs_[kMaxJobs] = {};      // under mutex_
  int job_count_ = 0;             // under mutex_
  bool closing_ = false;          // under mutex_
  std::vector<std::thread> helpers_;
};
