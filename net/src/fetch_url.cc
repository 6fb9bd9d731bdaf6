#include "net/fetch_url.h"

#include <boost/asio/buffer.hpp>
#include <boost/asio/io_context.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/beast/core/flat_buffer.hpp>
#include <boost/beast/http.hpp>
#include <chrono>
#include <memory>

#include "dialer.h"
#include "http_connect.h"
#include "http_url.h"
#include "proxy_settings.h"
#include "utf8.h"

namespace net {
namespace detail {
namespace {

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;
using asio::ip::tcp;

// One GET on a private loop of the calling thread, bounded by one deadline.
class CFetch : public std::enable_shared_from_this<CFetch> {
 public:
  CFetch(asio::io_context& context, HttpUrl url, ProxySettings proxy)
      : socket_(context), deadline_(context), url_(std::move(url)), proxy_(std::move(proxy)) {
    parser_.body_limit(kFetchBodyLimit);
  }

  void Start(std::chrono::milliseconds limit) {
    deadline_.expires_after(limit);
    deadline_.async_wait([self = shared_from_this()](const boost::system::error_code& error) {
      if (!error) self->Abort(RES_TIMEOUT);
    });
    dialer_ = CDialer::Start(socket_, proxy_, url_.host, url_.port, HttpProxyRole::kForward,
                             [self = shared_from_this()](ResCode result, std::string early) {
                               self->OnDialed(result, std::move(early));
                             });
  }

  // The HTTP status, or the negated transport failure.
  int Status() const { return status_; }
  std::string TakeBody() { return parser_.release().body(); }

 private:
  void OnDialed(ResCode result, std::string early) {
    dialer_.reset();
    if (result != RES_OK) return Finish(-result);
    asio::buffer_copy(buffer_.prepare(early.size()), asio::buffer(early));
    buffer_.commit(early.size());

    std::string hostField =
        url_.port == 80 ? UrlHost(url_.host) : HostAndPort(url_.host, url_.port);
    // An HTTP proxy forwarding plain HTTP takes the absolute URL as target.
    bool viaHttpProxy = proxy_.type == PROXY_HTTP;
    std::string target = viaHttpProxy ? "http://" + HostAndPort(url_.host, url_.port) + url_.target
                                      : url_.target;
    request_ = {http::verb::get, target, 11};
    request_.set(http::field::host, hostField);
    request_.set(http::field::connection, "close");
    if (std::string authorization = ProxyAuthorization(proxy_);
        viaHttpProxy && !authorization.empty()) {
      request_.set(http::field::proxy_authorization, authorization);
    }
    http::async_write(socket_, request_,
                      [self = shared_from_this()](const boost::system::error_code& error, std::size_t) {
                        if (error) return self->Finish(-self->FailureFor(error));
                        self->ReadResponse();
                      });
  }

  // The header is read on its own: when header and body arrive in one piece, this Beast
  // version drops the parser's "declared length over the body limit" error.
  void ReadResponse() {
    http::async_read_header(
        socket_, buffer_, parser_,
        [self = shared_from_this()](const boost::system::error_code& error, std::size_t) {
          if (error) return self->Finish(-self->FailureFor(error));
          self->ReadBody();
        });
  }

  void ReadBody() {
    http::async_read(socket_, buffer_, parser_,
                     [self = shared_from_this()](const boost::system::error_code& error, std::size_t) {
                       if (error) return self->Finish(-self->FailureFor(error));
                       self->Finish(static_cast<int>(self->parser_.get().result_int()));
                     });
  }

  ResCode FailureFor(const boost::system::error_code& error) const {
    return aborted_ != RES_OK ? aborted_ : ResCodeFor(error);
  }

  void Abort(ResCode reason) {
    aborted_ = reason;
    if (dialer_) dialer_->Cancel();
    boost::system::error_code ignored;
    socket_.close(ignored);
  }

  void Finish(int status) {
    if (aborted_ != RES_OK) status = -aborted_;
    status_ = status;
    deadline_.cancel();
    boost::system::error_code ignored;
    socket_.close(ignored);
  }

  tcp::socket socket_;
  asio::steady_timer deadline_;
  HttpUrl url_;
  ProxySettings proxy_;
  std::shared_ptr<CDialer> dialer_;
  http::request<http::empty_body> request_;
  beast::flat_buffer buffer_;
  http::response_parser<http::string_body> parser_;
  ResCode aborted_ = RES_OK;
  int status_ = -RES_ERROR;
};

}  // namespace
}  // namespace detail

int FetchUrl(const std::wstring& url, int timeoutMs, std::string& body) {
  body.clear();
  std::optional<detail::HttpUrl> parsed = detail::ParseHttpUrl(detail::WideToUtf8(url));
  if (!parsed || timeoutMs <= 0) return -RES_BAD_ARGUMENT;

  boost::asio::io_context context;
  auto fetch = std::make_shared<detail::CFetch>(context, std::move(*parsed), detail::CurrentProxy());
  fetch->Start(std::chrono::milliseconds(timeoutMs));
  context.run();
  int status = fetch->Status();
  if (status > 0) body = fetch->TakeBody();
  return status;
}

}  // namespace net
