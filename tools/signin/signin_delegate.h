#pragma once

// The host's side of the SDK: the application's name and version, its data
// folder, device id, environment and proxy, all from the command line.

#include "base/ref_counted.h"
#include "signin_options.h"
#include "uauth/sdk_service.h"

namespace signin {

class SigninDelegate final : public base::RefPtrCounted<uauth::ISDKDelegate> {
 public:
  explicit SigninDelegate(const Options& options) : options_(options) {}

  std::wstring GetAppName() override { return options_.appName; }
  std::wstring GetAppVersion() override { return options_.appVersion; }
  base::FilePath GetDataDir() override { return base::FilePath(options_.dataDir); }
  std::wstring GetUmid() override { return options_.umid; }
  int32_t GetEnvironment() override { return options_.environment; }
  void GetProxy(int32_t* type, std::wstring* host, std::wstring* port, std::wstring* user,
                std::wstring* password, std::wstring* unused) override {
    *type = options_.proxyType;
    *host = options_.proxyHost;
    *port = options_.proxyPort;
    *user = options_.proxyUser;
    *password = options_.proxyPassword;
    unused->clear();
  }

 private:
  const Options options_;
};

}  // namespace signin
