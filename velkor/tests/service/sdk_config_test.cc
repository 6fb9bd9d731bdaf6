#include "sdk_config.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "base/at_exit.h"
#include "deployment_values.h"
#include "fake_delegate.h"
#include "sdk_delegate_holder.h"

namespace {

const std::wstring kTestLoginPage =
    L"http://" VELKOR_TEST_LOGIN_HOST L"/member/loginByIm.do?_input_charset=utf-8";
const std::wstring kLoginPage =
    L"https://" VELKOR_LOGIN_HOST L"/member/loginByIm.do?_input_charset=utf-8";
const std::wstring kAllotTemplate =
    L"http://" VELKOR_ALLOT_HOST L"/imlogingw/tcp60login?ver=%ls&devid=%ls";

class SdkConfigTest : public ::testing::Test {
 protected:
  void UseDelegate(int32_t environment) {
    delegate_.environment = environment;
    SdkDelegateHolder::Get().Set(&delegate_);
  }

  FakeDelegate delegate_;
  base::AtExitManager at_exit_;  // fresh configuration and holder per test
  SdkConfig& config_ = SdkConfig::Get();
};

TEST_F(SdkConfigTest, EnvironmentPicksTheEndpointSet) {
  struct Case {
    int32_t environment;
    std::wstring autologin;
    std::wstring allot;
    std::wstring address;
  };
  const Case cases[] = {
      {0, kTestLoginPage, L"", VELKOR_TEST_GATEWAY L":13000"},
      {1, kLoginPage, L"", VELKOR_GATEWAY L":80"},
      {2, kLoginPage, kAllotTemplate, VELKOR_FALLBACK_GATEWAY L":80"},
      {7, kLoginPage, kAllotTemplate, VELKOR_FALLBACK_GATEWAY L":80"},
      {-1, kLoginPage, kAllotTemplate, VELKOR_FALLBACK_GATEWAY L":80"},
  };
  for (const Case& c : cases) {
    UseDelegate(c.environment);
    EXPECT_EQ(config_.GetValue(SdkConfig::kAutoLogin), c.autologin) << c.environment;
    EXPECT_EQ(config_.GetValue(SdkConfig::kNexaAllot), c.allot) << c.environment;
    EXPECT_EQ(config_.GetAddresses(), std::vector<std::wstring>{c.address}) << c.environment;
  }
}

TEST_F(SdkConfigTest, WithoutADelegateTheProductionSetWithTheAddressServiceIsUsed) {
  EXPECT_EQ(config_.GetValue(SdkConfig::kAutoLogin), kLoginPage);
  EXPECT_EQ(config_.GetValue(SdkConfig::kNexaAllot), kAllotTemplate);
}

TEST_F(SdkConfigTest, AddressesFollowTheLastLookupWithoutRebuilding) {
  EXPECT_TRUE(config_.GetAddresses().empty()) << "nothing is built before the first lookup";
  UseDelegate(1);
  config_.GetValue(SdkConfig::kAutoLogin);
  EXPECT_EQ(config_.GetAddresses(), std::vector<std::wstring>{VELKOR_GATEWAY L":80"});
  delegate_.environment = 0;
  EXPECT_EQ(config_.GetAddresses(), std::vector<std::wstring>{VELKOR_GATEWAY L":80"})
      << "GetAddresses alone does not see the new environment";
  config_.GetValue(SdkConfig::kAutoLogin);
  EXPECT_EQ(config_.GetAddresses(), std::vector<std::wstring>{VELKOR_TEST_GATEWAY L":13000"});
}

TEST_F(SdkConfigTest, UnknownKeyIsEmpty) {
  EXPECT_EQ(config_.GetValue(L"unknown"), L"");
  EXPECT_EQ(config_.GetValue(L""), L"");
}

TEST_F(SdkConfigTest, ConcurrentLookupsAlwaysSeeOneWholeSet) {
  UseDelegate(0);
  std::atomic<bool> torn{false};
  auto look_up = [&] {
    for (int i = 0; i < 500; ++i) {
      std::wstring autologin = config_.GetValue(SdkConfig::kAutoLogin);
      if (autologin != kTestLoginPage && autologin != kLoginPage) torn = true;
      if (config_.GetAddresses().size() != 1) torn = true;
    }
  };
  std::thread login_thread(look_up);
  std::thread host_thread(look_up);
  for (int i = 0; i < 500; ++i) delegate_.environment = i % 3;
  login_thread.join();
  host_thread.join();
  EXPECT_FALSE(torn);
}

}  // namespace
