// The link's lifecycle against a real gateway on loopback: addresses, key exchange,
// saved servers, link loss and reconnecting, broken streams, and idle costs.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "base/strings.h"
#include "nexa/nexa_channel_impl.h"
#include "support/channel_harness.h"
#include "support/platform.h"

namespace channel_test {
namespace {

using nexalib::CS_CONNECTED;
using nexalib::CS_DISCONNECTED;
using nexalib::CS_FAILED;

std::string Utf8(const std::wstring& text) { return base::WideToUTF8(text); }

class LifecycleTest : public ChannelTest {};

TEST_F(LifecycleTest, FirstConnectionFetchesConnectsExchangesAndSavesTheServer) {
  Connect();
  RunOnChannelThread(Channel());
  EXPECT_EQ(Channel().impl().PublishedState(), nexalib::CH_CONNECTED);
  const nlohmann::json stats = gateway_->Stats();
  EXPECT_EQ(stats["allotRequests"], 1);
  EXPECT_EQ(stats["connections"], 1);
  EXPECT_EQ(stats["exchanges"], 1);
  EXPECT_EQ(listener_.Count(EventKind::kConnect, CS_CONNECTED), 1);
  EXPECT_EQ(SavedServers(), gateway_->Address() + L"\n");
  // Encrypted both ways from here on.
  EXPECT_EQ(Echo("ping").body, "ping");
}

class EmptyListTest : public ChannelTest {
  std::vector<std::string> GatewayFaults() const override { return {"allot="}; }
};

TEST_F(EmptyListTest, EndsFailedWithOneReportPerListener) {
  RecordingListener second;
  Channel().AddListener(&second, 7);
  StartChannel(gateway_->AllotUrl());
  ASSERT_TRUE(listener_.WaitFor(EventKind::kConnect, CS_FAILED));
  ASSERT_TRUE(second.WaitFor(EventKind::kConnect, CS_FAILED));
  RunOnChannelThread(Channel());
  EXPECT_EQ(Channel().impl().PublishedState(), nexalib::CH_FAILED);
  EXPECT_EQ(listener_.Events().size(), 1u);
  EXPECT_EQ(second.Events().size(), 1u);
  EXPECT_EQ(gateway_->Stats()["connections"], 0);
  Channel().RemoveListener(7);
}

TEST_F(LifecycleTest, RefusedAndNonNumericPortsArePassedOver) {
  gateway_->SetFaults({"allot=" + Utf8(ClosedAddress()) + ",127.0.0.1:abc,127.0.0.1:x,self"});
  Connect();
  EXPECT_EQ(listener_.Count(EventKind::kConnect, CS_FAILED), 0);
  EXPECT_EQ(gateway_->Stats()["connections"], 1);
}

TEST_F(LifecycleTest, AddressServiceDownFallsBackToTheDefaultServerAndNeverSavesIt) {
  StartChannel(L"http://" + ClosedAddress() + L"/imlogingw/tcp60login?ver=%ls&devid=%ls",
               gateway_->Address());
  ASSERT_TRUE(listener_.WaitFor(EventKind::kConnect, CS_CONNECTED));
  EXPECT_TRUE(std::filesystem::exists(SavedServerFile()));
  EXPECT_EQ(SavedServers(), L"");
}

TEST_F(LifecycleTest, SavedServerFileKeepsAtMostFiveAndNeverTheDefault) {
  const std::wstring defaultServer = ClosedAddress();
  {
    std::ofstream saved(SavedServerFile(), std::ios::binary);
    saved << "127.0.0.1:1\n127.0.0.1:2\n" << Utf8(defaultServer)
          << "\n127.0.0.1:3\n\n127.0.0.1:4\n127.0.0.1:5\n127.0.0.1:6\n";
  }
  StartChannel(gateway_->AllotUrl(), defaultServer);
  ASSERT_TRUE(listener_.WaitFor(EventKind::kConnect, CS_CONNECTED));
  EXPECT_EQ(SavedServers(), L"127.0.0.1:1\n127.0.0.1:2\n127.0.0.1:3\n127.0.0.1:4\n127.0.0.1:5\n");
}

TEST_F(LifecycleTest, LinkLossReportsDisconnectedAndStartReconnectsFast) {
  Connect();
  gateway_->Drop();
  ASSERT_TRUE(listener_.WaitFor(EventKind::kConnect, CS_DISCONNECTED));
  RunOnChannelThread(Channel());
  EXPECT_EQ(Channel().impl().PublishedState(), nexalib::CH_DISCONNECTED);

  StartChannel(gateway_->AllotUrl());
  ASSERT_TRUE(listener_.WaitFor(EventKind::kConnect, CS_CONNECTED, 2));
  const nlohmann::json stats = gateway_->Stats();
  EXPECT_EQ(stats["reconnectsAccepted"], 1);
  EXPECT_EQ(stats["exchanges"], 1);
  EXPECT_EQ(stats["allotRequests"], 1) << "a reconnect goes to the same server without fetching";
  EXPECT_EQ(Echo("after reconnect").body, "after reconnect") << "the old session key is used again";
}

TEST_F(LifecycleTest, RefusedFastReconnectRunsAFullExchangeOnTheSameConnection) {
  Connect();
  gateway_->SetFaults({"reconnect-fails=1"});
  gateway_->Drop();
  ASSERT_TRUE(listener_.WaitFor(EventKind::kConnect, CS_DISCONNECTED));
  StartChannel(gateway_->AllotUrl());
  ASSERT_TRUE(listener_.WaitFor(EventKind::kConnect, CS_CONNECTED, 2));
  const nlohmann::json stats = gateway_->Stats();
  EXPECT_EQ(stats["reconnectsRefused"], 1);
  EXPECT_EQ(stats["exchanges"], 2);
  EXPECT_EQ(stats["connections"], 2);
  EXPECT_EQ(Echo("new key").body, "new key");
}

TEST_F(LifecycleTest, ReconnectToAGatewayThatIsGoneEndsDisconnectedAgain) {
  Connect();
  gateway_->Quit();
  ASSERT_TRUE(listener_.WaitFor(EventKind::kConnect, CS_DISCONNECTED));
  StartChannel(L"");
  ASSERT_TRUE(listener_.WaitFor(EventKind::kConnect, CS_DISCONNECTED, 2));
  RunOnChannelThread(Channel());
  EXPECT_EQ(Channel().impl().PublishedState(), nexalib::CH_DISCONNECTED);
}

TEST_F(LifecycleTest, AControlCallOfAnEarlierConnectionCannotBreakTheCurrentLink) {
  // The first gateway drops the connection as the key exchange arrives; its exchange
  // stays pending while the channel connects to the second one.
  std::string error;
  const std::unique_ptr<GatewayProcess> second = GatewayProcess::Start({}, error);
  ASSERT_TRUE(second) << error;
  gateway_->SetFaults({"close-after=1", "allot=self," + Utf8(second->Address())});
  StartChannel(gateway_->AllotUrl());
  ASSERT_TRUE(listener_.WaitFor(EventKind::kConnect, CS_CONNECTED));
  // Well past the 300 ms at which the first exchange times out.
  EXPECT_FALSE(listener_.WaitFor(EventKind::kConnect, CS_DISCONNECTED, 1, std::chrono::milliseconds(800)));
  EXPECT_EQ(second->Stats()["exchanges"], 1);
  channel_.reset();
}

TEST_F(LifecycleTest, StartWhileConnectedReportsConnectedAgainAndChangesNothing) {
  Connect();
  StartChannel(gateway_->AllotUrl());
  ASSERT_TRUE(listener_.WaitFor(EventKind::kConnect, CS_CONNECTED, 2));
  const nlohmann::json stats = gateway_->Stats();
  EXPECT_EQ(stats["connections"], 1);
  EXPECT_EQ(stats["allotRequests"], 1);
}

TEST_F(LifecycleTest, StartWhileExchangingIsIgnored) {
  gateway_->SetFaults({"silence=NexaCore/exchangeKey"});
  nexalib::ChannelSettings settings = TestSettings();
  settings.controlCallTimeoutMs = 10000;
  Channel(settings);
  StartChannel(gateway_->AllotUrl());
  ASSERT_TRUE(Eventually([&] { return gateway_->CallCount("NexaCore/exchangeKey") == 1; }));
  StartChannel(gateway_->AllotUrl());
  RunOnChannelThread(Channel());
  EXPECT_EQ(Channel().impl().PublishedState(), nexalib::CH_EXCHANGING);
  EXPECT_EQ(gateway_->Stats()["allotRequests"], 1);
  EXPECT_TRUE(listener_.Events().empty());
}

TEST_F(LifecycleTest, ARequestAfterStopLeavesAnInvalidStateThatStartAccepts) {
  Connect();
  Channel().Stop();
  Channel().AsynSend(kSession, "Echo", "echo", "x", {}, 0);  // no link: the send fails
  RunOnChannelThread(Channel());
  EXPECT_EQ(Channel().impl().PublishedState(), nexalib::StateMachine::kInvalidState);
  StartChannel(gateway_->AllotUrl());
  ASSERT_TRUE(listener_.WaitFor(EventKind::kConnect, CS_CONNECTED, 2));
  EXPECT_EQ(gateway_->Stats()["exchanges"], 2);
}

struct ExchangeFaultCase {
  const char* name;
  const char* fault;
  friend void PrintTo(const ExchangeFaultCase& c, std::ostream* out) { *out << c.name; }
};

class ExchangeFaultTest : public ChannelTest,
                          public ::testing::WithParamInterface<ExchangeFaultCase> {};

TEST_P(ExchangeFaultTest, AFailedExchangeMovesOnToTheNextAddressThenFails) {
  gateway_->SetFaults({GetParam().fault, "allot=self,self"});
  StartChannel(gateway_->AllotUrl());
  ASSERT_TRUE(listener_.WaitFor(EventKind::kConnect, CS_FAILED));
  EXPECT_EQ(gateway_->Stats()["connections"], 2);
  EXPECT_EQ(listener_.Count(EventKind::kConnect, CS_CONNECTED), 0);
}

INSTANTIATE_TEST_SUITE_P(Faults, ExchangeFaultTest,
                         ::testing::Values(ExchangeFaultCase{"Unusable", "exchange-garbage=1"},
                                           ExchangeFaultCase{"Silent", "silence=NexaCore/exchangeKey"}),
                         [](const auto& info) { return std::string(info.param.name); });

class LinkFaultTest : public ChannelTest, public ::testing::WithParamInterface<ExchangeFaultCase> {};

TEST_P(LinkFaultTest, ClosesTheLinkAndReportsItLost) {
  Connect();
  gateway_->SetFaults({GetParam().fault});
  const auto log = CompletionLog::Create();
  Channel().AsynSend(kSession, "Echo", "echo", "x", log->Callback(), 0);
  ASSERT_TRUE(listener_.WaitFor(EventKind::kConnect, CS_DISCONNECTED));
  RunOnChannelThread(Channel());
  EXPECT_EQ(Channel().impl().PublishedState(), nexalib::CH_DISCONNECTED);
  EXPECT_TRUE(log->All().empty());
}

INSTANTIATE_TEST_SUITE_P(Faults, LinkFaultTest,
                         ::testing::Values(ExchangeFaultCase{"OversizedLength", "oversize=Echo/echo"},
                                           ExchangeFaultCase{"ClosedAfterTwoFrames", "close-after=2"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(LifecycleTest, ACorruptFrameIsDroppedAndTheLinkStays) {
  Connect();
  gateway_->SetFaults({"corrupt=Echo/echo"});
  EXPECT_EQ(Echo("through").state, nexalib::SEND_OK);
  EXPECT_EQ(listener_.Count(EventKind::kConnect, CS_DISCONNECTED), 0);
}

TEST_F(LifecycleTest, WithoutAConnectionObjectEveryAddressFailsAtOnce) {
  nexalib::ChannelSettings settings = TestSettings();
  settings.createConnection = [](net::INetConnect** out, net::INetConnectCallback*) {
    *out = nullptr;
    return false;
  };
  Channel(settings);
  StartChannel(gateway_->AllotUrl(), gateway_->Address());
  ASSERT_TRUE(listener_.WaitFor(EventKind::kConnect, CS_FAILED));
  EXPECT_EQ(gateway_->Stats()["connections"], 0);
}

TEST_F(LifecycleTest, AGatewayThatIsDownCostsNoCpuWhileTheChannelWaits) {
  nexalib::ChannelSettings settings = TestSettings();
  settings.heartbeatIntervalMs = 20;
  settings.heartbeatSlackMs = 1;
  Channel(settings);
  gateway_->Quit();
  StartChannel(L"http://" + ClosedAddress() + L"/x?%ls%ls", ClosedAddress());
  ASSERT_TRUE(listener_.WaitFor(EventKind::kConnect, CS_FAILED));

  const auto cpuBefore = ProcessCpuTime();
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  const auto cpu = ProcessCpuTime() - cpuBefore;
  EXPECT_LT(cpu, std::chrono::milliseconds(100)) << "busy while waiting";
}

}  // namespace
}  // namespace channel_test
