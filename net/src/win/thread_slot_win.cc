#include <windows.h>

#include "thread_cache.h"

namespace net::detail {
namespace {

// Fiber-local storage, because its slots call back with their value when a thread ends.
void NTAPI DeleteEntry(void* entry) { delete static_cast<CThreadEntry*>(entry); }

DWORD Index(std::uintptr_t key) { return static_cast<DWORD>(key); }

}  // namespace

CThreadSlot::CThreadSlot() {
  const DWORD index = FlsAlloc(&DeleteEntry);
  valid_ = index != FLS_OUT_OF_INDEXES;
  if (valid_) key_ = index;
}

CThreadEntry* CThreadSlot::Get() const {
  return valid_ ? static_cast<CThreadEntry*>(FlsGetValue(Index(key_))) : nullptr;
}

bool CThreadSlot::Set(CThreadEntry* entry) { return valid_ && FlsSetValue(Index(key_), entry); }

}  // namespace net::detail
