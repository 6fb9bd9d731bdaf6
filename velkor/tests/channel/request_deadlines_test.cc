#include "nexa/request_deadlines.h"

#include <gtest/gtest.h>

#include <vector>

namespace nexalib {
namespace {

using namespace std::chrono_literals;
using Clock = RequestDeadlines::Clock;
using SeqIds = std::vector<int64_t>;

TEST(RequestDeadlinesTest, ExpiresEarliestFirstAndForgetsAnsweredRequests) {
  const Clock::time_point t0 = Clock::now();
  RequestDeadlines deadlines;
  EXPECT_FALSE(deadlines.Earliest());
  deadlines.Add(1, t0 + 10s);
  deadlines.Add(2, t0 + 5s);
  deadlines.Add(3, t0 + 5s);  // same limit: sending order
  deadlines.Add(4, t0 + 7s);
  deadlines.Remove(4);  // answered
  deadlines.Remove(9);  // unknown: nothing happens
  EXPECT_EQ(deadlines.Earliest(), t0 + 5s);

  EXPECT_EQ(deadlines.TakeExpired(t0 + 4s), SeqIds{});
  EXPECT_EQ(deadlines.TakeExpired(t0 + 7s), (SeqIds{2, 3}));
  EXPECT_EQ(deadlines.Earliest(), t0 + 10s);
  deadlines.Add(1, t0 + 20s);  // a second Add moves the limit
  EXPECT_EQ(deadlines.TakeExpired(t0 + 15s), SeqIds{});
  EXPECT_EQ(deadlines.TakeExpired(t0 + 20s), SeqIds{1});
  EXPECT_FALSE(deadlines.Earliest());
}

}  // namespace
}  // namespace nexalib
