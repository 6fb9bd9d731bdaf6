#pragma once

// An INetConnectCallback that records what it is told and lets the test wait for it.

#include <chrono>
#include <condition_variable>
#include <functional>
#include <initializer_list>
#include <mutex>
#include <string>
#include <vector>

#include "net/net_connect.h"

namespace net::testing {

struct Event {
  enum Kind { kConnect, kError, kSend, kClose } kind;
  ResCode code = RES_OK;
};

class CRecordingCallback : public INetConnectCallback {
 public:
  void OnConnect(ResCode result) override { Record({Event::kConnect, result}); }
  int OnRecv(const char* data, int length) override;
  void OnError(ResCode result) override { Record({Event::kError, result}); }
  void OnSend() override { Record({Event::kSend}); }
  void OnClose() override { Record({Event::kClose}); }

  // How many of the offered bytes OnRecv takes (all by default).
  void SetTakeLimit(int limit);

  // Waits until `count` events of `kind` have arrived.
  bool WaitForEvent(Event::Kind kind, std::chrono::milliseconds limit = std::chrono::seconds(10),
                    std::size_t count = 1);
  // Waits for the first event of any of `kinds`.
  bool WaitForAnyEvent(std::initializer_list<Event::Kind> kinds,
                       std::chrono::milliseconds limit = std::chrono::seconds(10));
  bool WaitForReceived(std::size_t size, std::chrono::milliseconds limit = std::chrono::seconds(10));

  // The first event of `kind` (its code), for use after WaitForEvent.
  ResCode CodeOf(Event::Kind kind);
  std::string Received();
  std::size_t EventCount();
  // Calls made after the callback was told to expect none.
  void ForbidCalls();
  int ForbiddenCalls();

 private:
  void Record(Event event);
  // Waits up to `limit` for `condition`, checked under the lock. Never calls into a
  // connection: callbacks run under the connection's lock and then take this one.
  bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit);

  std::mutex lock_;
  std::condition_variable changed_;
  std::vector<Event> events_;
  std::string received_;
  int takeLimit_ = -1;
  bool forbidden_ = false;
  int forbiddenCalls_ = 0;
};

}  // namespace net::testing
