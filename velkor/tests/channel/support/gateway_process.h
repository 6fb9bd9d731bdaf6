#pragma once

// A test gateway of its own for one test: started on free loopback ports, steered through
// its control file and HTTP control calls, ended when the object goes.
//
//   auto gateway = channel_test::GatewayProcess::Start({"vconn-code=7"});
//   channel.Start(proxy, gateway->AllotUrl(), dataDir, L"");
//   gateway->SetFaults({"silence=Echo/echo"});
//   EXPECT_EQ(gateway->Stats()["exchanges"], 1);

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "support/platform.h"

namespace channel_test {

class GatewayProcess {
 public:
  // The gateway program comes from the environment variable VELKOR_GATEWAY. Null, with
  // the reason in `error`, when it does not start.
  static std::unique_ptr<GatewayProcess> Start(const std::vector<std::string>& faults,
                                               std::string& error);
  ~GatewayProcess();
  GatewayProcess(const GatewayProcess&) = delete;
  GatewayProcess& operator=(const GatewayProcess&) = delete;

  int port() const { return port_; }
  std::wstring Address() const;
  // The address-service template, with the placeholders the channel fills.
  std::wstring AllotUrl() const;

  // Replaces the faults of the control file (the command line's stay).
  void SetFaults(const std::vector<std::string>& faults);
  nlohmann::json Stats() const;
  // The count of one call in the stats, 0 before it was seen.
  int CallCount(const std::string& call) const;
  // "/push?<query>"; returns how many clients got it.
  int Push(const std::string& query) const;
  // Closes every client connection.
  void Drop() const;
  // Ends the gateway now; the destructor then has nothing left to do.
  void Quit();

 private:
  GatewayProcess() = default;
  std::string Get(const std::string& pathAndQuery) const;

  std::filesystem::path folder_;
  StartedProcess process_;
  int port_ = 0;
  int http_port_ = 0;
  bool running_ = false;
};

// Polls `condition` every few milliseconds until it holds or `timeout` passes.
bool Eventually(const std::function<bool()>& condition,
                std::chrono::milliseconds timeout = std::chrono::seconds(5));

// A fresh, empty folder under the temporary folder; removed by the caller.
std::filesystem::path MakeTempFolder(const std::string& prefix);

}  // namespace channel_test
