#include "thread_cache.h"

#include <gtest/gtest.h>

#include <mutex>
#include <thread>
#include <vector>

namespace net::detail {
namespace {

struct Destroyed {
  std::thread::id owner;
  int uses = 0;
};

std::mutex g_lock;
std::vector<Destroyed> g_destroyed;  // Guarded by g_lock

// Reports at its destruction the thread that made it and how often it was used.
struct Counter {
  std::thread::id owner = std::this_thread::get_id();
  int uses = 0;
  ~Counter() {
    std::lock_guard lock(g_lock);
    g_destroyed.push_back({owner, uses});
  }
};

TEST(PerThreadTest, EachThreadKeepsItsObjectUntilItEndsAndItIsDestroyedIntact) {
  constexpr int kThreads = 4;
  std::vector<std::thread::id> threads;
  for (int i = 0; i < kThreads; ++i) {
    std::thread thread([i] {
      Counter* counter = PerThread<Counter>();
      ASSERT_NE(counter, nullptr);
      for (int use = 0; use <= i; ++use) ++PerThread<Counter>()->uses;
      EXPECT_EQ(PerThread<Counter>(), counter);
      EXPECT_EQ(counter->owner, std::this_thread::get_id());
    });
    threads.push_back(thread.get_id());
    thread.join();
  }
  std::lock_guard lock(g_lock);
  ASSERT_EQ(g_destroyed.size(), static_cast<size_t>(kThreads));
  for (int i = 0; i < kThreads; ++i) {
    EXPECT_EQ(g_destroyed[i].owner, threads[i]);
    EXPECT_EQ(g_destroyed[i].uses, i + 1);
  }
}

}  // namespace
}  // namespace net::detail
