#include <pthread.h>

#include "thread_cache.h"

namespace net::detail {
namespace {

void DeleteEntry(void* entry) { delete static_cast<CThreadEntry*>(entry); }

pthread_key_t Key(std::uintptr_t key) { return static_cast<pthread_key_t>(key); }

}  // namespace

CThreadSlot::CThreadSlot() {
  pthread_key_t key;
  valid_ = pthread_key_create(&key, &DeleteEntry) == 0;
  if (valid_) key_ = static_cast<std::uintptr_t>(key);
}

CThreadEntry* CThreadSlot::Get() const {
  return valid_ ? static_cast<CThreadEntry*>(pthread_getspecific(Key(key_))) : nullptr;
}

bool CThreadSlot::Set(CThreadEntry* entry) {
  return valid_ && pthread_setspecific(Key(key_), entry) == 0;
}

}  // namespace net::detail
