#include "loopback.h"

#include <boost/asio/buffer.hpp>
#include <boost/asio/post.hpp>
#include <boost/asio/read.hpp>
#include <boost/asio/read_until.hpp>
#include <boost/asio/write.hpp>

namespace net::testing {

namespace asio = boost::asio;
using asio::ip::tcp;

namespace {
const tcp::endpoint kLoopback(asio::ip::address_v4::loopback(), 0);
}

CLoopbackListener::CLoopbackListener(int backlog) : acceptor_(context_) {
  acceptor_.open(tcp::v4());
  acceptor_.bind(kLoopback);
  acceptor_.listen(backlog);
}

tcp::socket CLoopbackListener::Accept() { return acceptor_.accept(); }

std::uint16_t UnusedPort() {
  asio::io_context context;
  tcp::acceptor acceptor(context, kLoopback);
  return acceptor.local_endpoint().port();
}

std::string ReadUntil(tcp::socket& socket, const std::string& terminator) {
  std::string data;
  boost::system::error_code error;
  asio::read_until(socket, asio::dynamic_buffer(data), terminator, error);
  return data;
}

std::string ReadExactly(tcp::socket& socket, std::size_t size) {
  std::string data(size, '\0');
  boost::system::error_code error;
  std::size_t read = asio::read(socket, asio::buffer(data), error);
  data.resize(read);
  return data;
}

void WriteAll(tcp::socket& socket, const std::string& data) { asio::write(socket, asio::buffer(data)); }

void ResetConnection(tcp::socket& socket) {
  socket.set_option(asio::socket_base::linger(true, 0));
  socket.close();
}

CCannedHttpServer::CCannedHttpServer(std::string response, bool holdOpen)
    : acceptor_(context_, kLoopback),
      socket_(context_),
      port_(acceptor_.local_endpoint().port()),
      response_(std::move(response)),
      holdOpen_(holdOpen) {
  acceptor_.async_accept(socket_, [this](const boost::system::error_code& error) {
    if (error) return;
    asio::async_read_until(socket_, asio::dynamic_buffer(input_), "\r\n\r\n",
                           [this](const boost::system::error_code& readError, std::size_t) {
                             OnRequest(readError);
                           });
  });
  thread_ = std::thread([this] { context_.run(); });
}

void CCannedHttpServer::OnRequest(const boost::system::error_code& error) {
  if (error) return;
  {
    std::lock_guard lock(lock_);
    request_ = input_;
  }
  asio::async_write(socket_, asio::buffer(response_), [this](const boost::system::error_code& writeError, std::size_t) {
    if (writeError || !holdOpen_) {
      boost::system::error_code ignored;
      socket_.shutdown(tcp::socket::shutdown_send, ignored);
      return;
    }
    // Wait for the client to give up; whatever it sends is dropped.
    input_.clear();
    asio::async_read(socket_, asio::dynamic_buffer(input_), [](const boost::system::error_code&, std::size_t) {});
  });
}

CCannedHttpServer::~CCannedHttpServer() {
  asio::post(context_, [this] {
    boost::system::error_code ignored;
    acceptor_.close(ignored);
    socket_.close(ignored);
  });
  thread_.join();
}

std::wstring CCannedHttpServer::Url(const std::wstring& path) const {
  return L"http://127.0.0.1:" + std::to_wstring(port_) + path;
}

std::string CCannedHttpServer::Request() {
  std::lock_guard lock(lock_);
  return request_;
}

}  // namespace net::testing
