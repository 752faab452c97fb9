// Work handed to a thread of its own and dropped before it finished: kept
// until its thread has returned, then joined. Work has `std::thread thread`
// and `std::atomic<bool> done`, set last thing on that thread.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

template <class Work>
void join_finished(std::vector<std::unique_ptr<Work>>& works) {
  for (std::size_t i = 0; i < works.size();) {
    if (works[i]->done.load(std::memory_order_acquire)) {
      works[i]->thread.join();
      works.erase(works.begin() + static_cast<std::ptrdiff_t>(i));
    } else {
      ++i;
    }
  }
}
