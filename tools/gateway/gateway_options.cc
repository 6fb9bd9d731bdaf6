#include "gateway_options.h"

#include <charconv>

namespace gateway {
namespace {

template <typename Number>
bool ParseNumber(std::string_view text, Number& out) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), out);
  return error == std::errc() && end == text.data() + text.size();
}

bool ParseFlag(std::string_view text, bool& out) {
  int value = 0;
  if (!ParseNumber(text, value) || (value != 0 && value != 1)) return false;
  out = value == 1;
  return true;
}

// A call name must have both parts.
bool IsCallName(std::string_view text) {
  const size_t slash = text.find('/');
  return slash != std::string_view::npos && slash > 0 && slash + 1 < text.size();
}

}  // namespace

std::string CallName(std::string_view _interface, std::string_view _method) {
  std::string name(_interface);
  name += '/';
  name += _method;
  return name;
}

int FaultSettings::DelayFor(std::string_view call) const {
  const auto found = callDelayMs.find(call);
  return found == callDelayMs.end() ? delayMs : found->second;
}

bool ApplyFaultDirective(FaultSettings& faults, std::string_view directive) {
  const size_t equals = directive.find('=');
  if (equals == std::string_view::npos) return false;
  const std::string_view key = directive.substr(0, equals);
  const std::string_view value = directive.substr(equals + 1);

  if (key == "delay") return ParseNumber(value, faults.delayMs);
  if (key.starts_with("delay:")) {
    const std::string_view call = key.substr(6);
    int delay = 0;
    if (!IsCallName(call) || !ParseNumber(value, delay)) return false;
    faults.callDelayMs[std::string(call)] = delay;
    return true;
  }
  const auto addCall = [&](std::set<std::string, std::less<>>& calls) {
    if (!IsCallName(value)) return false;
    calls.emplace(value);
    return true;
  };
  if (key == "silence") return addCall(faults.silent);
  if (key == "corrupt") return addCall(faults.corruptBefore);
  if (key == "oversize") return addCall(faults.oversizeInstead);
  if (key == "close-after") return ParseNumber(value, faults.closeAfterFrames);
  if (key == "vconn-code") return ParseNumber(value, faults.vconnCode);
  if (key == "reconnect-fails") return ParseFlag(value, faults.reconnectFails);
  if (key == "exchange-garbage") return ParseFlag(value, faults.exchangeGarbage);
  if (key == "allot") {
    faults.allot = value;
    return true;
  }
  if (key == "allot-status") return ParseNumber(value, faults.allotStatus);
  return false;
}

std::optional<GatewayOptions> ParseCommandLine(const std::vector<std::string>& args,
                                               std::string& error) {
  GatewayOptions options;
  FaultSettings check;
  for (const std::string& arg : args) {
    const std::string_view text(arg);
    const size_t equals = text.find('=');
    if (!text.starts_with("--") || equals == std::string_view::npos) {
      error = "expected --key=value, got '" + arg + "'";
      return std::nullopt;
    }
    const std::string_view key = text.substr(2, equals - 2);
    const std::string_view value = text.substr(equals + 1);
    bool ok = true;
    if (key == "port") {
      ok = ParseNumber(value, options.port);
    } else if (key == "http-port") {
      ok = ParseNumber(value, options.httpPort);
    } else if (key == "port-file") {
      options.portFile = value;
    } else if (key == "control-file") {
      options.controlFile = value;
    } else if (key == "private-key") {
      options.privateKeyFile = value;
    } else if (key == "max-life-ms") {
      ok = ParseNumber(value, options.maxLifeMs);
    } else if (key == "end-with-input") {
      ok = ParseFlag(value, options.endWithInput);
    } else if (key == "accounts") {
      options.accountsFile = value;
    } else {
      ok = ApplyFaultDirective(check, text.substr(2));
      if (ok) options.faultDirectives.emplace_back(text.substr(2));
    }
    if (!ok) {
      error = "bad option '" + arg + "'";
      return std::nullopt;
    }
  }
  return options;
}

}  // namespace gateway
