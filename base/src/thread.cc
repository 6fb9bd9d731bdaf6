#include "base/thread.h"

#include <atomic>
#include <boost/asio/executor_work_guard.hpp>
#include <boost/asio/io_context.hpp>
#include <boost/asio/post.hpp>
#include <boost/asio/steady_timer.hpp>
#include <mutex>

#include "thread_name.h"

namespace base {

// The loop of one thread. It is shared with the thread's body so that it
// outlives a Thread object destroyed from one of its own tasks.
class Thread::Loop : public MessageLoop {
 public:
  Loop() : work_(context_.get_executor()) {}
  ~Loop() override { Unregister(); }

  void PostTask(const tracked_objects::Location&, const Closure& task) override {
    if (task.is_null()) return;
    std::lock_guard<std::mutex> guard(post_lock_);
    if (!accepting_) return;
    boost::asio::post(context_, [task] { task.Run(); });
  }

  void PostDelayedTask(const tracked_objects::Location&, const Closure& task,
                       TimeDelta delay) override {
    if (task.is_null()) return;
    // The deadline counts from now; the timer itself is made on the loop's thread
    // because a timer object is not safe to share between threads.
    auto deadline = std::chrono::steady_clock::now() + delay.ToChrono();
    std::lock_guard<std::mutex> guard(post_lock_);
    if (!accepting_) return;
    boost::asio::post(context_, [this, task, deadline] {
      auto timer = std::make_shared<boost::asio::steady_timer>(context_, deadline);
      timer->async_wait([timer, task](const boost::system::error_code& error) {
        if (!error) task.Run();
      });
    });
  }

  bool RunsTasksOnCurrentThread() const override {
    return std::this_thread::get_id() == thread_id_.load();
  }

  void Run(const std::string& name) {
    thread_id_.store(std::this_thread::get_id());
    internal::SetCurrentThreadName(name);
    context_.run();
    // A post that began before the loop ended may still be inside Asio, and the last
    // task may have destroyed the Thread: wait for that post before the loop can go.
    std::lock_guard<std::mutex> guard(post_lock_);
  }

  // Tasks posted before this still run; the loop stops after them.
  void Quit() {
    std::lock_guard<std::mutex> guard(post_lock_);
    if (!accepting_) return;
    accepting_ = false;
    work_.reset();
    boost::asio::post(context_, [this] { context_.stop(); });
  }

 private:
  boost::asio::io_context context_;
  boost::asio::executor_work_guard<boost::asio::io_context::executor_type> work_;
  std::mutex post_lock_;   // held by every post, so that none is under way when the loop goes
  bool accepting_ = true;  // Guarded by post_lock_
  std::atomic<std::thread::id> thread_id_{};
};

Thread::Thread(const std::string& name) : name_(name) {}

Thread::~Thread() { Stop(); }

bool Thread::StartWithOptions(const Options&) {
  if (loop_) return false;
  loop_ = std::make_shared<Loop>();
  std::shared_ptr<Loop> loop = loop_;
  std::string name = name_;
  thread_ = std::thread([loop, name] { loop->Run(name); });
  return true;
}

void Thread::Stop() {
  if (!loop_) return;
  loop_->Quit();
  if (!thread_.joinable()) return;
  if (thread_.get_id() == std::this_thread::get_id()) {
    thread_.detach();
  } else {
    thread_.join();
  }
}

MessageLoop* Thread::message_loop() const { return loop_.get(); }

bool Thread::IsRunning() const { return thread_.joinable(); }

}  // namespace base
