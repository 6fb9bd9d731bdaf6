#include "auth_harness.h"

#include <fstream>
#include <mutex>
#include <thread>

#include "auth_dependencies.h"
#include "base/logging.h"
#include "base/ref_counted.h"
#include "base/strings.h"
#include "base/ui_message_loop.h"
#include "class_table.h"
#include "gateway_channel.h"
#include "test_delegate.h"
#include "support/channel_harness.h"
#include "zeph/zeph_com.h"

namespace auth_test {
namespace {

template <typename Interface>
Interface* Create(const char* clsid, const char* iid) {
  void* out = nullptr;
  EXPECT_EQ(GetZephCOMFactory()->CreateInstance(clsid, iid, &out), 0);
  return static_cast<Interface*>(out);
}

template <typename P>
void ClearList(uauth::SubscriberList<P>& list) {
  base::AutoLock guard(list.lock);
  list.entries.clear();
}

}  // namespace

nlohmann::json DemoAccounts() {
  nlohmann::json accounts = nlohmann::json::parse(R"({"accounts": [
    {"login": "alice", "uid": "cnvantlealice", "userId": "1001", "loginToken": "lt-alice",
     "serverTime": 1760000000, "tokens": {"3": "alice-token"},
     "webTokens": {"biz-ok": {"signKey": "sk-1", "webPassSuffix": "wp-1", "tokenExtra": 7},
                   "biz-bad": {"undecodable": true}}},
    {"login": "carol", "uid": "cnvantlecarol", "userId": "1003",
     "checkCode": {"code": "4711", "url": "http://127.0.0.1/cc.png", "sessionId": "cc-carol"}},
    {"login": "dave", "uid": "cnvantledave", "userId": "1004", "loginToken": "lt-dave",
     "serverTime": 1700000000,
     "secondFactor": {"code": "246810", "verifyHint": "phone 138****1234", "phoneNo": "138****1234",
                      "phone": true, "cert": true, "order": "phone,cert", "token": "sf-dave"}},
    {"login": "gina", "uid": "cnvantlegina",
     "secondFactor": {"code": "1", "token": "sf-gina", "productsResult": 3, "sendCodeResult": 3}},
    {"login": "erin", "refuse": {"result": 4, "errmsg": "account locked \u00e9"}},
    {"login": "frank", "garbage": true},
    {"login": "eleven", "uid": "12345678abc"},
    {"login": "seven", "uid": "1234567"}
  ]})");
  for (nlohmann::json& account : accounts["accounts"]) account["password"] = kPassword;
  return accounts;
}

void AuthTest::SetUp() {
  GatewayChannel& channel = SharedGatewayChannel();
  at_exit_ = std::make_unique<base::AtExitManager>();
  data_dir_ = channel_test::MakeTempFolder("auth-data");
  const std::filesystem::path accounts = data_dir_ / "accounts.json";
  std::ofstream(accounts, std::ios::binary) << Accounts().dump();
  std::vector<std::string> faults = GatewayFaults();
  faults.push_back("accounts=" + channel_test::NativePath(accounts));
  std::string error;
  gateway_ = channel_test::GatewayProcess::Start(faults, error);
  ASSERT_TRUE(gateway_) << error;
  channel.PointAt(*gateway_);

  sdk_ = Create<uauth::ISDKService>(uauth::kSDKServiceClassId, uauth::kSDKServiceInterfaceId);
  ASSERT_NE(sdk_, nullptr);
  scoped_refptr<TestDelegate> delegate(new TestDelegate(data_dir_));
  sdk_->Init(delegate.get());
  auth_ = MakeService();
}

void AuthTest::TearDown() {
  // The services stay alive and registered with the channel: nothing of this test
  // may be called once it has ended.
  for (uauth::IUnifiedAuthService* service : services_) {
    ClearList(service->authOk);
    ClearList(service->needCheckCode);
    ClearList(service->need2ndAuth);
    ClearList(service->securityProduct);
    ClearList(service->securityGenCode);
    ClearList(service->sendCodeFail);
    ClearList(service->vendomoToken);
    ClearList(service->certVerifyFail);
    ClearList(service->codeVerifyFail);
    ClearList(service->vendomoTokenFail);
    ClearList(service->authFail);
    ClearList(service->netDisconnect);
    service->Release();
  }
  SharedGatewayChannel().StopNow();
  if (sdk_) {
    bool done = false;
    // The completion arrives as a UI task; wait for it without spinning.
    sdk_->Uninit(base::Closure([&done] {
      done = true;
      base::QuitUIMessageLoop();
    }));
    while (!done) base::RunUIMessageLoop();
    sdk_->Release();
  }
  logging::ShutdownLogging();
  gateway_.reset();
  at_exit_.reset();
  std::error_code ignored;
  std::filesystem::remove_all(data_dir_, ignored);
}

uauth::IUnifiedAuthService* AuthTest::MakeService() {
  auto* service = Create<uauth::IUnifiedAuthService>(uauth::kUnifiedAuthServiceClassId,
                                                     uauth::kUnifiedAuthServiceInterfaceId);
  services_.push_back(service);
  auto record = [this](const char* type, auto fill) {
    return [this, type, fill](auto param) {
      Received received;
      received.type = type;
      fill(received, param);
      received_.push_back(received);
      if (inside_) inside_(received);
    };
  };
  auto failure = [](Received& r, const uauth::ModelFailParam& fail) {
    r.code = fail.code;
    r.message = fail.message;
  };
  using namespace uauth;
  service->authOk.Add(base::Callback<void(ModelAuthOkParam)>(
      record("authOk", [](Received& r, const ModelAuthOkParam& p) { r.ok = p; })));
  service->needCheckCode.Add(base::Callback<void(ModelNeedCheckCodeParam)>(
      record("needCheckCode", [](Received& r, const ModelNeedCheckCodeParam& p) { r.needCode = p; })));
  service->need2ndAuth.Add(base::Callback<void(ModelNeed2ndAuthParam)>(
      record("need2ndAuth", [](Received& r, const ModelNeed2ndAuthParam& p) { r.need2nd = p; })));
  service->securityProduct.Add(base::Callback<void(ModelSecurityProductParam)>(
      record("securityProduct", [](Received& r, const ModelSecurityProductParam& p) { r.product = p; })));
  service->securityGenCode.Add(base::Callback<void(ModelSecurityGenCodeParam)>(
      record("securityGenCode", [](Received& r, const ModelSecurityGenCodeParam& p) { r.genCode = p; })));
  service->vendomoToken.Add(base::Callback<void(ModelVendomoTokenParam)>(
      record("vendomoToken", [](Received& r, const ModelVendomoTokenParam& p) { r.token = p; })));
  service->sendCodeFail.Add(base::Callback<void(ModelSendCodeFailParam)>(record("sendCodeFail", failure)));
  service->certVerifyFail.Add(base::Callback<void(ModelCertVerifyFailParam)>(record("certVerifyFail", failure)));
  service->codeVerifyFail.Add(base::Callback<void(ModelCodeVerifyFailParam)>(record("codeVerifyFail", failure)));
  service->vendomoTokenFail.Add(
      base::Callback<void(ModelVenDomoTokenFailParam)>(record("vendomoTokenFail", failure)));
  service->authFail.Add(base::Callback<void(ModelAuthFailParam)>(record("authFail", failure)));
  service->netDisconnect.Add(base::Callback<void(ModelNetDisConnectParam)>(
      record("netDisconnect", [](Received&, const ModelNetDisConnectParam&) {})));
  return service;
}

void AuthTest::Login(const std::wstring& uid, const std::wstring& password, const std::wstring& checkCode) {
  auth().DoAuth(uid, password, uauth::LoginType{0}, checkCode);
}

bool AuthTest::WaitForRecords(size_t count, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    base::RunUIMessageLoopUntilIdle();
    if (received_.size() >= count) return true;
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
}

Received AuthTest::Next() {
  if (!WaitForRecords(consumed_ + 1)) {
    Received none;
    none.type = "none";
    return none;
  }
  return received_[consumed_++];
}

size_t AuthTest::Settle(std::chrono::milliseconds duration) {
  const size_t before = received_.size();
  WaitForRecords(SIZE_MAX, duration);
  return received_.size() - before;
}

std::string AuthTest::LastBody(const std::string& call) const {
  const nlohmann::json stats = gateway_->Stats();
  const std::string hex = stats["calls"][call]["lastBody"].get<std::string>();
  std::string bytes;
  for (size_t i = 0; i + 1 < hex.size(); i += 2) bytes.push_back(static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
  return bytes;
}

}  // namespace auth_test
