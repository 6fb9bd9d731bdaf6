// The one place where work is handed to the host's user-interface thread, and
// the notification gate: user notifications reach the host only while the SDK
// service is initialised.
//
//   CSDKServiceTaskPoolGroup::GetInstance()->PostUserNotify(
//       base::Bind(&DeliverAuthOk, param));     // any thread
#ifndef VELKOR_SOURCE_MODEL_SERVICE_SDK_TASK_POOL_GROUP_H_
#define VELKOR_SOURCE_MODEL_SERVICE_SDK_TASK_POOL_GROUP_H_

#include <atomic>

#include "base/callback.h"

class CSDKServiceTaskPoolGroup {
 public:
  // The process-wide group, created on first use.
  static CSDKServiceTaskPoolGroup* GetInstance();

  CSDKServiceTaskPoolGroup() = default;
  CSDKServiceTaskPoolGroup(const CSDKServiceTaskPoolGroup&) = delete;
  CSDKServiceTaskPoolGroup& operator=(const CSDKServiceTaskPoolGroup&) = delete;

  // Queues `task` on the UI loop. It runs only if the gate is open when it comes
  // to run; otherwise it is reset there, releasing its bound arguments on the UI
  // thread. Without a UI loop the task is dropped at once.
  void PostUserNotify(base::Closure task);
  // Queues `task` on the UI loop; it runs whatever the gate says.
  void PostGlobalNotify(const base::Closure& task);

  // Written by Init/Uninit on the UI thread and read there by queued tasks.
  void SetEnabled(bool enabled) { enabled_.store(enabled, std::memory_order_relaxed); }
  bool IsEnabled() const { return enabled_.load(std::memory_order_relaxed); }

 private:
  std::atomic<bool> enabled_{false};
};

#endif  // VELKOR_SOURCE_MODEL_SERVICE_SDK_TASK_POOL_GROUP_H_
