#include "base/thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "base/time.h"

namespace {

// Waits for `count` signals, bounded so that a broken loop fails instead of hanging.
class Latch {
 public:
  explicit Latch(int count)
      : remaining_(count),
        done_(std::make_shared<std::promise<void>>()),
        ready_(done_->get_future()) {}
  void CountDown() {
    if (--remaining_ != 0) return;
    // set_value may still run when the waiter wakes and destroys the latch, so the
    // signalling thread holds the promise itself.
    const std::shared_ptr<std::promise<void>> done = done_;
    done->set_value();
  }
  bool Wait() { return ready_.wait_for(std::chrono::seconds(10)) == std::future_status::ready; }

 private:
  std::atomic<int> remaining_;
  const std::shared_ptr<std::promise<void>> done_;
  std::future<void> ready_;
};

TEST(ThreadTest, TasksFromManyThreadsRunOneAtATimeInEachPostersOrder) {
  constexpr int kPosters = 4, kTasks = 500;
  std::vector<std::vector<int>> seen(kPosters);
  std::atomic<int> running{0};
  std::atomic<bool> overlapped{false};
  Latch all(kPosters * kTasks);
  // Declared after what its tasks touch: should the wait fail, the worker is destroyed,
  // and runs out its tasks, while that state is still alive.
  base::Thread worker("worker");
  ASSERT_TRUE(worker.StartWithOptions(base::Thread::Options()));
  std::vector<std::thread> posters;
  for (int p = 0; p < kPosters; ++p) {
    posters.emplace_back([&, p] {
      for (int i = 0; i < kTasks; ++i) {
        worker.message_loop()->PostTask(FROM_HERE, [&, p, i] {
          if (running.fetch_add(1) != 0) overlapped = true;
          seen[p].push_back(i);
          running.fetch_sub(1);
          all.CountDown();
        });
      }
    });
  }
  for (auto& t : posters) t.join();
  ASSERT_TRUE(all.Wait());
  EXPECT_FALSE(overlapped);
  for (const auto& order : seen) {
    ASSERT_EQ(order.size(), static_cast<size_t>(kTasks));
    for (int i = 0; i < kTasks; ++i) EXPECT_EQ(order[i], i);
  }
}

TEST(ThreadTest, DelayedTaskRunsAfterItsDelayAndAfterEarlierImmediateTasks) {
  std::vector<int> order;
  Latch done(2);
  int64_t ran_at = 0;
  base::Thread worker("delayed");  // after the state its tasks touch
  worker.Start();
  int64_t posted = base::Time::TickCount();
  worker.message_loop()->PostDelayedTask(FROM_HERE, [&] {
    ran_at = base::Time::TickCount();
    order.push_back(2);
    done.CountDown();
  }, base::TimeDelta::FromMilliseconds(50));
  worker.message_loop()->PostTask(FROM_HERE, [&] {
    order.push_back(1);
    done.CountDown();
  });
  ASSERT_TRUE(done.Wait());
  EXPECT_GE(ran_at - posted, 50);
  EXPECT_EQ(order, (std::vector<int>{1, 2}));
}

TEST(ThreadTest, StopRunsPostedTasksAndDropsLaterOnes) {
  std::atomic<int> ran{0};
  base::Thread worker("stop");
  worker.Start();
  for (int i = 0; i < 100; ++i) worker.message_loop()->PostTask(FROM_HERE, [&] { ++ran; });
  worker.message_loop()->PostDelayedTask(FROM_HERE, [&] { ran += 1000; },
                                         base::TimeDelta::FromSeconds(60));
  worker.Stop();
  EXPECT_EQ(ran.load(), 100);
  worker.message_loop()->PostTask(FROM_HERE, [&] { ++ran; });
  EXPECT_EQ(ran.load(), 100);
}

TEST(ThreadTest, ThreadDestroyedByItsOwnTaskDoesNotDeadlock) {
  auto* worker = new base::Thread("self");
  worker->Start();
  const int loop_id = worker->message_loop()->id();
  // The detached thread goes on after the task, so it touches nothing of the test's once
  // the latch is released.
  Latch destroyed(1);
  worker->message_loop()->PostTask(FROM_HERE, [worker, &destroyed] {
    delete worker;
    destroyed.CountDown();
  });
  ASSERT_TRUE(destroyed.Wait());
  // It then ends on its own and takes its loop with it, rather than still tearing down
  // when the process exits.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (base::EventPostTask(loop_id, base::Closure()) &&
         std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  EXPECT_FALSE(base::EventPostTask(loop_id, base::Closure()));
}

}  // namespace
