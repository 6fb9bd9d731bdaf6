#include "base/time.h"

#include <atomic>

namespace base {
namespace {

int64_t SteadyMilliseconds() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

std::atomic<Time::TickSource> g_tick_source{&SteadyMilliseconds};

}  // namespace

int64_t Time::TickCount() { return g_tick_source.load(std::memory_order_relaxed)(); }

void Time::SetTickSourceForTesting(TickSource source) {
  g_tick_source.store(source ? source : &SteadyMilliseconds, std::memory_order_relaxed);
}

}  // namespace base
