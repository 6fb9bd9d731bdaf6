#include "sso_service.h"

#include "registry_instance.h"
#include "sdk_config.h"
#include "sdk_delegate_holder.h"
#include "sign_on_url.h"
#include "uauth/time_service.h"

namespace {

std::optional<int64_t> CurrentServerTime() {
  scoped_refptr<uauth::ITimeService> time;
  GetRegistryInstance(uauth::kTimeServiceClassId, uauth::kTimeServiceInterfaceId, &time);
  if (!time) return std::nullopt;
  return time->GetServerTime(false);
}

}  // namespace

int32_t CSSOService::SignIn(const std::wstring& default_url, std::wstring* url) {
  if (!url) return 0;
  SignOnRequest request;
  request.server_time = CurrentServerTime();
  request.base_url = SdkConfig::Get().GetValue(SdkConfig::kAutoLogin);
  {
    base::AutoLock guard(lock_);
    request.uid = uid_;
    request.sign_key = sign_key_;
    request.web_pass_suffix = web_pass_suffix_;
  }
  const SdkDelegateHolder& delegate = SdkDelegateHolder::Get();
  request.asker = delegate.GetAppName();
  request.asker_version = delegate.GetAppVersion();
  request.default_url = default_url;
  *url = BuildSignOnUrl(request);
  return 0;
}

int32_t CSSOService::SetSignOnInfo(const std::wstring& uid, const std::wstring& sign_key,
                                   const std::wstring& web_pass_suffix) {
  base::AutoLock guard(lock_);
  uid_ = uid;
  sign_key_ = sign_key;
  web_pass_suffix_ = web_pass_suffix;
  return 0;
}
