// The UI message loop: a task queue bound to one thread, woken and run by the
// platform's mechanism (the thread's message pump on Windows, a wait on the
// queue elsewhere).
#ifndef BASE_SRC_UI_LOOP_H_
#define BASE_SRC_UI_LOOP_H_

#include <atomic>
#include <thread>

#include "base/message_loop.h"
#include "task_queue.h"

namespace base::internal {

class UILoop : public MessageLoop {
 public:
  // The platform's loop (posix/ or win/).
  static UILoop* Create();

  void PostTask(const tracked_objects::Location& from_here, const Closure& task) override;
  void PostDelayedTask(const tracked_objects::Location& from_here, const Closure& task,
                       TimeDelta delay) override;
  bool RunsTasksOnCurrentThread() const override;

  // Attaches the loop to the calling thread.
  virtual void Bind();
  virtual void Run() = 0;
  virtual void RunUntilIdle() = 0;
  virtual void Quit() = 0;

 protected:
  // Called after every post; `earliest` says the new task is due before all others.
  virtual void ScheduleWork(bool earliest) = 0;
  // Runs every task that is due, one at a time. Returns whether any ran; *next_due
  // is the due time of the earliest task left.
  bool RunDueTasks(TaskQueue::Clock::time_point* next_due);

  TaskQueue queue_;
  std::atomic<bool> quit_{false};

 private:
  std::atomic<std::thread::id> thread_{};
};

}  // namespace base::internal

#endif  // BASE_SRC_UI_LOOP_H_
