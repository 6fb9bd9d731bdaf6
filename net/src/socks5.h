#pragma once

// SOCKS5 CONNECT with "no authentication" or user name and password.

#include <boost/asio/ip/tcp.hpp>
#include <cstdint>
#include <string>

#include "dialer.h"
#include "proxy_settings.h"

namespace net::detail {

// Asks the SOCKS5 proxy on `socket` to connect to host:port (a name is passed on for the
// proxy to resolve). RES_OK on success, RES_REFUSED when the target refused, else
// RES_PROXY_FAILED (refused credentials, unsupported method, malformed answer).
void AsyncSocks5Connect(boost::asio::ip::tcp::socket& socket, const ProxySettings& proxy,
                        const std::string& host, std::uint16_t port, DialDone done);

}  // namespace net::detail
