#include "nexa/request_deadlines.h"

namespace nexalib {

void RequestDeadlines::Add(int64_t seqId, Clock::time_point due) {
  Remove(seqId);
  by_due_.emplace(due, seqId);
  due_of_.emplace(seqId, due);
}

void RequestDeadlines::Remove(int64_t seqId) {
  auto found = due_of_.find(seqId);
  if (found == due_of_.end()) return;
  by_due_.erase({found->second, seqId});
  due_of_.erase(found);
}

std::vector<int64_t> RequestDeadlines::TakeExpired(Clock::time_point now) {
  std::vector<int64_t> expired;
  while (!by_due_.empty() && by_due_.begin()->first <= now) {
    const int64_t seqId = by_due_.begin()->second;
    by_due_.erase(by_due_.begin());
    due_of_.erase(seqId);
    expired.push_back(seqId);
  }
  return expired;
}

std::optional<RequestDeadlines::Clock::time_point> RequestDeadlines::Earliest() const {
  if (by_due_.empty()) return std::nullopt;
  return by_due_.begin()->first;
}

}  // namespace nexalib
