// A task runner bound to one thread: tasks run there one at a time, in the order
// they were posted. Every loop has an event-loop id through which EventPostTask
// reaches it.
#ifndef BASE_MESSAGE_LOOP_H_
#define BASE_MESSAGE_LOOP_H_

#include "base/callback.h"
#include "base/location.h"
#include "base/time.h"

namespace base {

class MessageLoop {
 public:
  MessageLoop(const MessageLoop&) = delete;
  MessageLoop& operator=(const MessageLoop&) = delete;
  virtual ~MessageLoop();

  // Safe from any thread. Tasks posted after the loop has stopped are dropped.
  virtual void PostTask(const tracked_objects::Location& from_here, const Closure& task) = 0;
  // Runs the task no earlier than `delay` from now.
  virtual void PostDelayedTask(const tracked_objects::Location& from_here, const Closure& task,
                               TimeDelta delay) = 0;
  virtual bool RunsTasksOnCurrentThread() const = 0;

  // Positive, unique in the process; the target that EventPostTask takes.
  int id() const { return id_; }

 protected:
  MessageLoop();
  // Makes the loop unreachable through EventPostTask and waits for a post through it
  // that is under way. A derived loop calls it first in its destructor, before the
  // members that a post uses are gone; repeating it does nothing.
  void Unregister();

 private:
  const int id_;
};

// Posts `task` to the loop whose id() is `target`. False when no such loop exists.
bool EventPostTask(int target, const Closure& task);

}  // namespace base

#endif  // BASE_MESSAGE_LOOP_H_
