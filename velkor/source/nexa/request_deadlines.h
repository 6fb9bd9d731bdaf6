#pragma once

// The time limits of the pending requests, earliest first. The channel keeps one
// delayed sweep for the earliest limit rather than a timer per request, which would
// live for the whole limit even when the answer came in a millisecond.

#include <chrono>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <utility>
#include <vector>

namespace nexalib {

class RequestDeadlines {
 public:
  using Clock = std::chrono::steady_clock;

  void Add(int64_t seqId, Clock::time_point due);
  // The request was answered: its limit no longer matters.
  void Remove(int64_t seqId);
  // The requests whose limit is at or before `now`, earliest first, taken out.
  std::vector<int64_t> TakeExpired(Clock::time_point now);
  std::optional<Clock::time_point> Earliest() const;

 private:
  std::set<std::pair<Clock::time_point, int64_t>> by_due_;
  std::map<int64_t, Clock::time_point> due_of_;
};

}  // namespace nexalib
