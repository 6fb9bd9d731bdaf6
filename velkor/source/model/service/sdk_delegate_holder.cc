#include "sdk_delegate_holder.h"

#include "base/lazy_instance.h"

namespace {

base::LazyInstance<SdkDelegateHolder> g_holder;

// The delegate's answer, or `fallback` when there is no delegate.
template <typename Result>
Result Ask(uauth::ISDKDelegate* delegate, Result (uauth::ISDKDelegate::*question)(),
           Result fallback) {
  return delegate ? (delegate->*question)() : fallback;
}

}  // namespace

SdkDelegateHolder& SdkDelegateHolder::Get() { return g_holder.Get(); }

SdkDelegateHolder::~SdkDelegateHolder() { Set(nullptr); }

void SdkDelegateHolder::Set(uauth::ISDKDelegate* delegate) {
  if (delegate) delegate->AddRef();
  uauth::ISDKDelegate* previous = delegate_.exchange(delegate, std::memory_order_acq_rel);
  if (previous) previous->Release();
}

std::wstring SdkDelegateHolder::GetAppName() const {
  return Ask(delegate(), &uauth::ISDKDelegate::GetAppName, std::wstring());
}

std::wstring SdkDelegateHolder::GetAppVersion() const {
  return Ask(delegate(), &uauth::ISDKDelegate::GetAppVersion, std::wstring());
}

base::FilePath SdkDelegateHolder::GetDataDir() const {
  return Ask(delegate(), &uauth::ISDKDelegate::GetDataDir, base::FilePath());
}

std::wstring SdkDelegateHolder::GetUmid() const {
  return Ask(delegate(), &uauth::ISDKDelegate::GetUmid, std::wstring());
}

int32_t SdkDelegateHolder::GetEnvironment() const {
  return Ask(delegate(), &uauth::ISDKDelegate::GetEnvironment, kDefaultEnvironment);
}

SdkDelegateHolder::Proxy SdkDelegateHolder::GetProxy() const {
  Proxy proxy;
  if (uauth::ISDKDelegate* current = delegate()) {
    current->GetProxy(&proxy.type, &proxy.host, &proxy.port, &proxy.user, &proxy.password,
                      &proxy.unused);
  }
  return proxy;
}
