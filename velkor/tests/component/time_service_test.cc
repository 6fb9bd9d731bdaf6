#include <gtest/gtest.h>

#include <atomic>

#include "base/time.h"
#include "time_service.h"

namespace {

std::atomic<int64_t> g_now_ms{0};
int64_t FakeTicks() { return g_now_ms.load(); }

class TimeServiceTest : public ::testing::Test {
 protected:
  TimeServiceTest() {
    base::Time::SetTickSourceForTesting(&FakeTicks);
    g_now_ms = 5'000'400;
  }
  ~TimeServiceTest() override { base::Time::SetTickSourceForTesting(nullptr); }

  uauth::ITimeService* Create() {
    void* out = nullptr;
    zeph::CZephCOMObjectRuntime<CTimeService>::Instance()->CreateInstance(
        uauth::kTimeServiceInterfaceId, &out);
    return static_cast<uauth::ITimeService*>(out);
  }
};

TEST_F(TimeServiceTest, AdvancesTheServerTimeWithWholeTickSeconds) {
  uauth::ITimeService* time = Create();
  EXPECT_EQ(time->GetServerTime(false), 5000) << "fresh: the tick count in seconds";
  time->SetServerTime(1000);
  g_now_ms += 500;
  EXPECT_EQ(time->GetServerTime(false), 1000) << "same tick second";
  EXPECT_EQ(time->GetServerTime(true), 1000000);
  g_now_ms += 3000;
  EXPECT_EQ(time->GetServerTime(false), 1003);
  time->SetServerTime(-50);
  g_now_ms += 2000;
  EXPECT_EQ(time->GetServerTime(false), -48);
  time->Release();
}

TEST_F(TimeServiceTest, DoesNotWrapWhereA32BitMillisecondCounterWould) {
  uauth::ITimeService* time = Create();
  g_now_ms = (int64_t{1} << 32) - 1500;  // just before a 32-bit counter wraps
  time->SetServerTime(1'700'000'000);
  g_now_ms += 10'000;
  EXPECT_EQ(time->GetServerTime(false), 1'700'000'010);
  time->Release();
}

}  // namespace
