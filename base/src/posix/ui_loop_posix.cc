// The UI loop without a platform message pump: the host's thread waits on the
// task queue itself.
#include "ui_loop.h"

namespace base::internal {
namespace {

class PosixUILoop : public UILoop {
 public:
  void Run() override {
    quit_.store(false);
    while (!quit_.load()) {
      TaskQueue::Clock::time_point next_due;
      RunDueTasks(&next_due);
      if (quit_.load()) break;
      queue_.Wait(next_due);
    }
    quit_.store(false);
  }

  void RunUntilIdle() override {
    TaskQueue::Clock::time_point next_due;
    while (RunDueTasks(&next_due)) {
    }
  }

  void Quit() override {
    quit_.store(true);
    queue_.Wake();
  }

 protected:
  void ScheduleWork(bool) override {}  // Push already wakes a waiting Run.
};

}  // namespace

UILoop* UILoop::Create() { return new PosixUILoop(); }

}  // namespace base::internal
