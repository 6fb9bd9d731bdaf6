#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "base/at_exit.h"
#include "base/callback.h"
#include "base/ref_counted.h"
#include "base/thread.h"
#include "base/ui_message_loop.h"
#include "sdk_task_pool_group.h"

namespace {

// A bound argument that records where it was released.
class Witness : public base::RefCountedThreadSafe<Witness> {
 public:
  explicit Witness(std::thread::id* released_on) : released_on_(released_on) {}
  void Use() {}

 private:
  friend class base::RefCountedThreadSafe<Witness>;
  ~Witness() { *released_on_ = std::this_thread::get_id(); }
  std::thread::id* released_on_;
};

class TaskPoolTest : public ::testing::Test {
 protected:
  TaskPoolTest() { base::InitUIMessageLoop(); }
  ~TaskPoolTest() override { base::RunUIMessageLoopUntilIdle(); }

  // Runs `post` on a worker thread and waits until it has posted.
  static void PostFromWorker(const base::Closure& post) {
    base::Thread worker("poster");
    worker.Start();
    worker.message_loop()->PostTask(FROM_HERE, post);
    worker.Stop();
  }

  base::AtExitManager at_exit_;
  CSDKServiceTaskPoolGroup* group_ = CSDKServiceTaskPoolGroup::GetInstance();
};

TEST_F(TaskPoolTest, GateIsReadWhenTheTaskRunsAndOnlyForUserNotifications) {
  struct Case {
    bool user;
    bool open_when_posted;
    bool open_when_run;
    bool runs;
  };
  const Case cases[] = {
      {true, true, true, true},    {true, true, false, false},  {true, false, true, true},
      {true, false, false, false}, {false, true, true, true},   {false, true, false, true},
      {false, false, true, true},  {false, false, false, true},
  };
  for (const Case& c : cases) {
    group_->SetEnabled(c.open_when_posted);
    bool ran = false;
    base::Closure task = [&] { ran = true; };
    if (c.user) {
      group_->PostUserNotify(task);
    } else {
      group_->PostGlobalNotify(task);
    }
    group_->SetEnabled(c.open_when_run);
    base::RunUIMessageLoopUntilIdle();
    EXPECT_EQ(ran, c.runs) << "user " << c.user << ", open when posted " << c.open_when_posted
                           << ", open when run " << c.open_when_run;
  }
}

TEST_F(TaskPoolTest, TasksFromAWorkerRunOnTheUIThreadInPostingOrder) {
  group_->SetEnabled(true);
  const std::thread::id ui_thread = std::this_thread::get_id();
  std::vector<std::string> order;
  bool all_on_ui_thread = true;
  auto record = [&](const char* name) {
    return base::Closure([&, name] {
      all_on_ui_thread &= std::this_thread::get_id() == ui_thread;
      order.push_back(name);
    });
  };
  PostFromWorker([&] {
    group_->PostUserNotify(record("user 1"));
    group_->PostGlobalNotify(record("global"));
    group_->PostUserNotify(record("user 2"));
  });
  EXPECT_TRUE(order.empty());
  base::RunUIMessageLoopUntilIdle();
  EXPECT_EQ(order, (std::vector<std::string>{"user 1", "global", "user 2"}));
  EXPECT_TRUE(all_on_ui_thread);
}

TEST_F(TaskPoolTest, DroppedNotificationReleasesItsArgumentsOnTheUIThread) {
  group_->SetEnabled(false);
  std::thread::id released_on;
  PostFromWorker([&] {
    group_->PostUserNotify(base::Bind(&Witness::Use, new Witness(&released_on)));
  });
  EXPECT_EQ(released_on, std::thread::id()) << "still queued";
  base::RunUIMessageLoopUntilIdle();
  EXPECT_EQ(released_on, std::this_thread::get_id());
}

TEST_F(TaskPoolTest, EmptyTasksAreHarmless) {
  group_->SetEnabled(true);
  group_->PostUserNotify(base::Closure());
  group_->PostGlobalNotify(base::Closure());
  base::RunUIMessageLoopUntilIdle();
}

}  // namespace
