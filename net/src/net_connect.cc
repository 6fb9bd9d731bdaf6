#include "net/net_connect.h"

#include <memory>
#include <mutex>

#include "callback_gate.h"
#include "connect_options.h"
#include "network_thread.h"
#include "tcp_session.h"

namespace net {
namespace detail {
namespace {

class CNetConnect final : public INetConnect {
 public:
  CNetConnect(INetConnectCallback* callback, std::chrono::milliseconds connectLimit)
      : gate_(std::make_shared<CCallbackGate>(callback)), connectLimit_(connectLimit) {}
  ~CNetConnect() override { Close(); }
  CNetConnect(const CNetConnect&) = delete;
  CNetConnect& operator=(const CNetConnect&) = delete;

  ResCode Connect(const char* host, int port) override {
    if (host == nullptr || *host == '\0' || port <= 0 || port > 65535) return RES_BAD_ARGUMENT;
    auto session = std::make_shared<CTcpSession>(NetworkContext(), gate_, connectLimit_);
    {
      std::lock_guard lock(gate_->Lock());
      RetireSession();
      session_ = session;
      gate_->SetCurrent(session.get());
    }
    session->Start(host, static_cast<std::uint16_t>(port), CurrentProxy());
    return RES_PENDING;
  }

  int Send(const char* data, int length) override {
    if (data == nullptr || length <= 0) return RES_BAD_ARGUMENT;
    std::shared_ptr<CTcpSession> session;
    {
      std::lock_guard lock(gate_->Lock());
      if (!session_ || !session_->IsConnected()) return RES_NOT_CONNECTED;
      session = session_;
    }
    // Posted without the lock: the post wakes the network thread, whose callbacks take it.
    // Bytes for a session retired meanwhile are dropped there, as if sent before the retiring.
    session->Send(std::string(data, static_cast<std::size_t>(length)));
    return 0;
  }

  void Close() override {
    std::lock_guard lock(gate_->Lock());
    RetireSession();
  }

  bool IsConnected() override {
    std::lock_guard lock(gate_->Lock());
    return session_ && session_->IsConnected();
  }

 private:
  // With the gate lock held, which also means no callback of the session is running.
  void RetireSession() {
    if (!session_) return;
    gate_->SetCurrent(nullptr);
    session_->Shutdown();
    session_.reset();
  }

  std::shared_ptr<CCallbackGate> gate_;
  const std::chrono::milliseconds connectLimit_;
  std::shared_ptr<CTcpSession> session_;  // Guarded by gate_->Lock()
};

}  // namespace

bool CreateNetConnect(INetConnect** out, INetConnectCallback* callback,
                      std::chrono::milliseconds connectLimit) {
  if (out == nullptr) return false;
  *out = nullptr;
  if (callback == nullptr) return false;
  *out = new CNetConnect(callback, connectLimit);
  return true;
}

}  // namespace detail

bool CreateNetConnect(INetConnect** out, INetConnectCallback* callback) {
  return detail::CreateNetConnect(out, callback, detail::kConnectTimeLimit);
}

}  // namespace net
