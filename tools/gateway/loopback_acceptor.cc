#include "loopback_acceptor.h"

#include <memory>
#include <utility>

namespace gateway {

namespace asio = boost::asio;

namespace {

void AcceptNext(asio::ip::tcp::acceptor& acceptor, std::shared_ptr<SocketHandler> onAccepted) {
  acceptor.async_accept(
      [&acceptor, onAccepted](boost::system::error_code error, asio::ip::tcp::socket socket) {
        if (error == asio::error::operation_aborted) return;
        if (!error) (*onAccepted)(std::move(socket));
        AcceptNext(acceptor, onAccepted);
      });
}

}  // namespace

bool ServeOnLoopback(asio::ip::tcp::acceptor& acceptor, int port, const std::string& what,
                     std::string& error, SocketHandler onAccepted) {
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
  AcceptNext(acceptor, std::make_shared<SocketHandler>(std::move(onAccepted)));
  return true;
}

}  // namespace gateway
