#include "support/recording_listener.h"

#include <algorithm>
#include <utility>

namespace channel_test {

void RecordingListener::OnConnectStatus(nexalib::CONNECT_STATE state, const std::string&) {
  Record({EventKind::kConnect, state, {}, {}, {}});
}

void RecordingListener::OnVConnectStatus(nexalib::CONNECT_STATE state, const std::string&) {
  Record({EventKind::kVConnect, state, {}, {}, {}});
}

void RecordingListener::OnNotify(const std::string& _interface, const std::string& _method,
                                 const std::string& data) {
  Record({EventKind::kNotify, nexalib::CS_DISCONNECTED, _interface, _method, data});
}

void RecordingListener::Record(ListenerEvent event) {
  if (inside) inside(event);
  {
    std::lock_guard lock(mutex_);
    events_.push_back(std::move(event));
  }
  changed_.notify_all();
}

std::vector<ListenerEvent> RecordingListener::Events() const {
  std::lock_guard lock(mutex_);
  return events_;
}

int RecordingListener::Count(EventKind kind, nexalib::CONNECT_STATE state) const {
  std::lock_guard lock(mutex_);
  return CountLocked(kind, state);
}

int RecordingListener::CountLocked(EventKind kind, nexalib::CONNECT_STATE state) const {
  return static_cast<int>(std::count_if(events_.begin(), events_.end(), [&](const ListenerEvent& e) {
    return e.kind == kind && (kind == EventKind::kNotify || e.state == state);
  }));
}

int RecordingListener::NotifyCount() const {
  return Count(EventKind::kNotify, nexalib::CS_DISCONNECTED);
}

bool RecordingListener::WaitFor(EventKind kind, nexalib::CONNECT_STATE state, int count,
                                std::chrono::milliseconds timeout) const {
  std::unique_lock lock(mutex_);
  return changed_.wait_for(lock, timeout, [&] { return CountLocked(kind, state) >= count; });
}

nexalib::SendCallback CompletionLog::Callback() {
  return [self = shared_from_this()](nexalib::SEND_STATE state, const std::string& _interface,
                                     const std::string& _method, const std::string& body,
                                     const nexalib::ReqInfo& info) {
    const Completion completion{state, _interface, _method, body, info.sessionId,
                                std::chrono::steady_clock::now()};
    if (self->inside) self->inside(completion);
    {
      std::lock_guard lock(self->mutex_);
      self->completions_.push_back(completion);
    }
    self->changed_.notify_all();
  };
}

std::vector<Completion> CompletionLog::All() const {
  std::lock_guard lock(mutex_);
  return completions_;
}

bool CompletionLog::WaitFor(size_t count, std::chrono::milliseconds timeout) const {
  std::unique_lock lock(mutex_);
  return changed_.wait_for(lock, timeout, [&] { return completions_.size() >= count; });
}

}  // namespace channel_test
