#include "dialer.h"

#include <boost/asio/connect.hpp>
#include <boost/asio/error.hpp>
#include <boost/asio/ip/address.hpp>

#include "http_connect.h"
#include "socks5.h"

namespace net::detail {

namespace asio = boost::asio;
using asio::ip::tcp;

ResCode ResCodeFor(const boost::system::error_code& error) {
  if (error == asio::error::connection_refused) return RES_REFUSED;
  if (error == asio::error::connection_reset || error == asio::error::connection_aborted ||
      error == asio::error::broken_pipe) {
    return RES_RESET;
  }
  if (error == asio::error::host_not_found || error == asio::error::host_not_found_try_again ||
      error == asio::error::no_data) {
    return RES_RESOLVE_FAILED;
  }
  if (error == asio::error::timed_out) return RES_TIMEOUT;
  return RES_ERROR;
}

std::shared_ptr<CDialer> CDialer::Start(tcp::socket& socket, const ProxySettings& proxy,
                                        std::string host, std::uint16_t port,
                                        HttpProxyRole role, DialDone done) {
  auto dialer =
      std::make_shared<CDialer>(socket, proxy, std::move(host), port, role, std::move(done));
  dialer->Resolve();
  return dialer;
}

CDialer::CDialer(tcp::socket& socket, const ProxySettings& proxy, std::string host,
                 std::uint16_t port, HttpProxyRole role, DialDone done)
    : socket_(socket),
      resolver_(socket.get_executor()),
      proxy_(proxy),
      host_(std::move(host)),
      port_(port),
      role_(role),
      done_(std::move(done)) {}

void CDialer::Cancel() { resolver_.cancel(); }

void CDialer::Resolve() {
  bool direct = proxy_.type == PROXY_NONE;
  const std::string& host = direct ? host_ : proxy_.host;
  std::uint16_t port = direct ? port_ : proxy_.port;
  // A literal address skips the resolver, whose answer would come back through a thread
  // of its own.
  boost::system::error_code notLiteral;
  const asio::ip::address literal = asio::ip::make_address(host, notLiteral);
  if (!notLiteral) {
    socket_.async_connect(tcp::endpoint(literal, port),
                          [self = shared_from_this()](const boost::system::error_code& error) {
                            self->OnConnected(error);
                          });
    return;
  }
  resolver_.async_resolve(
      host, std::to_string(port),
      [self = shared_from_this()](const boost::system::error_code& error,
                                  const tcp::resolver::results_type& endpoints) {
        self->OnResolved(error, endpoints);
      });
}

void CDialer::OnResolved(const boost::system::error_code& error,
                         const tcp::resolver::results_type& endpoints) {
  if (error) {
    Finish(ResCodeFor(error), {});
    return;
  }
  asio::async_connect(socket_, endpoints,
                      [self = shared_from_this()](const boost::system::error_code& connectError,
                                                  const tcp::endpoint&) {
                        self->OnConnected(connectError);
                      });
}

void CDialer::OnConnected(const boost::system::error_code& error) {
  if (error) {
    // A proxy that cannot be reached is a proxy failure, not a refusal by the target.
    Finish(proxy_.type == PROXY_NONE ? ResCodeFor(error) : RES_PROXY_FAILED, {});
    return;
  }
  boost::system::error_code ignored;
  socket_.set_option(tcp::no_delay(true), ignored);  // frames are small and latency-bound
  auto finish = [self = shared_from_this()](ResCode result, std::string early) {
    self->Finish(result, std::move(early));
  };
  if (proxy_.type == PROXY_SOCKS5) {
    AsyncSocks5Connect(socket_, proxy_, host_, port_, std::move(finish));
  } else if (proxy_.type == PROXY_HTTP && role_ == HttpProxyRole::kTunnel) {
    AsyncHttpConnect(socket_, proxy_, host_, port_, std::move(finish));
  } else {
    Finish(RES_OK, {});
  }
}

void CDialer::Finish(ResCode result, std::string early) {
  DialDone done = std::move(done_);
  done_ = nullptr;
  if (done) done(result, std::move(early));
}

}  // namespace net::detail
