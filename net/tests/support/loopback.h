#pragma once

// Loopback peers for the tests: blocking sockets driven from the test or a helper thread.

#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <cstdint>
#include <string>
#include <mutex>
#include <thread>

namespace net::testing {

// A listening socket on 127.0.0.1 with an ephemeral port.
class CLoopbackListener {
 public:
  explicit CLoopbackListener(int backlog = boost::asio::socket_base::max_listen_connections);

  std::uint16_t Port() const { return acceptor_.local_endpoint().port(); }
  boost::asio::ip::tcp::socket Accept();

 private:
  boost::asio::io_context context_;
  boost::asio::ip::tcp::acceptor acceptor_;
};

// A port on 127.0.0.1 that nothing listens on (bound once, then released).
std::uint16_t UnusedPort();

// Reads until `terminator` has arrived (included in the result) or the peer closes.
std::string ReadUntil(boost::asio::ip::tcp::socket& socket, const std::string& terminator);
std::string ReadExactly(boost::asio::ip::tcp::socket& socket, std::size_t size);
void WriteAll(boost::asio::ip::tcp::socket& socket, const std::string& data);

// Closes with a reset instead of an orderly shutdown.
void ResetConnection(boost::asio::ip::tcp::socket& socket);

// Serves one HTTP connection on its own thread: reads the request header, writes
// `response`, then closes, or with `holdOpen` waits until the client goes away (a server
// that never finishes). The destructor stops the server wherever it is.
class CCannedHttpServer {
 public:
  explicit CCannedHttpServer(std::string response, bool holdOpen = false);
  ~CCannedHttpServer();
  CCannedHttpServer(const CCannedHttpServer&) = delete;
  CCannedHttpServer& operator=(const CCannedHttpServer&) = delete;

  std::uint16_t Port() const { return port_; }
  std::wstring Url(const std::wstring& path = L"/") const;
  // The request header received so far.
  std::string Request();

 private:
  void OnRequest(const boost::system::error_code& error);

  boost::asio::io_context context_;
  boost::asio::ip::tcp::acceptor acceptor_;
  boost::asio::ip::tcp::socket socket_;
  std::uint16_t port_;
  std::string response_;
  bool holdOpen_;
  std::string input_;
  std::mutex lock_;
  std::string request_;  // Guarded by lock_
  std::thread thread_;
};

}  // namespace net::testing
