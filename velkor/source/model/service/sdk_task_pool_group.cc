#include "sdk_task_pool_group.h"

#include <utility>

#include "base/lazy_instance.h"
#include "base/location.h"
#include "base/ref_counted.h"
#include "base/ui_message_loop.h"

namespace {

base::LazyInstance<CSDKServiceTaskPoolGroup> g_group;

// A queued task. Created on the posting thread; run and destroyed on the UI
// thread, so a dropped task's bound arguments are released there.
class NotifyTask : public base::RefCountedThreadSafe<NotifyTask> {
 public:
  NotifyTask(base::Closure task, bool gated) : task_(std::move(task)), gated_(gated) {}

  void Run() {
    // Taken out first so that the bound arguments go here, on the UI thread,
    // whether the task runs or not; the last reference to this wrapper may be
    // dropped on the posting thread.
    base::Closure task;
    std::swap(task, task_);
    // The group is looked up when the task runs, not kept from posting time:
    // at-exit processing may have replaced it meanwhile.
    if (gated_ && !CSDKServiceTaskPoolGroup::GetInstance()->IsEnabled()) return;
    if (!task.is_null()) task.Run();
  }

 private:
  friend class base::RefCountedThreadSafe<NotifyTask>;
  ~NotifyTask() = default;

  base::Closure task_;
  const bool gated_;
};

void PostToUILoop(const tracked_objects::Location& from_here, scoped_refptr<NotifyTask> task) {
  base::MessageLoop* loop = base::GetUIMessageLoop();
  if (!loop) return;
  loop->PostTask(from_here, base::Bind(&NotifyTask::Run, task));
}

}  // namespace

CSDKServiceTaskPoolGroup* CSDKServiceTaskPoolGroup::GetInstance() { return g_group.Pointer(); }

void CSDKServiceTaskPoolGroup::PostUserNotify(base::Closure task) {
  PostToUILoop(tracked_objects::Location("CSDKServiceTaskPoolGroup::PostUserNotify",
                                         "IMServiceTaskPoolGroup", 34),
               new NotifyTask(std::move(task), true));
}

void CSDKServiceTaskPoolGroup::PostGlobalNotify(const base::Closure& task) {
  PostToUILoop(tracked_objects::Location("CSDKServiceTaskPoolGroup::PostGlobalNotify",
                                         "IMServiceTaskPoolGroup", 53),
               new NotifyTask(task, false));
}
