#pragma once

#include <cstdint>
#include <string>

#include "net/proxy.h"

namespace net::detail {

struct ProxySettings {
  HTTP_CLIENT_RPOXY_TYPE type = PROXY_NONE;
  std::string host;  // UTF-8
  std::uint16_t port = 0;
  std::string user;
  std::string password;
};

// Converts the host's five strings; anything unusable gives type PROXY_NONE.
ProxySettings MakeProxySettings(HTTP_CLIENT_RPOXY_TYPE type, const std::wstring& host,
                                const std::wstring& port, const std::wstring& user,
                                const std::wstring& password);

// The process-wide proxy as last set with SetProxy.
ProxySettings CurrentProxy();

}  // namespace net::detail
