// A named thread running its own message loop.
//
//   base::Thread worker("login");
//   worker.StartWithOptions(base::Thread::Options());
//   worker.message_loop()->PostTask(FROM_HERE, base::Bind(&CService::Work, this));
#ifndef BASE_THREAD_H_
#define BASE_THREAD_H_

#include <memory>
#include <string>
#include <thread>

#include "base/message_loop.h"

namespace base {

class Thread {
 public:
  struct Options {};

  explicit Thread(const std::string& name);
  // Stops the thread (see Stop).
  ~Thread();
  Thread(const Thread&) = delete;
  Thread& operator=(const Thread&) = delete;

  bool Start() { return StartWithOptions(Options()); }
  bool StartWithOptions(const Options& options);

  // Runs the tasks already posted, then ends the loop; delayed tasks not yet due
  // and tasks posted afterwards are dropped. Called on the thread itself (a task
  // that destroys its owner), it cannot wait: the loop then ends after the
  // current task and the thread finishes on its own.
  void Stop();

  // Null before Start. Stays valid (posting is then a no-op) after Stop.
  MessageLoop* message_loop() const;
  const std::string& thread_name() const { return name_; }
  bool IsRunning() const;

 private:
  class Loop;

  const std::string name_;
  std::shared_ptr<Loop> loop_;
  std::thread thread_;
};

}  // namespace base

#endif  // BASE_THREAD_H_
