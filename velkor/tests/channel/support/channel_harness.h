#pragma once

// The frame of the channel's integration tests: a gateway of the test's own, a channel
// with short time limits, a listener on sessionId 1 and a data folder.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "nexa/nexa_channel.h"
#include "support/gateway_process.h"
#include "support/recording_listener.h"

namespace channel_test {

inline constexpr int kSession = 1;

// Control calls time out after 300 ms; everything else as in production.
nexalib::ChannelSettings TestSettings();

// Runs `task` on the channel thread after everything posted before it, and waits.
void RunOnChannelThread(nexalib::CNexaChannel& channel, const std::function<void()>& task = {});

// A loopback port on which nothing listens.
int ClosedPort();
std::wstring ClosedAddress();

class ChannelTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The gateway's faults from its start on.
  virtual std::vector<std::string> GatewayFaults() const { return {}; }

  // The channel under test, made on first use with `settings`, with listener_ on kSession.
  nexalib::CNexaChannel& Channel(const nexalib::ChannelSettings& settings = TestSettings());
  void StartChannel(const std::wstring& allotUrl, const std::wstring& defaultServer = L"");
  // Starts against the gateway's address service and waits for the link.
  void Connect();
  // An "Echo"/"echo" request on kSession; waits for its completion.
  Completion Echo(const std::string& body);

  std::wstring SavedServers() const;
  std::filesystem::path SavedServerFile() const { return data_dir_ / "lastserverinfo"; }

  std::unique_ptr<GatewayProcess> gateway_;
  std::filesystem::path data_dir_;
  RecordingListener listener_;
  std::unique_ptr<nexalib::CNexaChannel> channel_;
};

}  // namespace channel_test
