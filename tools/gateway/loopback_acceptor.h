#pragma once

#include <boost/asio/ip/tcp.hpp>
#include <functional>
#include <string>

namespace gateway {

using SocketHandler = std::function<void(boost::asio::ip::tcp::socket socket)>;

// Opens `acceptor` on 127.0.0.1:`port` (0: any free port), listens, and hands every
// accepted connection to `onAccepted` until the acceptor closes. On failure `error`
// names `what` and the reason.
[[nodiscard]] bool ServeOnLoopback(boost::asio::ip::tcp::acceptor& acceptor, int port,
                                   const std::string& what, std::string& error,
                                   SocketHandler onAccepted);

}  // namespace gateway
