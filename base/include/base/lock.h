// Re-entrant lock: the thread that holds it may lock it again.
#ifndef BASE_LOCK_H_
#define BASE_LOCK_H_

#include <mutex>

namespace base {
namespace internal {

class LockImpl {
 public:
  LockImpl() = default;
  LockImpl(const LockImpl&) = delete;
  LockImpl& operator=(const LockImpl&) = delete;

  void Lock() { mutex_.lock(); }
  void Unlock() { mutex_.unlock(); }
  bool Try() { return mutex_.try_lock(); }

 private:
  std::recursive_mutex mutex_;
};

}  // namespace internal

using Lock = internal::LockImpl;

class AutoLock {
 public:
  explicit AutoLock(internal::LockImpl& lock) : lock_(lock) { lock_.Lock(); }
  ~AutoLock() { lock_.Unlock(); }
  AutoLock(const AutoLock&) = delete;
  AutoLock& operator=(const AutoLock&) = delete;

 private:
  internal::LockImpl& lock_;
};

}  // namespace base

#endif  // BASE_LOCK_H_
