#include "http_url.h"

#include <algorithm>
#include <boost/algorithm/string/predicate.hpp>

namespace net::detail {
namespace {

bool IsUnsafe(char c) {
  auto byte = static_cast<unsigned char>(c);
  return byte <= 0x20 || byte == 0x7F;
}

std::optional<std::uint16_t> ParsePort(const std::string& text) {
  if (text.empty() || text.size() > 5) return std::nullopt;
  unsigned value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<unsigned>(c - '0');
  }
  if (value == 0 || value > 65535) return std::nullopt;
  return static_cast<std::uint16_t>(value);
}

}  // namespace

std::optional<HttpUrl> ParseHttpUrl(const std::string& url) {
  constexpr std::string_view kScheme = "http://";
  if (!boost::algorithm::istarts_with(url, kScheme) ||
      std::any_of(url.begin(), url.end(), IsUnsafe)) {
    return std::nullopt;
  }
  std::string rest = url.substr(kScheme.size());
  rest = rest.substr(0, rest.find('#'));
  std::size_t authorityEnd = rest.find_first_of("/?");
  std::string authority = rest.substr(0, authorityEnd);
  HttpUrl parsed;
  parsed.target = authorityEnd == std::string::npos ? "/" : rest.substr(authorityEnd);
  if (parsed.target.front() == '?') parsed.target = "/" + parsed.target;
  if (authority.find('@') != std::string::npos) return std::nullopt;

  std::string hostText = authority;
  std::optional<std::string> portText;
  if (!authority.empty() && authority.front() == '[') {
    std::size_t close = authority.find(']');
    if (close == std::string::npos) return std::nullopt;
    hostText = authority.substr(1, close - 1);
    std::string after = authority.substr(close + 1);
    if (!after.empty() && after.front() != ':') return std::nullopt;
    if (!after.empty()) portText = after.substr(1);
  } else if (std::size_t colon = authority.find(':'); colon != std::string::npos) {
    hostText = authority.substr(0, colon);
    portText = authority.substr(colon + 1);
  }
  if (hostText.empty()) return std::nullopt;
  parsed.host = hostText;
  if (portText) {
    std::optional<std::uint16_t> port = ParsePort(*portText);
    if (!port) return std::nullopt;
    parsed.port = *port;
  }
  return parsed;
}

}  // namespace net::detail
