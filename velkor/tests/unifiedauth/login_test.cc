// The first login step end to end: the public interface against the gateway.
#include <fstream>
#include <sstream>

#include "auth_harness.h"
#include "base/logging.h"
#include "base/strings.h"
#include "logon_records.h"
#include "registry_instance.h"
#include "uauth/time_service.h"

namespace auth_test {
namespace {

using namespace std::chrono_literals;

class LoginTest : public AuthTest {};

TEST_F(LoginTest, PasswordLoginDeliversTheAnswerAndClosesTheVConnWithoutKeepFlags) {
  auth().Initialize(false, false);
  Login(L"alice", L"alice-Secret-77");
  const Received ok = Next();
  ASSERT_EQ(ok.type, "authOk");
  EXPECT_EQ(ok.ok.shortUid, L"alice");
  EXPECT_EQ(ok.ok.userId, L"1001");
  EXPECT_EQ(ok.ok.loginToken, L"lt-alice");
  EXPECT_EQ(ok.ok.serverTime, 1760000000);
  EXPECT_EQ(ok.ok.machineId.substr(0, 2), L"DS");
  EXPECT_EQ(ok.ok.adapterDigest.size(), 32u);

  scoped_refptr<uauth::ITimeService> time;
  GetRegistryInstance(uauth::kTimeServiceClassId, uauth::kTimeServiceInterfaceId, &time);
  ASSERT_TRUE(time);
  EXPECT_NEAR(static_cast<double>(time->GetServerTime(false)), 1760000000.0, 5.0);

  EXPECT_TRUE(channel_test::Eventually([&] { return CallCount("ScSession/stop") == 1; }));
  logon::LogonRequest<logon::LoginReq> sent;
  ASSERT_EQ(sent.UnpackData(LastBody("LogonProxy/login")), codec::PACK_OK);
  EXPECT_EQ(sent.routeKey, "uid");
  EXPECT_EQ(sent.body.appKey, "COMM_authtest");
  EXPECT_EQ(sent.body.appVersion, "2.5");
  EXPECT_EQ(sent.body.deviceInfo.at("umid"), "UDumid-42");
  EXPECT_EQ(sent.body.hasCheckCode, 0);
  EXPECT_EQ(Settle(200ms), 0u);
}

TEST_F(LoginTest, EitherKeepFlagLeavesTheLoginOpenUntilTheLinkIsLost) {
  auth().Initialize(false, true);
  Login(L"alice", L"alice-Secret-77");
  ASSERT_EQ(Next().type, "authOk");
  EXPECT_EQ(Settle(200ms), 0u);
  EXPECT_EQ(CallCount("ScSession/stop"), 0);

  gateway_->Drop();
  EXPECT_EQ(Next().type, "netDisconnect");
  EXPECT_EQ(Settle(100ms), 0u);
}

TEST_F(LoginTest, TokenLoginSendsTheLowByteOfTheLoginType) {
  auth().Initialize(false, false);
  auth().DoAuth(L"alice", L"alice-token", uauth::LoginType{0x103}, L"");
  EXPECT_EQ(Next().type, "authOk");
}

TEST_F(LoginTest, CheckCodeAnswerThenLoginWithTheCodeSendsTheSessionId) {
  auth().Initialize(false, false);
  Login(L"carol", L"alice-Secret-77");
  const Received need = Next();
  ASSERT_EQ(need.type, "needCheckCode");
  EXPECT_EQ(need.needCode.checkCodeUrl, L"http://127.0.0.1/cc.png=cc-carol");

  Login(L"carol", L"alice-Secret-77", L"4711");
  EXPECT_EQ(Next().type, "authOk");
  logon::LogonRequest<logon::LoginReq> sent;
  ASSERT_EQ(sent.UnpackData(LastBody("LogonProxy/login")), codec::PACK_OK);
  EXPECT_EQ(sent.body.hasCheckCode, 1);
  EXPECT_EQ(sent.body.checkCodeInfo.at("checkcode_sessionid"), "cc-carol");
  EXPECT_EQ(sent.body.checkCodeInfo.at("checkcode_code"), "4711");
}

TEST_F(LoginTest, RefusalsCarryTheServerResultAndItsMessage) {
  auth().Initialize(false, false);
  Login(L"erin", L"alice-Secret-77");
  Received refused = Next();
  ASSERT_EQ(refused.type, "authFail");
  EXPECT_EQ(refused.code, 4);
  EXPECT_EQ(refused.message, L"account locked \u00e9");

  Login(L"alice", L"wrong");
  refused = Next();
  ASSERT_EQ(refused.type, "authFail");
  EXPECT_EQ(refused.code, 1);
  EXPECT_EQ(refused.message, L"wrong password");
}

TEST_F(LoginTest, ShortUidHidesTheFirstEightCharacters) {
  auth().Initialize(false, false);
  Login(L"eleven", L"alice-Secret-77");
  Received ok = Next();
  ASSERT_EQ(ok.type, "authOk");
  EXPECT_EQ(ok.ok.shortUid, L"abc");
  Login(L"seven", L"alice-Secret-77");
  ok = Next();
  ASSERT_EQ(ok.type, "authOk");
  EXPECT_EQ(ok.ok.shortUid, L"");
}

TEST_F(LoginTest, AnUnreadableAnswerFailsWithResponseError) {
  auth().Initialize(false, false);
  Login(L"frank", L"alice-Secret-77");
  const Received fail = Next();
  ASSERT_EQ(fail.type, "authFail");
  EXPECT_EQ(fail.code, uauth::AUTH_ERR_RESPONSE);
  EXPECT_EQ(fail.message, L"");
}

TEST_F(LoginTest, DoAuthBeforeInitializeSendsNothingAndDeliversNothing) {
  Login(L"alice", L"alice-Secret-77");
  EXPECT_EQ(Settle(300ms), 0u);
  EXPECT_EQ(CallCount("LogonProxy/login"), 0);
}

TEST_F(LoginTest, ASubscriberMayStartTheNextLoginFromInsideItsCallback) {
  auth().Initialize(false, false);
  int logins = 0;
  inside_ = [&](const Received& received) {
    if (received.type == "authOk" && ++logins == 1) Login(L"alice", L"alice-Secret-77");
    if (received.type == "authOk" && logins == 2) auth().UnInit();
  };
  Login(L"alice", L"alice-Secret-77");
  ASSERT_TRUE(WaitForRecords(2));
  EXPECT_EQ(received_[1].type, "authOk");
  EXPECT_EQ(CallCount("LogonProxy/login"), 2);
}

TEST_F(LoginTest, NothingIsDeliveredAfterTheSdkServiceIsShutDown) {
  auth().Initialize(false, false);
  bool done = false;
  sdk_->Uninit(base::Closure([&] { done = true; }));
  Login(L"alice", L"alice-Secret-77");
  ASSERT_TRUE(channel_test::Eventually([&] { return CallCount("ScSession/stop") == 1; }));
  EXPECT_EQ(Settle(200ms), 0u);
  EXPECT_TRUE(done);
}

TEST_F(LoginTest, TheLogFileNamesTheLoginButNeverThePassword) {
  auth().Initialize(false, false);
  Login(L"alice", base::UTF8ToWide(kPassword));
  ASSERT_EQ(Next().type, "authOk");
  logging::FlushLogging();
  std::ifstream in(data_dir_ / "log.log", std::ios::binary);
  std::stringstream log;
  log << in.rdbuf();
  EXPECT_NE(log.str().find("CUnifiedAuthService::DoAuthTask"), std::string::npos) << log.str();
  EXPECT_NE(log.str().find("uid = alice"), std::string::npos);
  EXPECT_EQ(log.str().find(kPassword), std::string::npos) << "the password reached the log";
  EXPECT_EQ(log.str().find("lt-alice"), std::string::npos) << "the login token reached the log";
}

}  // namespace
}  // namespace auth_test
