#include "thread_name.h"

#include <pthread.h>

namespace base::internal {

void SetCurrentThreadName(const std::string& name) {
  // The kernel keeps 15 characters.
  pthread_setname_np(pthread_self(), name.substr(0, 15).c_str());
}

}  // namespace base::internal
