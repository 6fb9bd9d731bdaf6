#include "http_connect.h"

#include <boost/asio/ip/address.hpp>
#include <boost/beast/core/buffers_to_string.hpp>
#include <boost/beast/core/detail/base64.hpp>
#include <boost/beast/core/flat_buffer.hpp>
#include <boost/beast/http.hpp>
#include <memory>

namespace net::detail {

namespace beast = boost::beast;
namespace http = beast::http;
using boost::asio::ip::tcp;

namespace {

// A proxy's answer to CONNECT is a header and nothing else; more is not a proxy.
constexpr std::size_t kAnswerLimit = 16 * 1024;

struct CConnectExchange {
  CConnectExchange(tcp::socket& s, DialDone d) : socket(s), buffer(kAnswerLimit), done(std::move(d)) {}

  tcp::socket& socket;
  http::request<http::empty_body> request;
  beast::flat_buffer buffer;
  http::response_parser<http::empty_body> parser;
  DialDone done;
};

void ReadAnswer(const std::shared_ptr<CConnectExchange>& exchange) {
  http::async_read_header(
      exchange->socket, exchange->buffer, exchange->parser,
      [exchange](const boost::system::error_code& error, std::size_t) {
        if (error) {
          exchange->done(RES_PROXY_FAILED, {});
          return;
        }
        unsigned status = exchange->parser.get().result_int();
        if (status < 200 || status > 299) {
          exchange->done(RES_PROXY_FAILED, {});
          return;
        }
        // Whatever followed the header already came from the target.
        exchange->done(RES_OK, beast::buffers_to_string(exchange->buffer.data()));
      });
}

}  // namespace

std::string UrlHost(const std::string& host) {
  boost::system::error_code error;
  auto address = boost::asio::ip::make_address(host, error);
  return !error && address.is_v6() ? "[" + host + "]" : host;
}

std::string HostAndPort(const std::string& host, std::uint16_t port) {
  return UrlHost(host) + ":" + std::to_string(port);
}

std::string ProxyAuthorization(const ProxySettings& proxy) {
  if (proxy.user.empty()) return {};
  std::string credentials = proxy.user + ":" + proxy.password;
  std::string encoded(beast::detail::base64::encoded_size(credentials.size()), '\0');
  encoded.resize(
      beast::detail::base64::encode(encoded.data(), credentials.data(), credentials.size()));
  return "Basic " + encoded;
}

void AsyncHttpConnect(tcp::socket& socket, const ProxySettings& proxy, const std::string& host,
                      std::uint16_t port, DialDone done) {
  auto exchange = std::make_shared<CConnectExchange>(socket, std::move(done));
  std::string target = HostAndPort(host, port);
  exchange->request = {http::verb::connect, target, 11};
  exchange->request.set(http::field::host, target);
  if (std::string authorization = ProxyAuthorization(proxy); !authorization.empty()) {
    exchange->request.set(http::field::proxy_authorization, authorization);
  }
  http::async_write(socket, exchange->request,
                    [exchange](const boost::system::error_code& error, std::size_t) {
                      if (error) {
                        exchange->done(RES_PROXY_FAILED, {});
                        return;
                      }
                      ReadAnswer(exchange);
                    });
}

}  // namespace net::detail
