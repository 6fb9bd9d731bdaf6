#pragma once

#include <boost/asio/ip/tcp.hpp>
#include <string>

namespace gateway {

// Opens `acceptor` on 127.0.0.1:`port` (0: any free port) and listens. On failure
// `error` names `what` and the reason.
[[nodiscard]] bool ListenOnLoopback(boost::asio::ip::tcp::acceptor& acceptor, int port,
                                    const std::string& what, std::string& error);

}  // namespace gateway
