#include "address_service.h"

#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>
#include <charconv>
#include <map>
#include <memory>
#include <utility>

#include "codec/pack_types.h"
#include "gateway_server.h"
#include "hex.h"
#include "loopback_acceptor.h"
#include "nexa/control_records.h"

namespace gateway {
namespace {

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;

using Query = std::map<std::string, std::string, std::less<>>;

// "a=1&b=2" into its pairs; the control texts need no percent-decoding.
Query ParseQuery(std::string_view text) {
  Query query;
  while (!text.empty()) {
    const size_t amp = text.find('&');
    const std::string_view pair = text.substr(0, amp);
    const size_t equals = pair.find('=');
    if (equals != std::string_view::npos) {
      query.emplace(pair.substr(0, equals), pair.substr(equals + 1));
    }
    if (amp == std::string_view::npos) break;
    text.remove_prefix(amp + 1);
  }
  return query;
}

int Number(const Query& query, std::string_view key) {
  int value = 0;
  const auto found = query.find(key);
  if (found != query.end()) {
    std::from_chars(found->second.data(), found->second.data() + found->second.size(), value);
  }
  return value;
}

std::string Text(const Query& query, std::string_view key) {
  const auto found = query.find(key);
  return found == query.end() ? std::string() : found->second;
}

template <typename Record>
std::string Packed(const Record& record) {
  std::string body;
  record.PackData(body);
  return body;
}

// "self" in the allot list becomes this gateway's address.
std::string AllotList(std::string_view configured, int gatewayPort) {
  const std::string self = "127.0.0.1:" + std::to_string(gatewayPort);
  std::string list;
  while (true) {
    const size_t comma = configured.find(',');
    const std::string_view token = configured.substr(0, comma);
    list += token == "self" ? std::string_view(self) : token;
    if (comma == std::string_view::npos) break;
    list += ',';
    configured.remove_prefix(comma + 1);
  }
  return list;
}

class HttpExchange : public std::enable_shared_from_this<HttpExchange> {
 public:
  HttpExchange(asio::ip::tcp::socket socket, GatewayServer& gateway, std::function<void()>& quit)
      : stream_(std::move(socket)), gateway_(gateway), quit_(quit) {}

  void Run() {
    http::async_read(stream_, buffer_, request_,
                     [self = shared_from_this()](beast::error_code error, size_t) {
                       if (!error) self->Respond();
                     });
  }

 private:
  void Respond() {
    const std::string_view target(request_.target().data(), request_.target().size());
    const size_t question = target.find('?');
    const std::string_view path = target.substr(0, question);
    const Query query =
        ParseQuery(question == std::string_view::npos ? std::string_view() : target.substr(question + 1));

    bool quit = false;
    response_.version(request_.version());
    response_.keep_alive(false);
    response_.result(http::status::ok);
    if (path == "/imlogingw/tcp60login") {
      ++gateway_.stats().allotRequests;
      const FaultSettings& faults = gateway_.Faults();
      response_.result(static_cast<http::status>(faults.allotStatus));
      response_.body() = AllotList(faults.allot, gateway_.port());
    } else if (path == "/stats") {
      response_.body() = gateway_.stats().ToJson();
    } else if (path == "/push") {
      response_.body() = std::to_string(Push(query));
    } else if (path == "/drop") {
      gateway_.DropAll();
    } else if (path == "/quit") {
      quit = true;
    } else {
      response_.result(http::status::not_found);
    }
    response_.prepare_payload();
    http::async_write(stream_, response_,
                      [self = shared_from_this(), quit](beast::error_code, size_t) {
                        beast::error_code ignored;
                        self->stream_.socket().shutdown(asio::ip::tcp::socket::shutdown_both, ignored);
                        if (quit) self->quit_();
                      });
  }

  int Push(const Query& query) {
    const std::string kind = Text(query, "kind");
    const int32_t session = Number(query, "session");
    if (kind == "stop") {
      nexalib::DestroyVConnReq push;
      push.sessionId = Number(query, "code");
      const std::string body = Number(query, "garbage") ? std::string("\x01\x40\x00", 3) : Packed(push);
      return gateway_.PushToEstablished(session, "ScSession", "stop", body);
    }
    if (kind == "renew") {
      nexalib::RenewLoginSessionPush push;
      push.loginSession = "renewed";
      return gateway_.PushToEstablished(session, "SC", "renewLoginSession", Packed(push));
    }
    if (kind == "notify") {
      const std::optional<std::string> body = FromHex(Text(query, "body"));
      if (!body) return 0;
      return gateway_.PushToEstablished(session, Text(query, "interface"), Text(query, "method"),
                                        *body);
    }
    return 0;
  }

  beast::tcp_stream stream_;
  GatewayServer& gateway_;
  std::function<void()>& quit_;
  beast::flat_buffer buffer_;
  http::request<http::string_body> request_;
  http::response<http::string_body> response_;
};

}  // namespace

AddressService::AddressService(asio::io_context& io, GatewayServer& gateway,
                               std::function<void()> quit)
    : gateway_(gateway), quit_(std::move(quit)), acceptor_(io) {}

bool AddressService::Listen(int port, std::string& error) {
  return ServeOnLoopback(acceptor_, port, "address service", error,
                         [this](asio::ip::tcp::socket socket) {
                           std::make_shared<HttpExchange>(std::move(socket), gateway_, quit_)->Run();
                         });
}

int AddressService::port() const { return acceptor_.local_endpoint().port(); }

}  // namespace gateway
