// Requests, notifications, virtual connections and pushes against a real gateway.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <iterator>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "nexa/control_records.h"
#include "nexa/nexa_channel_impl.h"
#include "support/channel_harness.h"

namespace channel_test {
namespace {

using namespace std::chrono_literals;
using nexalib::CS_CLOSED;
using nexalib::CS_CLOSED_BY_SERVER;
using nexalib::CS_CONNECTED;
using nexalib::CS_FAILED;
using nexalib::CS_TIMEOUT;
using nexalib::SEND_OK;
using nexalib::SEND_TIMEOUT;

class RequestsTest : public ChannelTest {
 protected:
  // Sends on the channel thread, where the impl takes milliseconds.
  void SendWithLimitMs(const std::string& call, int timeoutMs,
                       const std::shared_ptr<CompletionLog>& log) {
    const size_t slash = call.find('/');
    Channel().impl().message_loop()->PostTask(FROM_HERE, [this, call, slash, timeoutMs, log] {
      Channel().impl().AsynSend(kSession, call.substr(0, slash), call.substr(slash + 1), "body",
                      log->Callback(), timeoutMs);
    });
  }

  void OpenVConn() {
    Channel().CreateVConn(kSession, "cluster", "route", "key");
    ASSERT_TRUE(listener_.WaitFor(EventKind::kVConnect, CS_CONNECTED));
  }
};

TEST_F(RequestsTest, AResponseCompletesTheRequestWithItsNamesAndBody) {
  Connect();
  const Completion completion = Echo(std::string(300, 'z'));  // compressed on the way
  EXPECT_EQ(completion.state, SEND_OK);
  EXPECT_EQ(completion._interface, "Echo");
  EXPECT_EQ(completion._method, "echo");
  EXPECT_EQ(completion.body, std::string(300, 'z'));
  EXPECT_EQ(completion.sessionId, kSession);
}

TEST_F(RequestsTest, RequestsTakeSuccessiveSeqIdsAndANotificationCarriesTheNext) {
  Connect();  // the key exchange took seqId 0
  Channel().AsynSend(kSession, "Probe", "a", "", {}, 0);
  Channel().NotifySend(kSession, "Probe", "n", "");
  Channel().AsynSend(kSession, "Probe", "b", "", {}, 0);
  ASSERT_TRUE(Eventually([&] { return gateway_->CallCount("Probe/b") == 1; }));
  const nlohmann::json calls = gateway_->Stats()["calls"];
  EXPECT_EQ(calls["Probe/a"]["lastSeqId"], 1);
  EXPECT_EQ(calls["Probe/n"]["lastSeqId"], 2);
  EXPECT_EQ(calls["Probe/b"]["lastSeqId"], 2);
}

TEST_F(RequestsTest, ALimitEndsTheRequestWithTimeoutAndNoLimitWaitsForever) {
  Connect();
  const auto limited = CompletionLog::Create();
  const auto unlimited = CompletionLog::Create();
  const auto sent = std::chrono::steady_clock::now();
  SendWithLimitMs("Silent/call", 100, limited);
  SendWithLimitMs("Silent/call", 0, unlimited);
  ASSERT_TRUE(limited->WaitFor(1));
  const Completion timedOut = limited->All().front();
  EXPECT_EQ(timedOut.state, SEND_TIMEOUT);
  EXPECT_EQ(timedOut._interface, "Silent");
  EXPECT_EQ(timedOut._method, "call");
  EXPECT_EQ(timedOut.body, "");
  EXPECT_GE(timedOut.at - sent, 100ms);
  EXPECT_FALSE(unlimited->WaitFor(1, 300ms));
}

TEST_F(RequestsTest, EachRequestTimesOutAtItsOwnLimitWhateverTheOrderOfSending) {
  Connect();
  // Past the limit of the key exchange (300 ms), so that the first request below is the
  // only limit the channel waits for when the shorter one arrives.
  std::this_thread::sleep_for(400ms);
  const auto log = CompletionLog::Create();
  const auto sent = std::chrono::steady_clock::now();
  SendWithLimitMs("Silent/long", 1500, log);
  SendWithLimitMs("Silent/short", 100, log);  // sent later, due first
  SendWithLimitMs("Echo/echo", 300, log);     // answered: never times out
  SendWithLimitMs("Silent/middle", 300, log);
  ASSERT_TRUE(log->WaitFor(4, 5s));
  const std::vector<Completion> all = log->All();
  ASSERT_EQ(all.size(), 4u);
  EXPECT_EQ(all[0].state, SEND_OK);
  struct Expected {
    const char* method;
    std::chrono::milliseconds limit;
  };
  const Expected timedOut[] = {{"short", 100ms}, {"middle", 300ms}, {"long", 1500ms}};
  for (size_t i = 0; i < std::size(timedOut); ++i) {
    SCOPED_TRACE(timedOut[i].method);
    EXPECT_EQ(all[i + 1].state, SEND_TIMEOUT);
    EXPECT_EQ(all[i + 1]._method, timedOut[i].method);
    EXPECT_GE(all[i + 1].at - sent, timedOut[i].limit);
  }
  // The short limit did not wait for the long one sent before it.
  EXPECT_GT(all[3].at - all[1].at, 700ms);
  EXPECT_FALSE(log->WaitFor(5, 300ms));
}

TEST_F(RequestsTest, TheFacadeCountsTheLimitInSeconds) {
  Connect();
  const auto log = CompletionLog::Create();
  const auto sent = std::chrono::steady_clock::now();
  Channel().AsynSend(kSession, "Silent", "call", "", log->Callback(), 1);
  ASSERT_TRUE(log->WaitFor(1, 5s));
  EXPECT_EQ(log->All().front().state, SEND_TIMEOUT);
  EXPECT_GE(log->All().front().at - sent, 1000ms);
}

TEST(TimeoutMillisecondsTest, ConvertsSecondsAndClamps) {
  EXPECT_EQ(nexalib::TimeoutMilliseconds(10), 10000);
  EXPECT_EQ(nexalib::TimeoutMilliseconds(0), 0);
  EXPECT_EQ(nexalib::TimeoutMilliseconds(-3), 0);
  EXPECT_EQ(nexalib::TimeoutMilliseconds(std::numeric_limits<int>::max()),
            std::numeric_limits<int>::max());
}

TEST_F(RequestsTest, AResponseAfterTheTimeoutIsIgnored) {
  Connect();
  gateway_->SetFaults({"delay:Echo/echo=300"});
  const auto log = CompletionLog::Create();
  SendWithLimitMs("Echo/echo", 100, log);
  ASSERT_TRUE(log->WaitFor(1));
  EXPECT_EQ(log->All().front().state, SEND_TIMEOUT);
  // The late answer arrives, and is dropped: the link stays and nothing runs twice.
  EXPECT_FALSE(log->WaitFor(2, 500ms));
  EXPECT_EQ(Echo("still up").state, SEND_OK);
}

struct VConnCase {
  const char* name;
  std::vector<std::string> faults;
  nexalib::CONNECT_STATE expected;
  friend void PrintTo(const VConnCase& c, std::ostream* out) { *out << c.name; }
};

class VConnStartTest : public RequestsTest, public ::testing::WithParamInterface<VConnCase> {};

TEST_P(VConnStartTest, ReportsTheOutcomeToTheListenerOfItsSessionId) {
  Connect();
  gateway_->SetFaults(GetParam().faults);
  RecordingListener other;
  Channel().AddListener(&other, kSession + 1);
  Channel().CreateVConn(kSession, "cluster", "route", "key");
  ASSERT_TRUE(listener_.WaitFor(EventKind::kVConnect, GetParam().expected));
  RunOnChannelThread(Channel());
  EXPECT_EQ(listener_.Events().size(), 2u);  // CS_CONNECTED of the link, then this
  EXPECT_TRUE(other.Events().empty());
  Channel().RemoveListener(kSession + 1);
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, VConnStartTest,
    ::testing::Values(VConnCase{"Opened", {}, CS_CONNECTED},
                      VConnCase{"Refused", {"vconn-code=7"}, CS_FAILED},
                      VConnCase{"Unanswered", {"silence=ScSession/start"}, CS_TIMEOUT}),
    [](const auto& info) { return std::string(info.param.name); });

struct PushCase {
  const char* name;
  std::string query;
  nexalib::CONNECT_STATE expected;
  friend void PrintTo(const PushCase& c, std::ostream* out) { *out << c.name; }
};

class VConnStopPushTest : public RequestsTest, public ::testing::WithParamInterface<PushCase> {};

TEST_P(VConnStopPushTest, ClosesTheVirtualConnection) {
  Connect();
  OpenVConn();
  ASSERT_EQ(gateway_->Push("kind=stop&session=1" + GetParam().query), 1);
  ASSERT_TRUE(listener_.WaitFor(EventKind::kVConnect, GetParam().expected));
  EXPECT_EQ(listener_.NotifyCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, VConnStopPushTest,
    ::testing::Values(PushCase{"WithCode", "&code=5", CS_CLOSED_BY_SERVER},
                      PushCase{"WithoutCode", "", CS_CLOSED},
                      PushCase{"Unreadable", "&garbage=1", CS_CLOSED_BY_SERVER}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RequestsTest, PushesReachTheListenerOfTheirSessionIdExceptTheChannelsOwn) {
  Connect();
  ASSERT_EQ(gateway_->Push("kind=renew&session=1"), 1);
  ASSERT_EQ(gateway_->Push("kind=notify&session=9&interface=App&method=lost&body=00"), 1);
  ASSERT_EQ(gateway_->Push("kind=notify&session=1&interface=App&method=news&body=6869"), 1);
  ASSERT_TRUE(listener_.WaitFor(EventKind::kNotify, nexalib::CS_DISCONNECTED));
  RunOnChannelThread(Channel());
  const std::vector<ListenerEvent> events = listener_.Events();
  ASSERT_EQ(listener_.NotifyCount(), 1);
  EXPECT_EQ(events.back()._interface, "App");
  EXPECT_EQ(events.back()._method, "news");
  EXPECT_EQ(events.back().data, "hi");
}

TEST_F(RequestsTest, DestroyVConnSendsStopOnlyWhileConnected) {
  Connect();
  Channel().DestroyVConn(kSession);
  ASSERT_TRUE(Eventually([&] { return gateway_->CallCount("ScSession/stop") == 1; }));
  const nlohmann::json stop = gateway_->Stats()["calls"]["ScSession/stop"];
  EXPECT_EQ(stop["lastSessionId"], kSession);
  EXPECT_EQ(stop["lastBody"], "010501");  // DestroyVConnReq with sessionId 1

  Channel().Stop();
  Channel().DestroyVConn(kSession);
  RunOnChannelThread(Channel());
  EXPECT_EQ(gateway_->CallCount("ScSession/stop"), 1);
  EXPECT_EQ(listener_.Events().size(), 1u);
}

TEST_F(RequestsTest, TheWrappedPairTravelsInsideAWrappedString) {
  Connect();
  Channel().NotifySend(kSession, "zq", "s", "payload");
  ASSERT_TRUE(Eventually([&] { return gateway_->CallCount("zq/s") == 1; }));
  // The gateway unwraps it; an unwrapped body would not unpack and arrive empty.
  EXPECT_EQ(gateway_->Stats()["calls"]["zq/s"]["lastBody"], "7061796c6f6164");
}

TEST_F(RequestsTest, ListenerAndCallbacksMayCallBackIntoTheChannel) {
  std::atomic<bool> removed{false};
  const auto first = CompletionLog::Create();
  const auto followUp = CompletionLog::Create();
  first->inside = [&](const Completion&) {
    Channel().AsynSend(kSession, "Echo", "echo", "again", followUp->Callback(), 10);
  };
  followUp->inside = [&](const Completion&) { Channel().Stop(); };
  listener_.inside = [&](const ListenerEvent& event) {
    if (event.kind == EventKind::kConnect && event.state == CS_CONNECTED) {
      Channel().AsynSend(kSession, "Echo", "echo", "from listener", first->Callback(), 10);
      Channel().CreateVConn(kSession, "cluster", "route", "key");
    } else if (event.kind == EventKind::kVConnect) {
      Channel().RemoveListener(kSession);  // its own, from inside its call
      removed = true;
    }
  };
  StartChannel(gateway_->AllotUrl());
  ASSERT_TRUE(followUp->WaitFor(1));
  ASSERT_TRUE(Eventually([&] { return removed.load(); }));
  RunOnChannelThread(Channel());
  EXPECT_EQ(first->All().front().body, "from listener");
  EXPECT_EQ(followUp->All().front().body, "again");
  EXPECT_EQ(Channel().impl().PublishedState(), nexalib::CH_IDLE);

  // Removed: a new link reports to nobody.
  const size_t seen = listener_.Events().size();
  StartChannel(gateway_->AllotUrl());
  ASSERT_TRUE(Eventually([&] { return gateway_->Stats()["exchanges"] == 2; }));
  RunOnChannelThread(Channel());
  EXPECT_EQ(listener_.Events().size(), seen);
}

}  // namespace
}  // namespace channel_test
