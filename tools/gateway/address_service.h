#pragma once

// The gateway's HTTP side on loopback: the address service that the channel asks for
// gateway addresses, and the control calls of tests.
//
//   GET /imlogingw/tcp60login?...   the "allot" list ("self" is this gateway), with the
//                                   status of "allot-status"
//   GET /stats                      GatewayStats as JSON
//   GET /push?kind=stop&session=N[&code=C]   "ScSession"/"stop" with close code C (none: 0)
//   GET /push?kind=stop&session=N&garbage=1  the same push with an unreadable body
//   GET /push?kind=renew&session=N           "SC"/"renewLoginSession"
//   GET /push?kind=notify&session=N&interface=I&method=M&body=HEX
//   GET /drop                       closes every client connection
//   GET /quit                       ends the gateway
// Pushes go to every client that finished its key exchange; the answer is their number.

#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <functional>
#include <string>

namespace gateway {

class GatewayServer;

class AddressService {
 public:
  AddressService(boost::asio::io_context& io, GatewayServer& gateway, std::function<void()> quit);
  AddressService(const AddressService&) = delete;
  AddressService& operator=(const AddressService&) = delete;

  [[nodiscard]] bool Listen(int port, std::string& error);
  int port() const;

 private:
  GatewayServer& gateway_;
  std::function<void()> quit_;
  boost::asio::ip::tcp::acceptor acceptor_;
};

}  // namespace gateway
