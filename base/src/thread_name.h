// Names the calling thread for debuggers and crash reports (best effort).
#ifndef BASE_SRC_THREAD_NAME_H_
#define BASE_SRC_THREAD_NAME_H_

#include <string>

namespace base::internal {

void SetCurrentThreadName(const std::string& name);

}  // namespace base::internal

#endif  // BASE_SRC_THREAD_NAME_H_
