#pragma once

// HTTP CONNECT tunnel through a proxy, with optional Basic authentication.

#include <boost/asio/ip/tcp.hpp>
#include <cstdint>
#include <string>

#include "dialer.h"
#include "proxy_settings.h"

namespace net::detail {

// Asks the proxy on `socket` for a tunnel to host:port. RES_OK once the proxy answered 2xx;
// RES_PROXY_FAILED for any other answer, including a refused password.
void AsyncHttpConnect(boost::asio::ip::tcp::socket& socket, const ProxySettings& proxy,
                      const std::string& host, std::uint16_t port, DialDone done);

// "Basic <base64 user:password>", or empty when the proxy has no user.
std::string ProxyAuthorization(const ProxySettings& proxy);

// The host as written in a URL or Host field: an IPv6 literal gets brackets.
std::string UrlHost(const std::string& host);

// UrlHost(host) + ":" + port.
std::string HostAndPort(const std::string& host, std::uint16_t port);

}  // namespace net::detail
