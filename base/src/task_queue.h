// A thread-safe queue of immediate and delayed tasks, ordered by due time and,
// for equal times, by posting order. The UI loops of both platforms run from it.
#ifndef BASE_SRC_TASK_QUEUE_H_
#define BASE_SRC_TASK_QUEUE_H_

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <queue>
#include <vector>

#include "base/callback.h"
#include "base/time.h"

namespace base::internal {

class TaskQueue {
 public:
  using Clock = std::chrono::steady_clock;

  // Returns true when the new task is now the earliest one (the runner may need
  // to wake up sooner than it planned).
  bool Push(const Closure& task, TimeDelta delay);

  // The earliest task that is due, or nothing. *next_due receives the due time
  // of the earliest remaining task, or Clock::time_point::max().
  std::optional<Closure> PopDue(Clock::time_point* next_due);

  // Blocks until `deadline`, a Push or a Wake.
  void Wait(Clock::time_point deadline);
  void Wake();

 private:
  struct Entry {
    Clock::time_point due;
    uint64_t sequence;
    Closure task;
    bool operator>(const Entry& other) const {
      return due != other.due ? due > other.due : sequence > other.sequence;
    }
  };

  std::mutex lock_;
  std::condition_variable changed_;
  std::priority_queue<Entry, std::vector<Entry>, std::greater<Entry>> entries_;  // Guarded by lock_
  uint64_t next_sequence_ = 0;  // Guarded by lock_
  bool woken_ = false;          // Guarded by lock_
};

}  // namespace base::internal

#endif  // BASE_SRC_TASK_QUEUE_H_
