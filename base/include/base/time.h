// Monotonic time. Code that measures elapsed time reads Time::TickCount() so
// that tests can replace the clock through SetTickSourceForTesting.
#ifndef BASE_TIME_H_
#define BASE_TIME_H_

#include <chrono>
#include <cstdint>

namespace base {

class TimeDelta {
 public:
  constexpr TimeDelta() = default;
  static constexpr TimeDelta FromMilliseconds(int64_t ms) { return TimeDelta(ms); }
  static constexpr TimeDelta FromSeconds(int64_t s) { return TimeDelta(s * 1000); }

  constexpr int64_t InMilliseconds() const { return ms_; }
  constexpr std::chrono::milliseconds ToChrono() const { return std::chrono::milliseconds(ms_); }
  constexpr auto operator<=>(const TimeDelta&) const = default;

 private:
  constexpr explicit TimeDelta(int64_t ms) : ms_(ms) {}
  int64_t ms_ = 0;
};

class Time {
 public:
  using TickSource = int64_t (*)();

  // Milliseconds of a monotonic clock, 64 bits wide so that it never wraps.
  static int64_t TickCount();

  // Replaces the clock behind TickCount; null restores the real one.
  static void SetTickSourceForTesting(TickSource source);
};

}  // namespace base

#endif  // BASE_TIME_H_
