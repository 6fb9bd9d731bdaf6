// The keepalive goes out only when the link was idle for the heartbeat interval. The
// clock behind the idle time is the test's, so "idle" is decided by the test, while the
// heartbeat itself runs every few real milliseconds.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "base/time.h"
#include "support/channel_harness.h"

namespace channel_test {
namespace {

std::atomic<int64_t> g_now{1'000'000};
int64_t FakeNow() { return g_now.load(); }

class HeartbeatTest : public ChannelTest {
 protected:
  static constexpr int64_t kIntervalMs = 60;

  void SetUp() override {
    ChannelTest::SetUp();
    base::Time::SetTickSourceForTesting(&FakeNow);
    nexalib::ChannelSettings settings = TestSettings();
    settings.heartbeatIntervalMs = kIntervalMs;
    settings.heartbeatSlackMs = 5;
    Channel(settings);
  }
  void TearDown() override {
    ChannelTest::TearDown();
    base::Time::SetTickSourceForTesting(nullptr);
  }

  int Keepalives() const { return gateway_->Stats()["keepalives"].get<int>(); }
  // Several heartbeats' worth of real time.
  static void LetHeartbeatsRun() { std::this_thread::sleep_for(std::chrono::milliseconds(4 * kIntervalMs)); }
};

TEST_F(HeartbeatTest, AKeepaliveGoesOutOnlyAfterAnIdleInterval) {
  Connect();  // the key exchange counts as sending
  LetHeartbeatsRun();
  EXPECT_EQ(Keepalives(), 0) << "no time has passed on the channel's clock";

  g_now += kIntervalMs;
  ASSERT_TRUE(Eventually([&] { return Keepalives() == 1; }));

  // Requests more often than the interval keep the link busy: no keepalive.
  for (int i = 0; i < 6; ++i) {
    g_now += kIntervalMs / 2;
    ASSERT_EQ(Echo("busy").state, nexalib::SEND_OK);
    std::this_thread::sleep_for(std::chrono::milliseconds(kIntervalMs / 2));
  }
  EXPECT_EQ(Keepalives(), 1);
}

TEST_F(HeartbeatTest, NotificationsDoNotPostponeTheKeepalive) {
  Connect();
  g_now += kIntervalMs / 2;
  Channel().NotifySend(kSession, "Probe", "n", "");
  g_now += kIntervalMs / 2;
  ASSERT_TRUE(Eventually([&] { return Keepalives() == 1; }));
}

TEST_F(HeartbeatTest, NoKeepaliveWhileNotConnected) {
  g_now += 10 * kIntervalMs;
  LetHeartbeatsRun();
  EXPECT_EQ(Keepalives(), 0);
  EXPECT_EQ(gateway_->Stats()["connections"], 0);
}

}  // namespace
}  // namespace channel_test
