#pragma once

// A listener and a request callback that remember what the channel told them, for tests
// to wait on from their own thread.

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "nexalib/nexa_listener.h"
#include "nexalib/req_info.h"

namespace channel_test {

enum class EventKind { kConnect, kVConnect, kNotify };

struct ListenerEvent {
  EventKind kind = EventKind::kConnect;
  nexalib::CONNECT_STATE state = nexalib::CS_DISCONNECTED;
  std::string _interface;
  std::string _method;
  std::string data;
};

class RecordingListener : public nexalib::INexaListener {
 public:
  // Runs inside every call, on the channel thread, before the event is recorded, so that
  // whatever it posts to the channel is posted before a waiting test wakes.
  std::function<void(const ListenerEvent&)> inside;

  void OnConnectStatus(nexalib::CONNECT_STATE state, const std::string& message) override;
  void OnVConnectStatus(nexalib::CONNECT_STATE state, const std::string& message) override;
  void OnNotify(const std::string& _interface, const std::string& _method,
                const std::string& data) override;

  std::vector<ListenerEvent> Events() const;
  int Count(EventKind kind, nexalib::CONNECT_STATE state) const;
  int NotifyCount() const;
  // True once Count(kind, state) reached `count`.
  bool WaitFor(EventKind kind, nexalib::CONNECT_STATE state, int count = 1,
               std::chrono::milliseconds timeout = std::chrono::seconds(10)) const;

 private:
  void Record(ListenerEvent event);
  int CountLocked(EventKind kind, nexalib::CONNECT_STATE state) const;

  mutable std::mutex mutex_;
  mutable std::condition_variable changed_;
  std::vector<ListenerEvent> events_;  // Guarded by mutex_
};

struct Completion {
  nexalib::SEND_STATE state = nexalib::SEND_OK;
  std::string _interface;
  std::string _method;
  std::string body;
  int32_t sessionId = 0;
  std::chrono::steady_clock::time_point at;
};

// Shared by the callbacks it hands out, so that a late callback never outlives it.
class CompletionLog : public std::enable_shared_from_this<CompletionLog> {
 public:
  static std::shared_ptr<CompletionLog> Create() { return std::make_shared<CompletionLog>(); }

  // Runs inside the callback, on the channel thread, before the completion is recorded.
  std::function<void(const Completion&)> inside;

  nexalib::SendCallback Callback();
  std::vector<Completion> All() const;
  bool WaitFor(size_t count, std::chrono::milliseconds timeout = std::chrono::seconds(10)) const;

 private:
  mutable std::mutex mutex_;
  mutable std::condition_variable changed_;
  std::vector<Completion> completions_;  // Guarded by mutex_
};

}  // namespace channel_test
