#include "tcp_session.h"

#include <algorithm>
#include <boost/asio/post.hpp>
#include <boost/asio/write.hpp>
#include <climits>

namespace net::detail {

namespace asio = boost::asio;

CTcpSession::CTcpSession(asio::io_context& context, std::shared_ptr<CCallbackGate> gate,
                         std::chrono::milliseconds connectLimit)
    : socket_(context), connectTimer_(context), gate_(std::move(gate)), connectLimit_(connectLimit) {}

void CTcpSession::Start(std::string host, std::uint16_t port, ProxySettings proxy) {
  asio::post(socket_.get_executor(),
             [self = shared_from_this(), host = std::move(host), port, proxy = std::move(proxy)]() mutable {
               self->Dial(std::move(host), port, proxy);
             });
}

void CTcpSession::Send(std::string data) {
  asio::post(socket_.get_executor(), [self = shared_from_this(), data = std::move(data)]() mutable {
    self->Enqueue(std::move(data));
  });
}

void CTcpSession::Shutdown() {
  connected_.store(false, std::memory_order_release);
  asio::post(socket_.get_executor(), [self = shared_from_this()] { self->Stop(); });
}

void CTcpSession::Dial(std::string host, std::uint16_t port, const ProxySettings& proxy) {
  if (phase_ != Phase::kConnecting) return;  // shut down before the dial began
  connectTimer_.expires_after(connectLimit_);
  connectTimer_.async_wait([self = shared_from_this()](const boost::system::error_code& error) {
    self->OnTimeLimit(error);
  });
  dialer_ = CDialer::Start(socket_, proxy, std::move(host), port, HttpProxyRole::kTunnel,
                           [self = shared_from_this()](ResCode result, std::string early) {
                             self->OnDialed(result, std::move(early));
                           });
}

void CTcpSession::OnTimeLimit(const boost::system::error_code& error) {
  if (error || phase_ != Phase::kConnecting) return;
  Fail(RES_TIMEOUT, false);
}

void CTcpSession::OnDialed(ResCode result, std::string early) {
  dialer_.reset();
  if (phase_ != Phase::kConnecting) return;
  if (result != RES_OK) {
    Fail(result, false);
    return;
  }
  connectTimer_.cancel();
  phase_ = Phase::kConnected;
  connected_.store(true, std::memory_order_release);
  if (!gate_->Deliver(this, [](INetConnectCallback& callback) { callback.OnConnect(RES_OK); }) ||
      !StillCurrent()) {
    return;
  }
  if (!early.empty()) {
    Offer(early.data(), early.size());
    if (!StillCurrent()) return;
  }
  ReadMore();
}

bool CTcpSession::StillCurrent() {
  std::lock_guard lock(gate_->Lock());
  return phase_ == Phase::kConnected && gate_->IsCurrent(this);
}

void CTcpSession::ReadMore() {
  socket_.async_read_some(asio::buffer(readBuffer_),
                          [self = shared_from_this()](const boost::system::error_code& error,
                                                      std::size_t size) { self->OnRead(error, size); });
}

void CTcpSession::OnRead(const boost::system::error_code& error, std::size_t size) {
  if (phase_ != Phase::kConnected) return;
  if (size > 0) {
    Offer(readBuffer_.data(), size);
    if (!StillCurrent()) return;
  }
  if (error == asio::error::eof) {
    Fail(RES_OK, true);
  } else if (error) {
    Fail(ResCodeFor(error), false);
  } else {
    ReadMore();
  }
}

void CTcpSession::Offer(const char* data, std::size_t size) {
  // Fresh bytes go to the callback straight from the read buffer unless older untaken
  // bytes must come first.
  bool backlog = !untaken_.empty();
  if (backlog) {
    untaken_.append(data, size);
    data = untaken_.data();
    size = untaken_.size();
  }
  int offered = static_cast<int>(std::min<std::size_t>(size, INT_MAX));
  int taken = 0;
  gate_->Deliver(this, [&](INetConnectCallback& callback) { taken = callback.OnRecv(data, offered); });
  auto consumed = static_cast<std::size_t>(std::clamp(taken, 0, offered));
  if (backlog) {
    untaken_.erase(0, consumed);
  } else {
    untaken_.assign(data + consumed, size - consumed);
  }
}

void CTcpSession::Enqueue(std::string data) {
  if (phase_ != Phase::kConnected) return;
  queued_.push_back(std::move(data));
  if (writing_.empty()) WriteQueued();
}

void CTcpSession::WriteQueued() {
  // Everything queued goes out in one gathered write, in queue order.
  writing_.assign(std::make_move_iterator(queued_.begin()), std::make_move_iterator(queued_.end()));
  queued_.clear();
  std::vector<asio::const_buffer> buffers;
  buffers.reserve(writing_.size());
  for (const std::string& piece : writing_) buffers.push_back(asio::buffer(piece));
  asio::async_write(socket_, buffers,
                    [self = shared_from_this()](const boost::system::error_code& error, std::size_t) {
                      self->OnWritten(error);
                    });
}

void CTcpSession::OnWritten(const boost::system::error_code& error) {
  writing_.clear();
  if (phase_ != Phase::kConnected) return;
  if (error) {
    Fail(ResCodeFor(error), false);
    return;
  }
  if (!queued_.empty()) {
    WriteQueued();
    return;
  }
  gate_->Deliver(this, [](INetConnectCallback& callback) { callback.OnSend(); });
}

void CTcpSession::Fail(ResCode result, bool orderlyClose) {
  Phase phase = phase_;
  if (phase == Phase::kFinished) return;
  Stop();
  if (phase == Phase::kConnecting) {
    gate_->Deliver(this, [result](INetConnectCallback& callback) { callback.OnConnect(result); });
  } else if (orderlyClose) {
    gate_->Deliver(this, [](INetConnectCallback& callback) { callback.OnClose(); });
  } else {
    gate_->Deliver(this, [result](INetConnectCallback& callback) { callback.OnError(result); });
  }
}

void CTcpSession::Stop() {
  if (phase_ == Phase::kFinished) return;
  phase_ = Phase::kFinished;
  connected_.store(false, std::memory_order_release);
  connectTimer_.cancel();
  if (dialer_) dialer_->Cancel();
  boost::system::error_code ignored;
  socket_.close(ignored);
  queued_.clear();
  untaken_.clear();
}

}  // namespace net::detail
