#include "nexa/listener_registry.h"

namespace nexalib {

void ListenerRegistry::Add(int32_t sessionId, INexaListener* listener) {
  if (listener == nullptr) {
    Remove(sessionId);
    return;
  }
  std::lock_guard lock(mutex_);
  listeners_[sessionId] = listener;
}

void ListenerRegistry::Remove(int32_t sessionId) {
  std::unique_lock lock(mutex_);
  const auto found = listeners_.find(sessionId);
  if (found == listeners_.end()) return;
  INexaListener* removed = found->second;
  listeners_.erase(found);
  // The calling thread itself cannot wait for its own call; everyone else does.
  call_ended_.wait(lock, [&] {
    return calling_ != removed || calling_thread_ == std::this_thread::get_id();
  });
}

void ListenerRegistry::ForEach(const Call& call) {
  std::unique_lock lock(mutex_);
  auto it = listeners_.begin();
  while (it != listeners_.end()) {
    const int32_t sessionId = it->first;
    Run(lock, it->second, call);
    it = listeners_.upper_bound(sessionId);  // the map may have changed during the call
  }
}

bool ListenerRegistry::CallOne(int32_t sessionId, const Call& call) {
  std::unique_lock lock(mutex_);
  const auto found = listeners_.find(sessionId);
  if (found == listeners_.end()) return false;
  Run(lock, found->second, call);
  return true;
}

void ListenerRegistry::Run(std::unique_lock<std::mutex>& lock, INexaListener* listener,
                           const Call& call) {
  INexaListener* const outer = calling_;
  const std::thread::id outerThread = calling_thread_;
  calling_ = listener;
  calling_thread_ = std::this_thread::get_id();
  lock.unlock();
  call(*listener);
  lock.lock();
  calling_ = outer;
  calling_thread_ = outerThread;
  call_ended_.notify_all();
}

}  // namespace nexalib
