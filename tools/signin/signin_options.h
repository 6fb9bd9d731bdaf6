#pragma once

// The sample host's command line (kUsage lists the options).
//
// --password is the token of the login type (0, a password, by default).

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace signin {

struct Options {
  std::wstring uid;
  std::wstring password;
  int32_t tokenType = 0;
  int32_t environment = 0;
  std::wstring dataDir = L"signin-data";
  std::wstring appName = L"signin";
  std::wstring appVersion = L"1.0";
  std::wstring umid = L"signin-umid";
  bool keepConnection = false;
  bool keepForToken = false;
  std::wstring bizToken;  // exchanged for a web token after the login when set
  std::wstring ssoTarget = L"http://127.0.0.1/after-login";
  std::wstring library;   // empty: the velkor library beside this program
  int32_t proxyType = 0;
  std::wstring proxyHost, proxyPort, proxyUser, proxyPassword;
};

// The option summary, for the program's error output.
extern const char kUsage[];

// Nothing, with `error` set, for an unknown option or a missing --uid.
std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error);

}  // namespace signin
