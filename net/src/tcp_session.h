#pragma once

#include <array>
#include <atomic>
#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/steady_timer.hpp>
#include <chrono>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "callback_gate.h"
#include "dialer.h"
#include "proxy_settings.h"

namespace net::detail {

// One connection attempt and the life of the stream it opens. Everything but the public
// entry points runs on the network thread; the entry points only post there.
class CTcpSession : public std::enable_shared_from_this<CTcpSession> {
 public:
  CTcpSession(boost::asio::io_context& context, std::shared_ptr<CCallbackGate> gate,
              std::chrono::milliseconds connectLimit);
  CTcpSession(const CTcpSession&) = delete;
  CTcpSession& operator=(const CTcpSession&) = delete;

  void Start(std::string host, std::uint16_t port, ProxySettings proxy);
  void Send(std::string data);
  // Stops everything without callbacks (the gate has already retired the session).
  void Shutdown();
  bool IsConnected() const { return connected_.load(std::memory_order_acquire); }

 private:
  enum class Phase { kConnecting, kConnected, kFinished };

  // Runs on the network thread.
  void Dial(std::string host, std::uint16_t port, const ProxySettings& proxy);
  void OnDialed(ResCode result, std::string early);
  void OnTimeLimit(const boost::system::error_code& error);
  void ReadMore();
  void OnRead(const boost::system::error_code& error, std::size_t size);
  void Offer(const char* data, std::size_t size);
  void Enqueue(std::string data);
  void WriteQueued();
  void OnWritten(const boost::system::error_code& error);
  void Fail(ResCode result, bool orderlyClose);
  void Stop();
  bool StillCurrent();

  boost::asio::ip::tcp::socket socket_;
  boost::asio::steady_timer connectTimer_;
  std::shared_ptr<CCallbackGate> gate_;
  std::chrono::milliseconds connectLimit_;
  std::shared_ptr<CDialer> dialer_;
  Phase phase_ = Phase::kConnecting;
  std::atomic<bool> connected_{false};
  std::array<char, 64 * 1024> readBuffer_;
  std::string untaken_;              // received bytes the callback has not taken yet
  std::deque<std::string> queued_;   // waiting for the write in flight
  std::vector<std::string> writing_; // the write in flight
};

}  // namespace net::detail
