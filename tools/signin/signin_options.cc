#include "signin_options.h"

#include <functional>
#include <map>
#include <string_view>

#include "base/strings.h"

namespace signin {
namespace {

using Setter = std::function<bool(Options&, const std::string&)>;

Setter Text(std::wstring Options::*field) {
  return [field](Options& options, const std::string& value) {
    options.*field = base::UTF8ToWide(value);
    return true;
  };
}

Setter Number(int32_t Options::*field) {
  return [field](Options& options, const std::string& value) {
    int number = 0;
    if (!base::StringToInt(value, &number)) return false;
    options.*field = number;
    return true;
  };
}

Setter Flag(bool Options::*field) {
  return [field](Options& options, const std::string& value) {
    options.*field = value.empty() || value == "1" || value == "true";
    return true;
  };
}

const std::map<std::string, Setter, std::less<>>& Setters() {
  static const std::map<std::string, Setter, std::less<>> setters = {
      {"uid", Text(&Options::uid)},
      {"password", Text(&Options::password)},
      {"token-type", Number(&Options::tokenType)},
      {"env", Number(&Options::environment)},
      {"data-dir", Text(&Options::dataDir)},
      {"app-name", Text(&Options::appName)},
      {"app-version", Text(&Options::appVersion)},
      {"umid", Text(&Options::umid)},
      {"keep-connection", Flag(&Options::keepConnection)},
      {"keep-for-token", Flag(&Options::keepForToken)},
      {"biz-token", Text(&Options::bizToken)},
      {"sso-target", Text(&Options::ssoTarget)},
      {"library", Text(&Options::library)},
      {"proxy-type", Number(&Options::proxyType)},
      {"proxy-host", Text(&Options::proxyHost)},
      {"proxy-port", Text(&Options::proxyPort)},
      {"proxy-user", Text(&Options::proxyUser)},
      {"proxy-password", Text(&Options::proxyPassword)},
  };
  return setters;
}

}  // namespace

const char kUsage[] =
    "usage: signin --uid=ID [--password=TOKEN] [--token-type=N] [--env=N] [--data-dir=DIR]\n"
    "              [--app-name=NAME] [--app-version=V] [--umid=ID] [--keep-connection]\n"
    "              [--keep-for-token] [--biz-token=T] [--sso-target=URL] [--library=PATH]\n"
    "              [--proxy-type=N --proxy-host=H --proxy-port=P --proxy-user=U --proxy-password=W]\n";

std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error) {
  Options options;
  for (const std::string& arg : args) {
    if (arg.rfind("--", 0) != 0) {
      error = "unexpected argument " + arg;
      return std::nullopt;
    }
    const size_t equals = arg.find('=');
    const std::string name = arg.substr(2, equals == std::string::npos ? std::string::npos : equals - 2);
    const std::string value = equals == std::string::npos ? std::string() : arg.substr(equals + 1);
    auto setter = Setters().find(name);
    if (setter == Setters().end() || !setter->second(options, value)) {
      error = "bad option " + arg;
      return std::nullopt;
    }
  }
  if (options.uid.empty()) {
    error = "--uid is required";
    return std::nullopt;
  }
  return options;
}

}  // namespace signin
