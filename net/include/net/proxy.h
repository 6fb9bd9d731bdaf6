#pragma once

#include <cstdint>
#include <string>

namespace net {

enum HTTP_CLIENT_RPOXY_TYPE : std::int32_t {
  PROXY_NONE = 0,
  PROXY_HTTP = 1,    // HTTP CONNECT tunnel (optional Basic authentication)
  PROXY_SOCKS5 = 2,  // SOCKS5, optionally with user name and password
};

// Sets the process-wide proxy used by later Connect and FetchUrl calls. The strings are the
// proxy host, its port in decimal, user, password, and one unused string. An unknown type,
// an empty host or an unusable port switches the proxy off.
void SetProxy(HTTP_CLIENT_RPOXY_TYPE type, const std::wstring& host, const std::wstring& port,
              const std::wstring& user, const std::wstring& password, const std::wstring& unused);

}  // namespace net
