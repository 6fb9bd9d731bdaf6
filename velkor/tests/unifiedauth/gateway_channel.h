// The services' channel in tests and benchmarks: the real one with short
// control time limits, started against the current gateway whatever the
// configuration names, since every gateway listens on a port of its own.
#ifndef VELKOR_TESTS_UNIFIEDAUTH_GATEWAY_CHANNEL_H_
#define VELKOR_TESTS_UNIFIEDAUTH_GATEWAY_CHANNEL_H_

#include <mutex>
#include <string>

#include "nexa/nexa_channel.h"
#include "support/channel_harness.h"
#include "support/gateway_process.h"

namespace auth_test {

class GatewayChannel final : public nexalib::INexaChannel {
 public:
  GatewayChannel() : real_(channel_test::TestSettings()) {}

  void PointAt(const channel_test::GatewayProcess& gateway) {
    std::lock_guard guard(lock_);
    allot_ = gateway.AllotUrl();
    address_ = gateway.Address();
  }
  // Stops the link and waits until the channel thread has done so, so that the
  // next test starts from the idle channel.
  void StopNow() {
    real_.Stop();
    channel_test::RunOnChannelThread(real_);
  }

  void Start(const nexalib::NetProxy& proxy, const std::wstring& /*allotUrl*/, const std::wstring& dataDir,
             const std::wstring& /*defaultServer*/) override {
    std::lock_guard guard(lock_);
    real_.Start(proxy, allot_, dataDir, address_);
  }
  void Stop() override { real_.Stop(); }
  void GetSessionId(std::string name, int* sessionId) override { real_.GetSessionId(name, sessionId); }
  void AddListener(nexalib::INexaListener* listener, int sessionId) override {
    real_.AddListener(listener, sessionId);
  }
  void RemoveListener(int sessionId) override { real_.RemoveListener(sessionId); }
  void CreateVConn(int sessionId, const std::string& clusterName, const std::string& routeName,
                   const std::string& allotKey) override {
    real_.CreateVConn(sessionId, clusterName, routeName, allotKey);
  }
  void DestroyVConn(int sessionId) override { real_.DestroyVConn(sessionId); }
  void AsynSend(int sessionId, const std::string& _interface, const std::string& _method,
                const std::string& data, nexalib::SendCallback callback, int timeoutSeconds) override {
    real_.AsynSend(sessionId, _interface, _method, data, callback, timeoutSeconds);
  }
  void NotifySend(int sessionId, const std::string& _interface, const std::string& _method,
                  const std::string& data) override {
    real_.NotifySend(sessionId, _interface, _method, data);
  }

 private:
  nexalib::CNexaChannel real_;
  std::mutex lock_;
  std::wstring allot_;    // Guarded by lock_
  std::wstring address_;  // Guarded by lock_
};

// The process-wide one, made on first use; also registers the library's classes
// and makes every service created from now on use it, with a one-second request
// limit.
GatewayChannel& SharedGatewayChannel();

}  // namespace auth_test

#endif  // VELKOR_TESTS_UNIFIEDAUTH_GATEWAY_CHANNEL_H_
