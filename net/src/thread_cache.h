#pragma once

#include <cstdint>

namespace net::detail {

// What a thread's slot holds; deleted when the thread ends.
class CThreadEntry {
 public:
  virtual ~CThreadEntry() = default;
};

// A per-thread slot of the platform (posix/, win/), empty on every thread at first.
class CThreadSlot {
 public:
  CThreadSlot();
  CThreadSlot(const CThreadSlot&) = delete;
  CThreadSlot& operator=(const CThreadSlot&) = delete;

  // Null until Set on this thread, and always when the platform had no slot left.
  CThreadEntry* Get() const;
  // Hands `entry` to the slot of the calling thread; false (entry not taken) without a slot.
  bool Set(CThreadEntry* entry);

 private:
  bool valid_ = false;
  std::uintptr_t key_ = 0;
};

// The calling thread's object of type T, made on its first use there and destroyed when
// the thread ends; null when the platform has no slot left.
//
//   CDeflateStream* deflater = PerThread<CDeflateStream>();
//
// Not a thread_local object: with MinGW's emulated TLS, the destructor of a thread_local
// object runs after its storage has been freed.
template <typename T>
T* PerThread() {
  struct Entry final : CThreadEntry {
    T value;
  };
  // Never destroyed: threads may end after static destruction.
  static CThreadSlot* const slot = new CThreadSlot;
  if (auto* entry = static_cast<Entry*>(slot->Get())) return &entry->value;
  auto* entry = new Entry;
  if (!slot->Set(entry)) {
    delete entry;
    return nullptr;
  }
  return &entry->value;
}

}  // namespace net::detail
