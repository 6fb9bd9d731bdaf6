// Second-factor flows and the web token exchange end to end.
#include "auth_harness.h"
#include "base/component_registry.h"
#include "base/strings.h"
#include "uauth/sso_service.h"

namespace auth_test {
namespace {

using namespace std::chrono_literals;

class SecondFactorTest : public AuthTest {
 protected:
  void NeedSecondFactor(const std::wstring& login) {
    auth().Initialize(false, false);
    Login(login, L"alice-Secret-77");
    const Received need = Next();
    ASSERT_EQ(need.type, "need2ndAuth");
    if (login == L"dave") {
      EXPECT_EQ(need.need2nd.shortUid, L"dave");
      EXPECT_EQ(need.need2nd.verifyHint, L"phone 138****1234");
      EXPECT_EQ(need.need2nd.serverTime, 1700000000);
    }
  }
};

TEST_F(SecondFactorTest, MethodsCodeRefusalsAndSuccess) {
  NeedSecondFactor(L"dave");
  auth().DoSecurityMethod();
  const Received product = Next();
  ASSERT_EQ(product.type, "securityProduct");
  EXPECT_TRUE(product.product.isSuccess);
  EXPECT_TRUE(product.product.phone);
  EXPECT_TRUE(product.product.cert);
  EXPECT_EQ(product.product.phoneNo, L"138****1234");
  EXPECT_EQ(product.product.order, L"phone,cert");

  auth().DoSecuritySendCode();
  const Received sent = Next();
  ASSERT_EQ(sent.type, "securityGenCode");
  EXPECT_EQ(sent.genCode.checkType, L"phone");

  auth().DoSecurityAuth(L"000000", L"umid-42", uauth::SECURITY_LOGIN_CODE);
  Received refused = Next();
  ASSERT_EQ(refused.type, "codeVerifyFail");
  EXPECT_EQ(refused.code, 5);
  auth().DoSecurityAuth(L"111111", L"umid-42", uauth::SECURITY_LOGIN_CERT);
  refused = Next();
  ASSERT_EQ(refused.type, "certVerifyFail");
  EXPECT_EQ(refused.code, 5);

  // Refusals keep the connection: the right code still logs in.
  auth().DoSecurityAuth(L"246810", L"umid-42", uauth::SECURITY_LOGIN_CODE);
  const Received ok = Next();
  ASSERT_EQ(ok.type, "authOk");
  EXPECT_EQ(ok.ok.shortUid, L"dave");
  EXPECT_EQ(ok.ok.loginToken, L"lt-dave");
  EXPECT_EQ(ok.ok.machineId, L"");
  EXPECT_EQ(ok.ok.adapterDigest, L"");
  EXPECT_EQ(ok.ok.uaData, L"");
  EXPECT_EQ(ok.ok.serverTime, 1700000000);
  // Even without keep flags the connection stays open after a second factor.
  EXPECT_EQ(Settle(200ms), 0u);
  EXPECT_EQ(CallCount("ScSession/stop"), 0);
}

TEST_F(SecondFactorTest, ARefusalOfAnotherTypeEndsTheLogin) {
  NeedSecondFactor(L"dave");
  auth().DoSecurityAuth(L"000000", L"umid-42", uauth::SecurityLoginType{7});
  const Received refused = Next();
  ASSERT_EQ(refused.type, "authFail");
  EXPECT_EQ(refused.code, 5);
  EXPECT_TRUE(channel_test::Eventually([&] { return CallCount("ScSession/stop") == 1; }));
}

TEST_F(SecondFactorTest, FailedQueriesFollowTheLastQuerySent) {
  NeedSecondFactor(L"gina");
  auth().DoSecuritySendCode();
  Received fail = Next();
  ASSERT_EQ(fail.type, "sendCodeFail");
  EXPECT_EQ(fail.code, 3);
  EXPECT_EQ(CallCount("ScSession/stop"), 0);

  auth().DoSecurityMethod();
  fail = Next();
  ASSERT_EQ(fail.type, "authFail");
  EXPECT_EQ(fail.code, 3);
  EXPECT_TRUE(channel_test::Eventually([&] { return CallCount("ScSession/stop") == 1; }));
}

class WebTokenTest : public AuthTest {
 protected:
  // The sign-on URL of the shared instance, which the exchange fills.
  static std::wstring SignOnUrl() {
    zeph::IZephCOM* registry = nullptr;
    base::GetZephCOM(&registry);
    void* out = nullptr;
    EXPECT_GE(registry->CreateInstance(uauth::kSSOServiceClassId, "", uauth::kSSOServiceInterfaceId, &out, "", ""), 0);
    auto* signOn = static_cast<uauth::ISSOService*>(out);
    std::wstring url;
    signOn->SignIn(L"http://127.0.0.1/next", &url);
    signOn->Release();
    registry->Release();
    return url;
  }

  void LoggedIn(bool keepConnection) {
    auth().Initialize(keepConnection, true);
    Login(L"alice", L"alice-Secret-77");
    ASSERT_EQ(Next().type, "authOk");
  }
};

TEST_F(WebTokenTest, TheUrlIsSignedWithTheNewKeyFromInsideTheRecordsCallback) {
  LoggedIn(false);
  std::wstring url_inside;
  inside_ = [&](const Received& received) {
    if (received.type == "vendomoToken") url_inside = SignOnUrl();
  };
  auth().GetVendomoToken(L"ignored", L"biz-ok");
  const Received token = Next();
  ASSERT_EQ(token.type, "vendomoToken");
  EXPECT_EQ(token.token.signKey, L"sk-1");
  EXPECT_EQ(token.token.webPassSuffix, L"wp-1");
  EXPECT_EQ(token.token.tokenExtra, 7);
  EXPECT_NE(url_inside.find(L"uid=cnvantlealice&"), std::wstring::npos) << url_inside;
  EXPECT_NE(url_inside.find(L"webpas=cnvantlealicewp-1"), std::wstring::npos) << url_inside;
  EXPECT_EQ(url_inside.find(L"sk-1"), std::wstring::npos) << "the key signs and is never sent";
  // keepConnection is off: the exchange closes the connection.
  EXPECT_TRUE(channel_test::Eventually([&] { return CallCount("ScSession/stop") == 1; }));
}

TEST_F(WebTokenTest, RefusedAndUndecodableExchangesReportTheirCodes) {
  LoggedIn(true);
  auth().GetVendomoToken(L"", L"biz-unknown");
  Received fail = Next();
  ASSERT_EQ(fail.type, "vendomoTokenFail");
  EXPECT_EQ(fail.code, 6);
  auth().GetVendomoToken(L"", L"biz-bad");
  fail = Next();
  ASSERT_EQ(fail.type, "vendomoTokenFail");
  EXPECT_EQ(fail.code, uauth::AUTH_ERR_RESPONSE);
  auth().GetVendomoToken(L"", L"biz-ok");
  EXPECT_EQ(Next().type, "vendomoToken");
  EXPECT_EQ(CallCount("ScSession/stop"), 0) << "keepConnection keeps it open";
}

}  // namespace
}  // namespace auth_test
