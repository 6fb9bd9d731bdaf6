#include "loopback_acceptor.h"

namespace gateway {

namespace asio = boost::asio;

bool ListenOnLoopback(asio::ip::tcp::acceptor& acceptor, int port, const std::string& what,
                      std::string& error) {
  if (port < 0 || port > 65535) {
    error = what + " port " + std::to_string(port) + " is out of range";
    return false;
  }
  boost::system::error_code code;
  const asio::ip::tcp::endpoint endpoint(asio::ip::make_address_v4("127.0.0.1"),
                                         static_cast<uint16_t>(port));
  acceptor.open(endpoint.protocol(), code);
  if (!code) acceptor.set_option(asio::socket_base::reuse_address(true), code);
  if (!code) acceptor.bind(endpoint, code);
  if (!code) acceptor.listen(asio::socket_base::max_listen_connections, code);
  if (code) {
    error = what + " port " + std::to_string(port) + ": " + code.message();
    return false;
  }
  return true;
}

}  // namespace gateway
