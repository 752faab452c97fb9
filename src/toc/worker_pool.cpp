#include "toc/worker_pool.h"

#include <algorithm>

namespace {

// How long a thread with nothing to do keeps looking before it sleeps: a
// Newton update hands out its columns every tenth of a millisecond or so,
// and waking a sleeping thread costs about as much.
constexpr int kSpinRounds = 2000;

}  // namespace

WorkerPool::WorkerPool(int threads) {
  const int helpers = std::max(threads, 1) - 1;
  helpers_.reserve(static_cast<std::size_t>(helpers));
  for (int i = 0; i < helpers; ++i) helpers_.emplace_back([this] { helper_loop(); });
}

WorkerPool::~WorkerPool() {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    closing_ = true;
  }
  work_.notify_all();
  for (std::thread& t : helpers_) t.join();
}

bool WorkerPool::help_once() {
  Job* job = nullptr;
  int index = -1;
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    for (int j = 0; j < job_count_ && job == nullptr; ++j) {
      const int i = jobs_[j]->next.fetch_add(1, std::memory_order_relaxed);
      if (i < jobs_[j]->n) {
        job = jobs_[j];
        index = i;
      }
    }
  }
  if (job == nullptr) return false;
  job->task(job->arg, index);
  job->done.fetch_add(1, std::memory_order_release);
  return true;
}

void WorkerPool::helper_loop() {
  for (;;) {
    for (int spin = 0; spin < kSpinRounds; ++spin) {
      if (help_once()) spin = 0;
      else std::this_thread::yield();
    }
    std::unique_lock<std::mutex> lock(mutex_);
    // Sleep until a job with pieces left appears.
    work_.wait(lock, [this] {
      if (closing_) return true;
      for (int j = 0; j < job_count_; ++j)
        if (jobs_[j]->next.load(std::memory_order_relaxed) < jobs_[j]->n) return true;
      return false;
    });
    if (closing_) return;
  }
}

void WorkerPool::run(int n, void (*task)(void*, int), void* arg) {
  if (n <= 0) return;
  if (helpers_.empty() || n == 1) {
    for (int i = 0; i < n; ++i) task(arg, i);
    return;
  }
  Job job;
  job.task = task;
  job.arg = arg;
  job.n = n;
  bool listed = false;
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (job_count_ < kMaxJobs) {
      jobs_[job_count_++] = &job;
      listed = true;
    }
  }
  if (!listed) {  // nested too deep: this thread does it alone
    for (int i = 0; i < n; ++i) task(arg, i);
    return;
  }
  work_.notify_all();

  // Our own pieces first, then anyone's while ours finish elsewhere.
  for (int i = job.next.fetch_add(1, std::memory_order_relaxed); i < n;
       i = job.next.fetch_add(1, std::memory_order_relaxed)) {
    task(arg, i);
    job.done.fetch_add(1, std::memory_order_release);
  }
  while (job.done.load(std::memory_order_acquire) < n) {
    if (!help_once()) std::this_thread::yield();
  }
  const std::lock_guard<std::mutex> lock(mutex_);
  for (int j = 0; j < job_count_; ++j) {
    if (jobs_[j] != &job) continue;
    jobs_[j] = jobs_[--job_count_];
    break;
  }
}
