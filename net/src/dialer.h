#pragma once

// Opens a TCP stream to a target, directly or through the configured proxy.

#include <boost/asio/ip/tcp.hpp>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "net/net_connect.h"
#include "proxy_settings.h"

namespace net::detail {

// `early` holds bytes the target sent that arrived with the proxy's answer; the owner
// hands them on before anything read later.
using DialDone = std::function<void(ResCode result, std::string early)>;

// How an HTTP proxy is used: as a CONNECT tunnel, or only reached (the caller then speaks
// HTTP to the proxy itself, with absolute request targets).
enum class HttpProxyRole { kTunnel, kForward };

class CDialer : public std::enable_shared_from_this<CDialer> {
 public:
  // Starts on `socket`'s executor; `done` runs there exactly once, unless the executor
  // stops first. The socket must outlive the dial; closing it aborts the dial.
  static std::shared_ptr<CDialer> Start(boost::asio::ip::tcp::socket& socket,
                                        const ProxySettings& proxy, std::string host,
                                        std::uint16_t port, HttpProxyRole role, DialDone done);

  // Stops a pending name resolution; the owner closes the socket.
  void Cancel();

  CDialer(boost::asio::ip::tcp::socket& socket, const ProxySettings& proxy, std::string host,
          std::uint16_t port, HttpProxyRole role, DialDone done);

 private:
  void Resolve();
  void OnResolved(const boost::system::error_code& error,
                  const boost::asio::ip::tcp::resolver::results_type& endpoints);
  void OnConnected(const boost::system::error_code& error);
  void Finish(ResCode result, std::string early);

  boost::asio::ip::tcp::socket& socket_;
  boost::asio::ip::tcp::resolver resolver_;
  ProxySettings proxy_;
  std::string host_;
  std::uint16_t port_;
  HttpProxyRole role_;
  DialDone done_;
};

// The error code of a failed socket operation.
ResCode ResCodeFor(const boost::system::error_code& error);

}  // namespace net::detail
