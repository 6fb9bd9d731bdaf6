// The frame of the authentication service's end-to-end tests: a gateway of the
// test's own with an accounts file, the SDK service initialised on this thread
// (the UI thread), and a service made through the factory whose twelve lists
// record every record in arrival order.
#ifndef VELKOR_TESTS_UNIFIEDAUTH_AUTH_HARNESS_H_
#define VELKOR_TESTS_UNIFIEDAUTH_AUTH_HARNESS_H_

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "base/at_exit.h"
#include "nexa/nexa_channel.h"
#include "support/gateway_process.h"
#include "uauth/sdk_service.h"
#include "uauth/unified_auth_service.h"

namespace auth_test {

// One record as the host received it: its type and its fields in a readable form.
struct Received {
  std::string type;
  int32_t code = 0;
  std::wstring message;
  uauth::ModelAuthOkParam ok;
  uauth::ModelNeed2ndAuthParam need2nd;
  uauth::ModelNeedCheckCodeParam needCode;
  uauth::ModelSecurityProductParam product;
  uauth::ModelSecurityGenCodeParam genCode;
  uauth::ModelVendomoTokenParam token;
};

// The accounts file of most tests (see tools/gateway/accounts.h).
nlohmann::json DemoAccounts();

// The password of every account of DemoAccounts().
inline constexpr char kPassword[] = "alice-Secret-77";

class AuthTest : public ::testing::Test {
 protected:

  void SetUp() override;
  void TearDown() override;

  // The gateway's faults from its start on.
  virtual std::vector<std::string> GatewayFaults() const { return {}; }
  virtual nlohmann::json Accounts() const { return DemoAccounts(); }

  // A new service through the factory, its lists recording into received_.
  uauth::IUnifiedAuthService* MakeService();
  uauth::IUnifiedAuthService& auth() { return *auth_; }

  void Login(const std::wstring& uid, const std::wstring& password, const std::wstring& checkCode = L"");
  // Runs the UI loop until `count` records arrived; false after `timeout`.
  bool WaitForRecords(size_t count, std::chrono::milliseconds timeout = std::chrono::seconds(10));
  // Waits for exactly one more record and returns it (type "none" when none came).
  Received Next();
  // Runs the UI loop for `duration` and returns how many records arrived meanwhile.
  size_t Settle(std::chrono::milliseconds duration);
  int CallCount(const std::string& call) const { return gateway_->CallCount(call); }
  // The body of the last request of `call` that the gateway saw.
  std::string LastBody(const std::string& call) const;

  std::unique_ptr<base::AtExitManager> at_exit_;
  std::unique_ptr<channel_test::GatewayProcess> gateway_;
  std::filesystem::path data_dir_;
  uauth::ISDKService* sdk_ = nullptr;
  uauth::IUnifiedAuthService* auth_ = nullptr;
  std::vector<uauth::IUnifiedAuthService*> services_;
  std::vector<Received> received_;
  size_t consumed_ = 0;
  // Runs inside every recorded record's callback, after it is recorded.
  std::function<void(const Received&)> inside_;
};

}  // namespace auth_test

#endif  // VELKOR_TESTS_UNIFIEDAUTH_AUTH_HARNESS_H_
