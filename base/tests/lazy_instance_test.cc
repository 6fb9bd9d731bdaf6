#include "base/lazy_instance.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

std::atomic<int> g_constructed{0};
std::atomic<int> g_destroyed{0};

struct Slow {
  Slow() {
    ++g_constructed;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));  // widen the race
  }
  ~Slow() { ++g_destroyed; }
};

base::LazyInstance<Slow> g_slow;

TEST(LazyInstanceTest, RacingThreadsShareOneInstanceAndAtExitForgetsIt) {
  g_constructed = g_destroyed = 0;
  {
    base::AtExitManager exit_manager;
    std::vector<Slow*> seen(8);
    std::vector<std::thread> threads;
    for (size_t i = 0; i < seen.size(); ++i) threads.emplace_back([&, i] { seen[i] = g_slow.Pointer(); });
    for (auto& t : threads) t.join();
    EXPECT_EQ(g_constructed.load(), 1);
    for (Slow* p : seen) EXPECT_EQ(p, seen[0]);
  }
  EXPECT_EQ(g_destroyed.load(), 1);
  base::AtExitManager next;
  g_slow.Get();
  EXPECT_EQ(g_constructed.load(), 2) << "a new instance after at-exit processing";
}

TEST(AtExitManagerTest, RunsNewestFirstAndShadowsOuterManager) {
  std::vector<int> order;
  auto record = [](void* p) { static_cast<std::vector<int>*>(p)->push_back(1); };
  auto record2 = [](void* p) { static_cast<std::vector<int>*>(p)->push_back(2); };
  base::AtExitManager outer;
  base::AtExitManager::RegisterCallback(record, &order);
  {
    base::AtExitManager inner;
    base::AtExitManager::RegisterCallback(record2, &order);
  }
  EXPECT_EQ(order, (std::vector<int>{2}));
  base::AtExitManager::RegisterCallback(record2, &order);
  base::AtExitManager::ProcessCallbacksNow();
  EXPECT_EQ(order, (std::vector<int>{2, 2, 1}));
}

}  // namespace
