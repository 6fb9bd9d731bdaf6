#include "sdk_config.h"

#include "base/lazy_instance.h"
#include "deployment_values.h"
#include "sdk_delegate_holder.h"

namespace {

base::LazyInstance<SdkConfig> g_config;

constexpr wchar_t kLoginPagePath[] = L"/member/loginByIm.do?_input_charset=utf-8";
constexpr wchar_t kAllotPath[] = L"/imlogingw/tcp60login?ver=%ls&devid=%ls";

const std::wstring kTestLoginPage = std::wstring(L"http://") + VELKOR_TEST_LOGIN_HOST + kLoginPagePath;
const std::wstring kLoginPage = std::wstring(L"https://") + VELKOR_LOGIN_HOST + kLoginPagePath;
const std::wstring kAllotTemplate = std::wstring(L"http://") + VELKOR_ALLOT_HOST + kAllotPath;
const std::wstring kTestGateway = std::wstring(VELKOR_TEST_GATEWAY) + L":13000";
const std::wstring kGateway = std::wstring(VELKOR_GATEWAY) + L":80";
const std::wstring kFallbackGateway = std::wstring(VELKOR_FALLBACK_GATEWAY) + L":80";

}  // namespace

SdkConfig& SdkConfig::Get() { return g_config.Get(); }

std::wstring SdkConfig::GetValue(const std::wstring& key) {
  // Asked outside the lock: the delegate is the host's code.
  int32_t environment = SdkDelegateHolder::Get().GetEnvironment();
  base::AutoLock guard(lock_);
  Rebuild(static_cast<uint32_t>(environment));
  return values_[key];
}

std::vector<std::wstring> SdkConfig::GetAddresses() {
  base::AutoLock guard(lock_);
  return addresses_;
}

void SdkConfig::Rebuild(uint32_t environment) {
  values_.clear();
  addresses_.clear();
  switch (environment) {
    case 0:
      values_[kAutoLogin] = kTestLoginPage;
      values_[kNexaAllot] = L"";
      addresses_.push_back(kTestGateway);
      break;
    case 1:
      values_[kAutoLogin] = kLoginPage;
      values_[kNexaAllot] = L"";
      addresses_.push_back(kGateway);
      break;
    default:
      values_[kAutoLogin] = kLoginPage;
      values_[kNexaAllot] = kAllotTemplate;
      addresses_.push_back(kFallbackGateway);
      break;
  }
}
