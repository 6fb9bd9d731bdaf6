// An object created on first use, once, even when threads race for it; the
// losers wait for the winner. The at-exit manager deletes it at process end,
// after which the next use creates a fresh one.
//
//   base::LazyInstance<Config> g_config;
//   g_config.Get().Rebuild();
#ifndef BASE_LAZY_INSTANCE_H_
#define BASE_LAZY_INSTANCE_H_

#include <atomic>
#include <mutex>

#include "base/at_exit.h"

namespace base {

template <typename T>
class LazyInstance {
 public:
  constexpr LazyInstance() = default;
  LazyInstance(const LazyInstance&) = delete;
  LazyInstance& operator=(const LazyInstance&) = delete;

  T& Get() { return *Pointer(); }
  T* Pointer() {
    T* instance = instance_.load(std::memory_order_acquire);
    return instance ? instance : WaitForInstance();
  }

 private:
  T* WaitForInstance() {
    std::lock_guard<std::mutex> guard(create_lock_);
    T* instance = instance_.load(std::memory_order_relaxed);
    if (!instance) {
      instance = new T();
      instance_.store(instance, std::memory_order_release);
      AtExitManager::RegisterCallback(&LazyInstance::OnExit, this);
    }
    return instance;
  }

  static void OnExit(void* self) {
    delete static_cast<LazyInstance*>(self)->instance_.exchange(nullptr);
  }

  std::atomic<T*> instance_{nullptr};
  std::mutex create_lock_;
};

}  // namespace base

#endif  // BASE_LAZY_INSTANCE_H_
