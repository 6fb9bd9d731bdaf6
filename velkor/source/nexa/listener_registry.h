#pragma once

// The channel's listeners by sessionId. Listeners are added and removed from any thread
// while the channel thread calls them; no lock is held during a call, so a listener may
// call back into the channel, and removing a listener that another thread is calling
// waits for that call to end, so that the remover may destroy it at once.

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <thread>

#include "nexalib/nexa_listener.h"

namespace nexalib {

class ListenerRegistry {
 public:
  using Call = std::function<void(INexaListener& listener)>;

  ListenerRegistry() = default;
  ListenerRegistry(const ListenerRegistry&) = delete;
  ListenerRegistry& operator=(const ListenerRegistry&) = delete;

  // Replaces the listener of `sessionId`; a null listener removes it.
  void Add(int32_t sessionId, INexaListener* listener);
  void Remove(int32_t sessionId);

  // Calls every listener in ascending sessionId order. A listener removed by an earlier
  // call is skipped; one added meanwhile with a higher sessionId is called too.
  void ForEach(const Call& call);
  // Calls the listener of `sessionId`; false when there is none.
  bool CallOne(int32_t sessionId, const Call& call);

 private:
  // Runs `call` on `listener`, which the caller found under the lock it passes in.
  void Run(std::unique_lock<std::mutex>& lock, INexaListener* listener, const Call& call);

  std::mutex mutex_;
  std::condition_variable call_ended_;
  std::map<int32_t, INexaListener*> listeners_;  // Guarded by mutex_
  INexaListener* calling_ = nullptr;             // Guarded by mutex_
  std::thread::id calling_thread_;               // Guarded by mutex_
};

}  // namespace nexalib
