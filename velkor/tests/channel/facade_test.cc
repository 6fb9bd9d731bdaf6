// The facade's own rules: sessionIds by name, the process-wide instance, posting order.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "nexa/nexa_channel.h"
#include "nexa/nexa_channel_impl.h"
#include "support/channel_harness.h"

namespace channel_test {
namespace {

TEST(FacadeTest, SessionIdsAreHandedOutOncePerNameFromOne) {
  nexalib::CNexaChannel channel(TestSettings());
  int first = 0, second = 0, again = 0;
  channel.GetSessionId("login", &first);
  channel.GetSessionId("other", &second);
  channel.GetSessionId("login", &again);
  EXPECT_EQ(first, 1);
  EXPECT_EQ(second, 2);
  EXPECT_EQ(again, 1);
  channel.GetSessionId("ignored", nullptr);  // hands nothing out
  int third = 0;
  channel.GetSessionId("third", &third);
  EXPECT_EQ(third, 3);
}

TEST(FacadeTest, RemovingAnUnknownListenerDoesNothing) {
  nexalib::CNexaChannel channel(TestSettings());
  channel.RemoveListener(42);
  RunOnChannelThread(channel);
  EXPECT_EQ(channel.impl().PublishedState(), nexalib::CH_IDLE);
}

TEST(ExportTest, ThreadsRacingForTheInstanceGetOneChannel) {
  std::vector<nexalib::INexaChannel*> seen(8, nullptr);
  std::vector<std::thread> threads;
  for (size_t i = 0; i < seen.size(); ++i) {
    threads.emplace_back([&seen, i] { seen[i] = uauth::GetNexaChannelInstance(); });
  }
  for (std::thread& thread : threads) thread.join();
  ASSERT_NE(seen[0], nullptr);
  for (nexalib::INexaChannel* channel : seen) EXPECT_EQ(channel, seen[0]);
  EXPECT_EQ(uauth::GetNexaChannelInstance(), seen[0]);
}

class FacadeOrderTest : public ChannelTest {};

TEST_F(FacadeOrderTest, StartThenStopRunInThatOrder) {
  StartChannel(gateway_->AllotUrl());
  Channel().Stop();
  RunOnChannelThread(Channel());
  // Stop ran last: the link never came up, whatever the connect reported meanwhile.
  const int32_t state = Channel().impl().PublishedState();
  EXPECT_TRUE(state == nexalib::CH_IDLE || state == nexalib::StateMachine::kInvalidState) << state;
  EXPECT_EQ(gateway_->Stats()["allotRequests"], 1);
  EXPECT_EQ(gateway_->Stats()["exchanges"], 0);
  EXPECT_TRUE(listener_.Events().empty());
}

}  // namespace
}  // namespace channel_test
