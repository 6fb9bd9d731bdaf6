#include <gtest/gtest.h>

#include <boost/asio/write.hpp>

#include <memory>
#include <thread>

#include "net/crypto.h"
#include "net/net_connect.h"
#include "net/resolve.h"
#include "support/loopback.h"
#include "support/network_thread_drain.h"
#include "support/platform_quirks.h"
#include "support/recording_callback.h"
#include "support/test_connection.h"

namespace net {
namespace {

using namespace std::chrono_literals;
using testing::CLoopbackListener;
using testing::CRecordingCallback;
using testing::CTestConnection;
using testing::Event;

class Connection : public ::testing::Test {
 protected:
  // Connects to the listener and returns the server side.
  boost::asio::ip::tcp::socket ConnectToListener() {
    EXPECT_EQ(connection_->Connect("127.0.0.1", listener_.Port()), RES_PENDING);
    auto server = listener_.Accept();
    EXPECT_TRUE(callback_.WaitForEvent(Event::kConnect));
    EXPECT_EQ(callback_.CodeOf(Event::kConnect), RES_OK);
    return server;
  }

  CLoopbackListener listener_;
  CTestConnection connection_;
  CRecordingCallback& callback_ = connection_.Callback();
};

TEST_F(Connection, SendsManyFramesInOrderAndReceives) {
  auto server = ConnectToListener();
  EXPECT_TRUE(connection_->IsConnected());

  std::string expected;
  for (int i = 0; i < 2000; ++i) {
    std::string frame = std::to_string(i) + ":" + std::string(static_cast<std::size_t>(i % 300), 'f') + ";";
    ASSERT_EQ(connection_->Send(frame.data(), static_cast<int>(frame.size())), 0);
    expected += frame;
  }
  EXPECT_EQ(testing::ReadExactly(server, expected.size()), expected);
  EXPECT_TRUE(callback_.WaitForEvent(Event::kSend));

  std::string reply = RandomBytes(200 * 1024);
  testing::WriteAll(server, reply);
  ASSERT_TRUE(callback_.WaitForReceived(reply.size()));
  EXPECT_EQ(callback_.Received(), reply);
}

TEST_F(Connection, OffersUntakenBytesAgainFirst) {
  callback_.SetTakeLimit(3);
  auto server = ConnectToListener();
  testing::WriteAll(server, "abcdefgh");
  ASSERT_TRUE(callback_.WaitForReceived(3));
  testing::WriteAll(server, "ij");  // the next read offers the remainder first
  ASSERT_TRUE(callback_.WaitForReceived(6));
  callback_.SetTakeLimit(-1);
  testing::WriteAll(server, "k");
  ASSERT_TRUE(callback_.WaitForReceived(11));
  EXPECT_EQ(callback_.Received(), "abcdefghijk");
}

TEST_F(Connection, ReportsAnOrderlyPeerClose) {
  auto server = ConnectToListener();
  testing::WriteAll(server, "last words");
  server.shutdown(boost::asio::socket_base::shutdown_send);
  ASSERT_TRUE(callback_.WaitForEvent(Event::kClose));
  EXPECT_EQ(callback_.Received(), "last words");
  EXPECT_FALSE(connection_->IsConnected());
  EXPECT_EQ(connection_->Send("x", 1), RES_NOT_CONNECTED);
}

TEST_F(Connection, ReportsAResetAsError) {
  auto server = ConnectToListener();
  testing::ResetConnection(server);
  if (testing::ResetMayArriveAsOrderlyClose()) {
    ASSERT_TRUE(callback_.WaitForAnyEvent({Event::kError, Event::kClose}));
  } else {
    ASSERT_TRUE(callback_.WaitForEvent(Event::kError));
    EXPECT_EQ(callback_.CodeOf(Event::kError), RES_RESET);
  }
  EXPECT_FALSE(connection_->IsConnected());
}

TEST_F(Connection, ReportsARefusedPort) {
  EXPECT_EQ(connection_.ConnectAndWait("127.0.0.1", testing::UnusedPort()), RES_REFUSED);
  EXPECT_FALSE(connection_->IsConnected());
}

TEST_F(Connection, RejectsBadArgumentsAndEarlySends) {
  EXPECT_EQ(connection_->Connect(nullptr, 80), RES_BAD_ARGUMENT);
  EXPECT_EQ(connection_->Connect("", 80), RES_BAD_ARGUMENT);
  EXPECT_EQ(connection_->Connect("127.0.0.1", 0), RES_BAD_ARGUMENT);
  EXPECT_EQ(connection_->Connect("127.0.0.1", 65536), RES_BAD_ARGUMENT);
  EXPECT_EQ(connection_->Send("x", 1), RES_NOT_CONNECTED);
  EXPECT_EQ(connection_->Send(nullptr, 1), RES_BAD_ARGUMENT);
  EXPECT_FALSE(connection_->IsConnected());
  EXPECT_EQ(callback_.EventCount(), 0u);

  INetConnect* none = reinterpret_cast<INetConnect*>(1);
  EXPECT_FALSE(CreateNetConnect(&none, nullptr));
  EXPECT_EQ(none, nullptr);
  EXPECT_FALSE(CreateNetConnect(nullptr, &callback_));
}

TEST_F(Connection, ConnectsAgainAfterClose) {
  auto first = ConnectToListener();
  connection_->Close();
  connection_->Close();
  EXPECT_FALSE(connection_->IsConnected());
  EXPECT_EQ(testing::ReadExactly(first, 1), "") << "the old stream was closed";

  ASSERT_EQ(connection_->Connect("127.0.0.1", listener_.Port()), RES_PENDING);
  auto second = listener_.Accept();
  ASSERT_TRUE(callback_.WaitForEvent(Event::kConnect, 10s, 2));
  EXPECT_TRUE(connection_->IsConnected());
  ASSERT_EQ(connection_->Send("again", 5), 0);
  EXPECT_EQ(testing::ReadExactly(second, 5), "again");
}

// The channel destroys its callback right after Close(): nothing may reach it afterwards,
// even with data and a peer close racing from the network thread.
TEST(ConnectionClose, NoCallbackAfterCloseReturnsFromAnotherThread) {
  CLoopbackListener listener;
  for (int round = 0; round < 20; ++round) {
    auto callback = std::make_unique<CRecordingCallback>();
    INetConnect* connection = nullptr;
    ASSERT_TRUE(CreateNetConnect(&connection, callback.get()));
    ASSERT_EQ(connection->Connect("127.0.0.1", listener.Port()), RES_PENDING);
    auto server = listener.Accept();
    ASSERT_TRUE(callback->WaitForEvent(Event::kConnect));
    std::thread flood([&server] {
      boost::system::error_code ignored;
      std::string chunk(4096, 'z');
      for (int i = 0; i < 50; ++i) boost::asio::write(server, boost::asio::buffer(chunk), ignored);
      server.close(ignored);
    });
    ASSERT_TRUE(callback->WaitForReceived(1));
    connection->Close();
    callback->ForbidCalls();
    flood.join();
    testing::DrainNetworkThread();
    EXPECT_EQ(callback->ForbiddenCalls(), 0) << "round " << round;
    connection->Close();
    callback.reset();  // ASan reports any later use
    delete connection;
  }
}

// A callback that closes its own connection from inside OnRecv.
class CClosingCallback : public CRecordingCallback {
 public:
  INetConnect* connection = nullptr;
  int OnRecv(const char* data, int length) override {
    int taken = CRecordingCallback::OnRecv(data, length);
    connection->Close();
    ForbidCalls();
    return taken;
  }
};

TEST(ConnectionClose, CloseInsideACallbackStopsFurtherCalls) {
  CLoopbackListener listener;
  CClosingCallback callback;
  ASSERT_TRUE(CreateNetConnect(&callback.connection, &callback));
  std::unique_ptr<INetConnect> connection(callback.connection);
  ASSERT_EQ(connection->Connect("127.0.0.1", listener.Port()), RES_PENDING);
  auto server = listener.Accept();
  testing::WriteAll(server, "one");
  ASSERT_TRUE(callback.WaitForReceived(3));
  boost::system::error_code ignored;
  boost::asio::write(server, boost::asio::buffer(std::string("two")), ignored);
  server.close(ignored);
  testing::DrainNetworkThread();
  EXPECT_EQ(callback.ForbiddenCalls(), 0);
  EXPECT_EQ(callback.Received(), "one");
  EXPECT_FALSE(connection->IsConnected());
}

TEST(ConnectionTimeLimit, ReportsATimeOutWhenTheConnectHangs) {
  // A listener whose queue is full and who never accepts leaves the next connect hanging.
  CLoopbackListener listener(1);
  boost::asio::io_context context;
  std::vector<boost::asio::ip::tcp::socket> fillers;
  for (int i = 0; i < 4; ++i) {
    // Started at once without blocking; the context never runs their handlers.
    fillers.emplace_back(context);
    fillers.back().async_connect({boost::asio::ip::address_v4::loopback(), listener.Port()},
                                 [](const boost::system::error_code&) {});
  }
  std::this_thread::sleep_for(50ms);

  CTestConnection connection(200ms);
  auto started = std::chrono::steady_clock::now();
  EXPECT_EQ(connection.ConnectAndWait("127.0.0.1", listener.Port(), 5s), RES_TIMEOUT);
  EXPECT_LT(std::chrono::steady_clock::now() - started, 3s);
  EXPECT_FALSE(connection->IsConnected());
}

TEST(DomainToIpList, ResolvesLoopbackNamesAsText) {
  std::vector<std::string> addresses;
  ASSERT_TRUE(DomainToIpList("localhost", addresses));
  EXPECT_NE(std::find(addresses.begin(), addresses.end(), "127.0.0.1"), addresses.end());
  ASSERT_TRUE(DomainToIpList("127.0.0.1", addresses));
  EXPECT_EQ(addresses, std::vector<std::string>{"127.0.0.1"});
  EXPECT_FALSE(DomainToIpList("", addresses));
  EXPECT_TRUE(addresses.empty());
}

}  // namespace
}  // namespace net
