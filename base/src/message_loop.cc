#include "base/message_loop.h"

#include <atomic>
#include <map>
#include <mutex>

namespace base {
namespace {

std::atomic<int> g_next_id{1};

// Loops by id. Posting happens under the lock, so a loop cannot be destroyed
// while EventPostTask is using it. Both are left alive at exit: a thread that
// was detached by its own task may destroy its loop after static destructors.
std::mutex& RegistryLock() {
  static auto* lock = new std::mutex;
  return *lock;
}
std::map<int, MessageLoop*>& Registry() {
  static auto* loops = new std::map<int, MessageLoop*>;
  return *loops;
}

}  // namespace

MessageLoop::MessageLoop() : id_(g_next_id.fetch_add(1)) {
  std::lock_guard<std::mutex> guard(RegistryLock());
  Registry()[id_] = this;
}

MessageLoop::~MessageLoop() { Unregister(); }

void MessageLoop::Unregister() {
  std::lock_guard<std::mutex> guard(RegistryLock());
  Registry().erase(id_);
}

bool EventPostTask(int target, const Closure& task) {
  std::lock_guard<std::mutex> guard(RegistryLock());
  auto it = Registry().find(target);
  if (it == Registry().end()) return false;
  it->second->PostTask(FROM_HERE, task);
  return true;
}

}  // namespace base
