#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace net::detail {

struct HttpUrl {
  std::string host;  // without brackets
  std::uint16_t port = 80;
  std::string target;  // path and query, at least "/"
};

// Splits an "http://host[:port][/path][?query][#fragment]" URL (scheme case-insensitive).
// Other schemes, user information, an empty host, a bad port, and control characters or
// spaces anywhere (they would let the URL inject request lines) give nothing.
std::optional<HttpUrl> ParseHttpUrl(const std::string& url);

}  // namespace net::detail
