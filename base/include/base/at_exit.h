// Process-end callbacks. The host creates one AtExitManager on its main thread
// for the life of the process; its destruction runs the callbacks that were
// registered, newest first. A manager created while another exists shadows it
// until it is destroyed (tests use this to reset process-wide objects).
#ifndef BASE_AT_EXIT_H_
#define BASE_AT_EXIT_H_

#include <mutex>
#include <utility>
#include <vector>

namespace base {

class AtExitManager {
 public:
  using Callback = void (*)(void*);

  AtExitManager();
  ~AtExitManager();
  AtExitManager(const AtExitManager&) = delete;
  AtExitManager& operator=(const AtExitManager&) = delete;

  // Registers with the newest manager. Without a manager the callback never runs
  // (the object then lives until the process ends); returns false in that case.
  static bool RegisterCallback(Callback func, void* param);
  // Runs and forgets the newest manager's callbacks now.
  static void ProcessCallbacksNow();

 private:
  std::mutex lock_;
  std::vector<std::pair<Callback, void*>> callbacks_;  // Guarded by lock_
  AtExitManager* previous_;
};

}  // namespace base

#endif  // BASE_AT_EXIT_H_
