#include "task_queue.h"

namespace base::internal {

bool TaskQueue::Push(const Closure& task, TimeDelta delay) {
  bool earliest;
  {
    std::lock_guard<std::mutex> guard(lock_);
    // The due time is read under the lock, so immediate tasks keep posting order.
    Entry entry{Clock::now() + delay.ToChrono(), next_sequence_++, task};
    earliest = entries_.empty() || entry.due < entries_.top().due;
    entries_.push(std::move(entry));
    woken_ = true;  // a waiter recomputes its deadline
  }
  changed_.notify_all();
  return earliest;
}

std::optional<Closure> TaskQueue::PopDue(Clock::time_point* next_due) {
  std::lock_guard<std::mutex> guard(lock_);
  std::optional<Closure> task;
  if (!entries_.empty() && entries_.top().due <= Clock::now()) {
    task = entries_.top().task;
    entries_.pop();
  }
  *next_due = entries_.empty() ? Clock::time_point::max() : entries_.top().due;
  return task;
}

void TaskQueue::Wait(Clock::time_point deadline) {
  std::unique_lock<std::mutex> guard(lock_);
  auto ready = [&] { return woken_; };
  // time_point::max() overflows the conversions inside wait_until.
  if (deadline == Clock::time_point::max()) {
    changed_.wait(guard, ready);
  } else {
    changed_.wait_until(guard, deadline, ready);
  }
  woken_ = false;
}

void TaskQueue::Wake() {
  {
    std::lock_guard<std::mutex> guard(lock_);
    woken_ = true;
  }
  changed_.notify_all();
}

}  // namespace base::internal
