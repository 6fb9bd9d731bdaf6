#include "socks5.h"

#include <boost/asio/ip/address.hpp>
#include <boost/asio/read.hpp>
#include <boost/asio/write.hpp>
#include <memory>

namespace net::detail {

namespace asio = boost::asio;
using asio::ip::tcp;

namespace {

constexpr std::uint8_t kVersion = 0x05;
constexpr std::uint8_t kMethodNone = 0x00;
constexpr std::uint8_t kMethodPassword = 0x02;
constexpr std::uint8_t kPasswordVersion = 0x01;
constexpr std::uint8_t kCommandConnect = 0x01;
constexpr std::uint8_t kAddressV4 = 0x01;
constexpr std::uint8_t kAddressName = 0x03;
constexpr std::uint8_t kAddressV6 = 0x04;
constexpr std::uint8_t kReplySucceeded = 0x00;
constexpr std::uint8_t kReplyRefused = 0x05;
constexpr std::size_t kFieldLimit = 255;  // one length byte

class CSocks5Exchange : public std::enable_shared_from_this<CSocks5Exchange> {
 public:
  CSocks5Exchange(tcp::socket& socket, const ProxySettings& proxy, std::string host,
                  std::uint16_t port, DialDone done)
      : socket_(socket), proxy_(proxy), host_(std::move(host)), port_(port), done_(std::move(done)) {}

  void Greet() {
    std::string greeting{char(kVersion), char(1), char(kMethodNone)};
    if (!proxy_.user.empty()) greeting = {char(kVersion), char(2), char(kMethodNone), char(kMethodPassword)};
    Exchange(std::move(greeting), 2, [](CSocks5Exchange& self) { self.OnMethodChosen(); });
  }

 private:
  using Step = void (*)(CSocks5Exchange&);

  // Writes `message`, then reads exactly `answerSize` bytes into answer_ and runs `next`.
  void Exchange(std::string message, std::size_t answerSize, Step next) {
    message_ = std::move(message);
    asio::async_write(socket_, asio::buffer(message_),
                      [self = shared_from_this(), answerSize, next](
                          const boost::system::error_code& error, std::size_t) {
                        if (error) return self->done_(RES_PROXY_FAILED, {});
                        self->Read(answerSize, next);
                      });
  }

  void Read(std::size_t size, Step next) {
    answer_.assign(size, '\0');
    asio::async_read(socket_, asio::buffer(answer_),
                     [self = shared_from_this(), next](const boost::system::error_code& error,
                                                       std::size_t) {
                       if (error) return self->done_(RES_PROXY_FAILED, {});
                       next(*self);
                     });
  }

  std::uint8_t AnswerByte(std::size_t index) const {
    return static_cast<std::uint8_t>(answer_[index]);
  }

  void OnMethodChosen() {
    if (AnswerByte(0) != kVersion) return done_(RES_PROXY_FAILED, {});
    if (AnswerByte(1) == kMethodNone) return Request();
    if (AnswerByte(1) != kMethodPassword || proxy_.user.empty()) {
      return done_(RES_PROXY_FAILED, {});
    }
    if (proxy_.user.size() > kFieldLimit || proxy_.password.size() > kFieldLimit) {
      return done_(RES_PROXY_FAILED, {});
    }
    std::string login{char(kPasswordVersion), char(proxy_.user.size())};
    login += proxy_.user;
    login += char(proxy_.password.size());
    login += proxy_.password;
    Exchange(std::move(login), 2, [](CSocks5Exchange& self) {
      if (self.AnswerByte(1) != kReplySucceeded) return self.done_(RES_PROXY_FAILED, {});
      self.Request();
    });
  }

  void Request() {
    std::string request{char(kVersion), char(kCommandConnect), char(0)};
    boost::system::error_code error;
    asio::ip::address address = asio::ip::make_address(host_, error);
    if (!error && address.is_v4()) {
      auto bytes = address.to_v4().to_bytes();
      request += char(kAddressV4);
      request.append(bytes.begin(), bytes.end());
    } else if (!error && address.is_v6()) {
      auto bytes = address.to_v6().to_bytes();
      request += char(kAddressV6);
      request.append(bytes.begin(), bytes.end());
    } else {
      if (host_.size() > kFieldLimit) return done_(RES_BAD_ARGUMENT, {});
      request += char(kAddressName);
      request += char(host_.size());
      request += host_;
    }
    request += char(port_ >> 8);
    request += char(port_ & 0xFF);
    // Version, reply, reserved, address type; the bound address follows.
    Exchange(std::move(request), 4, [](CSocks5Exchange& self) { self.OnReplyHead(); });
  }

  void OnReplyHead() {
    if (AnswerByte(0) != kVersion) return done_(RES_PROXY_FAILED, {});
    if (AnswerByte(1) != kReplySucceeded) {
      return done_(AnswerByte(1) == kReplyRefused ? RES_REFUSED : RES_PROXY_FAILED, {});
    }
    constexpr std::size_t kPortSize = 2;
    switch (AnswerByte(3)) {
      case kAddressV4:
        return Read(4 + kPortSize, &CSocks5Exchange::Succeed);
      case kAddressV6:
        return Read(16 + kPortSize, &CSocks5Exchange::Succeed);
      case kAddressName:
        return Read(1, [](CSocks5Exchange& self) {
          self.Read(self.AnswerByte(0) + kPortSize, &CSocks5Exchange::Succeed);
        });
      default:
        return done_(RES_PROXY_FAILED, {});
    }
  }

  static void Succeed(CSocks5Exchange& self) { self.done_(RES_OK, {}); }

  tcp::socket& socket_;
  ProxySettings proxy_;
  std::string host_;
  std::uint16_t port_;
  DialDone done_;
  std::string message_;
  std::string answer_;
};

}  // namespace

void AsyncSocks5Connect(tcp::socket& socket, const ProxySettings& proxy, const std::string& host,
                        std::uint16_t port, DialDone done) {
  std::make_shared<CSocks5Exchange>(socket, proxy, host, port, std::move(done))->Greet();
}

}  // namespace net::detail
