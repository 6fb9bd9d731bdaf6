// The built-in endpoints, chosen by the host's environment number: the web
// login page, the address-service URL template and the fallback gateways.
//
//   std::wstring allot = SdkConfig::Get().GetValue(SdkConfig::kNexaAllot);
//   std::vector<std::wstring> gateways = SdkConfig::Get().GetAddresses();
#ifndef VELKOR_SOURCE_MODEL_SERVICE_SDK_CONFIG_H_
#define VELKOR_SOURCE_MODEL_SERVICE_SDK_CONFIG_H_

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "base/lock.h"

// One process-wide instance (Get), forgotten by the base library's at-exit
// processing. Safe from any thread: rebuild and read happen under one lock.
class SdkConfig {
 public:
  static constexpr wchar_t kAutoLogin[] = L"autologin";
  static constexpr wchar_t kNexaAllot[] = L"nexa_allot";

  static SdkConfig& Get();

  SdkConfig() = default;
  SdkConfig(const SdkConfig&) = delete;
  SdkConfig& operator=(const SdkConfig&) = delete;

  // Rebuilds the tables for the delegate's current environment (2 without a
  // delegate) and returns the value under `key`, empty for an unknown key.
  std::wstring GetValue(const std::wstring& key);
  // The gateway addresses ("a.b.c.d:port") as the last GetValue built them;
  // empty before the first GetValue.
  std::vector<std::wstring> GetAddresses();

 private:
  // 0 test, 1 production with a fixed gateway, anything else production with
  // the address service (compared unsigned, so negative numbers too).
  void Rebuild(uint32_t environment);

  base::Lock lock_;
  std::map<std::wstring, std::wstring> values_;  // Guarded by lock_
  std::vector<std::wstring> addresses_;          // Guarded by lock_
};

#endif  // VELKOR_SOURCE_MODEL_SERVICE_SDK_CONFIG_H_
