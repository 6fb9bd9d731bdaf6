#include "support/channel_harness.h"

#include <boost/asio.hpp>
#include <fstream>
#include <future>
#include <sstream>

#include "base/strings.h"

namespace channel_test {

nexalib::ChannelSettings TestSettings() {
  nexalib::ChannelSettings settings = nexalib::DefaultChannelSettings();
  settings.controlCallTimeoutMs = 300;
  settings.fetchTimeoutMs = 2000;
  return settings;
}

void RunOnChannelThread(nexalib::CNexaChannel& channel, const std::function<void()>& task) {
  std::promise<void> done;
  channel.impl().message_loop()->PostTask(FROM_HERE, [&] {
    if (task) task();
    done.set_value();
  });
  done.get_future().wait();
}

int ClosedPort() {
  boost::asio::io_context io;
  boost::asio::ip::tcp::acceptor acceptor(
      io, boost::asio::ip::tcp::endpoint(boost::asio::ip::make_address_v4("127.0.0.1"), 0));
  return acceptor.local_endpoint().port();  // closed again when the acceptor goes
}

std::wstring ClosedAddress() { return L"127.0.0.1:" + std::to_wstring(ClosedPort()); }

void ChannelTest::SetUp() {
  std::string error;
  gateway_ = GatewayProcess::Start(GatewayFaults(), error);
  ASSERT_TRUE(gateway_) << error;
  data_dir_ = MakeTempFolder("channel-data");
}

void ChannelTest::TearDown() {
  channel_.reset();  // before the listener and the gateway
  gateway_.reset();
  std::error_code ignored;
  std::filesystem::remove_all(data_dir_, ignored);
}

nexalib::CNexaChannel& ChannelTest::Channel(const nexalib::ChannelSettings& settings) {
  if (!channel_) {
    channel_ = std::make_unique<nexalib::CNexaChannel>(settings);
    channel_->AddListener(&listener_, kSession);
  }
  return *channel_;
}

void ChannelTest::StartChannel(const std::wstring& allotUrl, const std::wstring& defaultServer) {
  Channel().Start(nexalib::NetProxy{}, allotUrl, data_dir_.wstring(), defaultServer);
}

void ChannelTest::Connect() {
  StartChannel(gateway_->AllotUrl());
  ASSERT_TRUE(listener_.WaitFor(EventKind::kConnect, nexalib::CS_CONNECTED));
  RunOnChannelThread(Channel());  // every listener has heard of it
}

Completion ChannelTest::Echo(const std::string& body) {
  const auto log = CompletionLog::Create();
  Channel().AsynSend(kSession, "Echo", "echo", body, log->Callback(), 10);
  EXPECT_TRUE(log->WaitFor(1));
  const std::vector<Completion> all = log->All();
  return all.empty() ? Completion{nexalib::SEND_TIMEOUT, {}, {}, {}, 0, {}} : all.front();
}

std::wstring ChannelTest::SavedServers() const {
  std::ifstream in(SavedServerFile(), std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return base::UTF8ToWide(text.str());
}

}  // namespace channel_test
