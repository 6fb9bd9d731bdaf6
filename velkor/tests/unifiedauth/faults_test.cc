// A channel or gateway that fails: every DoAuth still ends in exactly one record.
#include "auth_harness.h"
#include "support/channel_harness.h"

namespace auth_test {
namespace {

using namespace std::chrono_literals;

class SilentVConnTest : public AuthTest {
  std::vector<std::string> GatewayFaults() const override { return {"silence=ScSession/start"}; }
};

TEST_F(SilentVConnTest, AVConnThatNeverOpensTimesOut) {
  auth().Initialize(false, false);
  Login(L"alice", L"alice-Secret-77");
  const Received fail = Next();
  ASSERT_EQ(fail.type, "authFail");
  EXPECT_EQ(fail.code, uauth::AUTH_ERR_TIMEOUT);
}

class SilentLoginTest : public AuthTest {
  std::vector<std::string> GatewayFaults() const override { return {"silence=LogonProxy/login"}; }
};

TEST_F(SilentLoginTest, EveryLoginToASilentGatewayEndsInOneTimeOut) {
  auth().Initialize(false, false);
  for (int attempt = 0; attempt < 3; ++attempt) {
    Login(L"alice", L"alice-Secret-77");
    const Received fail = Next();
    ASSERT_EQ(fail.type, "authFail") << attempt;
    EXPECT_EQ(fail.code, uauth::AUTH_ERR_TIMEOUT);
  }
  EXPECT_EQ(Settle(300ms), 0u);
}

class ClosingGatewayTest : public AuthTest {};

TEST_F(ClosingGatewayTest, ALateTimeOutOfAnAbandonedLoginDoesNotEndTheNextOne) {
  auth().Initialize(false, false);
  // Frames 1 and 2 are the key exchange and the vconn start: the login closes the link.
  gateway_->SetFaults({"close-after=3"});
  Login(L"alice", L"alice-Secret-77");
  const Received fail = Next();
  ASSERT_EQ(fail.type, "authFail");
  EXPECT_EQ(fail.code, uauth::AUTH_ERR_CONNECT);

  // The first request times out one second after it went out; the next login
  // starts half-way and waits for its answer until after that.
  EXPECT_EQ(Settle(500ms), 0u);
  gateway_->SetFaults({"delay:LogonProxy/login=700"});
  Login(L"alice", L"alice-Secret-77");
  const Received next = Next();
  EXPECT_EQ(next.type, "authOk") << next.code;
  EXPECT_EQ(Settle(300ms), 0u);
}

class UnreachableGatewayTest : public AuthTest {};

TEST_F(UnreachableGatewayTest, AChannelThatReachesNoServerFailsWithConnectError) {
  gateway_->Quit();
  auth().Initialize(false, false);
  Login(L"alice", L"alice-Secret-77");
  const Received fail = Next();
  ASSERT_EQ(fail.type, "authFail");
  EXPECT_EQ(fail.code, uauth::AUTH_ERR_CONNECT);
  EXPECT_EQ(Settle(200ms), 0u);
}

}  // namespace
}  // namespace auth_test
