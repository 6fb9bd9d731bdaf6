// The host's delegate, held for the whole library. Other parts reach the
// delegate only through here and get empty defaults while there is none.
#ifndef VELKOR_SOURCE_MODEL_SERVICE_SDK_DELEGATE_HOLDER_H_
#define VELKOR_SOURCE_MODEL_SERVICE_SDK_DELEGATE_HOLDER_H_

#include <atomic>
#include <cstdint>
#include <string>

#include "base/file_path.h"
#include "uauth/sdk_service.h"

// One process-wide instance (Get); destroyed, releasing the delegate, by the
// base library's at-exit processing.
class SdkDelegateHolder {
 public:
  // The environment reported while there is no delegate: production.
  static constexpr int32_t kDefaultEnvironment = 2;

  struct Proxy {
    int32_t type = 0;
    std::wstring host, port, user, password, unused;
  };

  static SdkDelegateHolder& Get();

  SdkDelegateHolder() = default;
  ~SdkDelegateHolder();
  SdkDelegateHolder(const SdkDelegateHolder&) = delete;
  SdkDelegateHolder& operator=(const SdkDelegateHolder&) = delete;

  // Takes a reference on `delegate` (may be null) and releases the previous one.
  // Runs on the UI thread; must not race with readers on other threads.
  void Set(uauth::ISDKDelegate* delegate);
  // The current delegate without a reference; null when there is none.
  uauth::ISDKDelegate* delegate() const { return delegate_.load(std::memory_order_acquire); }

  std::wstring GetAppName() const;
  std::wstring GetAppVersion() const;
  base::FilePath GetDataDir() const;
  std::wstring GetUmid() const;
  int32_t GetEnvironment() const;
  // The host's proxy; without a delegate the default (type 0, empty strings)
  // and the delegate is not asked.
  Proxy GetProxy() const;

 private:
  std::atomic<uauth::ISDKDelegate*> delegate_{nullptr};
};

#endif  // VELKOR_SOURCE_MODEL_SERVICE_SDK_DELEGATE_HOLDER_H_
