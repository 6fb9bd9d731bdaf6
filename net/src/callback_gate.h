#pragma once

#include <mutex>

#include "net/net_connect.h"

namespace net::detail {

class CTcpSession;

// Lets only the current session of a connection reach the callback, and lets Close()
// wait for a callback in progress: the callback runs with the lock held, so once Close()
// has taken the lock and retired the session, that session cannot call out any more.
// The lock is re-entrant because callbacks may call back into the connection.
class CCallbackGate {
 public:
  explicit CCallbackGate(INetConnectCallback* callback) : callback_(callback) {}
  CCallbackGate(const CCallbackGate&) = delete;
  CCallbackGate& operator=(const CCallbackGate&) = delete;

  std::recursive_mutex& Lock() { return lock_; }

  // Both with Lock() held.
  void SetCurrent(const CTcpSession* session) { current_ = session; }
  bool IsCurrent(const CTcpSession* session) const { return current_ == session; }

  // Runs `call(callback)` if `session` is still current; returns whether it ran.
  template <typename Call>
  bool Deliver(const CTcpSession* session, Call&& call) {
    std::lock_guard lock(lock_);
    if (current_ != session || callback_ == nullptr) return false;
    call(*callback_);
    return true;
  }

 private:
  std::recursive_mutex lock_;
  INetConnectCallback* const callback_;
  const CTcpSession* current_ = nullptr;  // Guarded by lock_
};

}  // namespace net::detail
