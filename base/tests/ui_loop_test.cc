#include "base/ui_message_loop.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "base/thread.h"

namespace {

TEST(UILoopTest, TasksPostedFromWorkersRunOnTheInitialisingThreadInOrder) {
  ASSERT_TRUE(base::InitUIMessageLoop());
  base::MessageLoop* ui = base::GetUIMessageLoop();
  ASSERT_NE(ui, nullptr);
  EXPECT_TRUE(ui->RunsTasksOnCurrentThread());
  const std::thread::id ui_thread = std::this_thread::get_id();

  std::vector<int> order;
  bool all_on_ui_thread = true;
  std::thread worker([&] {
    for (int i = 0; i < 50; ++i) {
      ui->PostTask(FROM_HERE, [&, i] {
        all_on_ui_thread &= std::this_thread::get_id() == ui_thread;
        order.push_back(i);
      });
    }
    ui->PostTask(FROM_HERE, [] { base::QuitUIMessageLoop(); });
  });
  base::RunUIMessageLoop();
  worker.join();
  ASSERT_EQ(order.size(), 50u);
  for (int i = 0; i < 50; ++i) EXPECT_EQ(order[i], i);
  EXPECT_TRUE(all_on_ui_thread);
}

TEST(UILoopTest, RunUntilIdleRunsDueTasksButNotFutureOnes) {
  base::InitUIMessageLoop();
  base::MessageLoop* ui = base::GetUIMessageLoop();
  int immediate = 0, delayed = 0;
  ui->PostTask(FROM_HERE, [&] {
    ++immediate;
    ui->PostTask(FROM_HERE, [&] { ++immediate; });
  });
  ui->PostDelayedTask(FROM_HERE, [&] { ++delayed; }, base::TimeDelta::FromSeconds(30));
  base::RunUIMessageLoopUntilIdle();
  EXPECT_EQ(immediate, 2);
  EXPECT_EQ(delayed, 0);
}

TEST(UILoopTest, DelayedUITaskWakesARunningLoop) {
  base::InitUIMessageLoop();
  bool ran = false;
  base::GetUIMessageLoop()->PostDelayedTask(FROM_HERE, [&] {
    ran = true;
    base::QuitUIMessageLoop();
  }, base::TimeDelta::FromMilliseconds(30));
  base::RunUIMessageLoop();
  EXPECT_TRUE(ran);
}

TEST(EventPostTaskTest, ReachesLoopsByIdAndRefusesUnknownIds) {
  base::InitUIMessageLoop();
  base::Thread worker("target");
  worker.Start();
  std::atomic<bool> on_worker{false};
  bool on_ui = false;
  // The UI task goes first, so that the worker's quit cannot overtake it.
  EXPECT_TRUE(base::EventPostTask(base::GetUIMessageLoop()->id(), [&] { on_ui = true; }));
  EXPECT_TRUE(base::EventPostTask(worker.message_loop()->id(), [&] {
    on_worker = worker.message_loop()->RunsTasksOnCurrentThread();
    base::GetUIMessageLoop()->PostTask(FROM_HERE, [] { base::QuitUIMessageLoop(); });
  }));
  base::RunUIMessageLoop();
  EXPECT_TRUE(on_worker);
  EXPECT_TRUE(on_ui);
  EXPECT_FALSE(base::EventPostTask(0, [] {}));
  EXPECT_FALSE(base::EventPostTask(-5, [] {}));
}

}  // namespace
