#include "sso_service.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "base/at_exit.h"
#include "base/strings.h"
#include "base/time.h"
#include "class_table.h"
#include "fake_delegate.h"
#include "registry_instance.h"
#include "sdk_config.h"
#include "sdk_delegate_holder.h"
#include "uauth/time_service.h"

namespace {

int64_t FrozenTick() { return 5'000'000'000; }

// The services of one process: the library's classes behind the registry, a
// delegate in environment 0, and a clock that stands still.
class SsoServiceTest : public ::testing::Test {
 protected:
  SsoServiceTest() {
    velkor::RegisterClasses(GetZephCOMFactory());
    base::Time::SetTickSourceForTesting(&FrozenTick);
    SdkDelegateHolder::Get().Set(&delegate_);
    GetRegistryInstance(uauth::kTimeServiceClassId, uauth::kTimeServiceInterfaceId, &time_);
    GetRegistryInstance(uauth::kSSOServiceClassId, uauth::kSSOServiceInterfaceId, &sso_);
  }
  ~SsoServiceTest() override { base::Time::SetTickSourceForTesting(nullptr); }

  std::wstring SignIn(uauth::ISSOService* sso, const std::wstring& default_url) {
    std::wstring url = L"previous content";
    EXPECT_EQ(sso->SignIn(default_url, &url), 0);
    return url;
  }

  FakeDelegate delegate_;
  base::AtExitManager at_exit_;  // a fresh registry and holder per test
  scoped_refptr<uauth::ITimeService> time_;
  scoped_refptr<uauth::ISSOService> sso_;
};

TEST_F(SsoServiceTest, SignInSignsWithTheSharedServerTimeAndTheStoredCredentials) {
  ASSERT_TRUE(time_ && sso_);
  time_->SetServerTime(1000);
  EXPECT_EQ(sso_->SetSignOnInfo(L"u+1", L"sign-key", L"-pass"), 0);

  const std::wstring url = SignIn(sso_.get(), L"http://127.0.0.1/next page");
  EXPECT_EQ(url, SdkConfig::Get().GetValue(SdkConfig::kAutoLogin) + L"&uid=u%2b1&token=" +
                     base::UTF8ToWide(base::MD5String("u+11001sign-key")) +
                     L"&act=SignIn&time=1001&asker=Host App&asker_version=3.2.1"
                     L"&defaulturl=http%3a%2f%2f127.0.0.1%2fnext%20page&webpas=u%2b1-pass");
  EXPECT_EQ(SignIn(sso_.get(), L"http://127.0.0.1/next page"), url) << "same second, same URL";

  scoped_refptr<uauth::ISSOService> again;
  GetRegistryInstance(uauth::kSSOServiceClassId, uauth::kSSOServiceInterfaceId, &again);
  EXPECT_EQ(again.get(), sso_.get()) << "the registry hands out one shared instance";
}

TEST_F(SsoServiceTest, EnvironmentIsReadAtEverySignIn) {
  delegate_.environment = 1;
  std::wstring production = SignIn(sso_.get(), L"");
  delegate_.environment = 0;
  std::wstring test = SignIn(sso_.get(), L"");
  EXPECT_EQ(production.rfind(L"https://", 0), 0u);
  EXPECT_EQ(test.rfind(L"http://", 0), 0u);
}

TEST_F(SsoServiceTest, InstanceFromTheFactoryStartsEmpty) {
  sso_->SetSignOnInfo(L"shared-user", L"k", L"s");
  void* out = nullptr;
  ASSERT_EQ(GetZephCOMFactory()->CreateInstance(uauth::kSSOServiceClassId,
                                                uauth::kSSOServiceInterfaceId, &out),
            0);
  auto* own = static_cast<uauth::ISSOService*>(out);
  const std::wstring url = SignIn(own, L"");
  EXPECT_NE(url.find(L"&uid=&token="), std::wstring::npos) << url;
  EXPECT_EQ(url.substr(url.size() - 8), L"&webpas=");
  EXPECT_EQ(own->Release(), 0);
}

TEST_F(SsoServiceTest, CredentialsChangingDuringSignInAreNeverMixed) {
  std::atomic<bool> stop{false};
  std::thread login_thread([&] {
    for (int i = 0; !stop; ++i) {
      std::wstring n = std::to_wstring(i % 10);
      sso_->SetSignOnInfo(L"user" + n, L"key" + n, L"-suffix" + n);
    }
  });
  bool mixed = false;
  for (int i = 0; i < 300 && !mixed; ++i) {
    std::wstring url = SignIn(sso_.get(), L"");
    size_t uid = url.find(L"&uid=user");
    size_t webpas = url.find(L"&webpas=user");
    if (uid == std::wstring::npos) continue;  // before the first SetSignOnInfo
    wchar_t n = url[uid + 9];
    mixed = webpas == std::wstring::npos || url.substr(webpas + 8) != std::wstring(L"user") + n +
                                                                         L"-suffix" + n;
  }
  stop = true;
  login_thread.join();
  EXPECT_FALSE(mixed);
}

TEST(RegistryInstanceTest, UnknownClassFailsAndReleasesWhatTheOutPointerHeld) {
  base::AtExitManager at_exit;
  velkor::RegisterClasses(GetZephCOMFactory());
  scoped_refptr<uauth::ITimeService> time;
  ASSERT_GE(GetRegistryInstance(uauth::kTimeServiceClassId, uauth::kTimeServiceInterfaceId, &time), 0);
  ASSERT_TRUE(time);
  uauth::ITimeService* held = time.get();
  held->AddRef();

  EXPECT_LT(GetRegistryInstance("{00000000-0000-0000-0000-000000000000}",
                                uauth::kTimeServiceInterfaceId, &time),
            0);
  EXPECT_FALSE(time);
  EXPECT_EQ(held->Release(), 1) << "only the registry's own reference is left";
  EXPECT_LT(GetRegistryInstance(uauth::kTimeServiceClassId, uauth::kSSOServiceInterfaceId, &time), 0)
      << "an interface the class does not offer";
  EXPECT_FALSE(time);
}

}  // namespace
