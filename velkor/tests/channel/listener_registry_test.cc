#include "nexa/listener_registry.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

namespace nexalib {
namespace {

class CountingListener : public INexaListener {
 public:
  std::atomic<int> calls{0};
  void OnConnectStatus(CONNECT_STATE, const std::string&) override { ++calls; }
};

void Notify(ListenerRegistry& registry) {
  registry.ForEach([](INexaListener& l) { l.OnConnectStatus(CS_CONNECTED, ""); });
}

TEST(ListenerRegistryTest, CallsInAscendingOrderAndSkipsListenersRemovedOnTheWay) {
  ListenerRegistry registry;
  std::vector<int> order;
  struct Ordered : INexaListener {
    std::vector<int>* order = nullptr;
    int id = 0;
    ListenerRegistry* registry = nullptr;
    void OnConnectStatus(CONNECT_STATE, const std::string&) override {
      order->push_back(id);
      if (id == 1) registry->Remove(5);  // from inside a call: no wait, no deadlock
    }
  };
  Ordered listeners[3];
  const int ids[3] = {5, 1, 3};
  for (int i = 0; i < 3; ++i) {
    listeners[i].order = &order;
    listeners[i].id = ids[i];
    listeners[i].registry = &registry;
    registry.Add(ids[i], &listeners[i]);
  }
  Notify(registry);
  EXPECT_EQ(order, (std::vector<int>{1, 3}));
}

TEST(ListenerRegistryTest, RemoveFromAnotherThreadWaitsForTheCallInProgress) {
  ListenerRegistry registry;
  std::atomic<bool> inCall{false};
  std::atomic<bool> callEnded{false};
  struct Slow : INexaListener {
    std::atomic<bool>* inCall;
    std::atomic<bool>* callEnded;
    void OnConnectStatus(CONNECT_STATE, const std::string&) override {
      *inCall = true;
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
      *callEnded = true;
    }
  } slow;
  slow.inCall = &inCall;
  slow.callEnded = &callEnded;
  registry.Add(1, &slow);

  std::thread channelThread([&] { Notify(registry); });
  while (!inCall) std::this_thread::yield();
  registry.Remove(1);
  EXPECT_TRUE(callEnded) << "Remove returned while its listener was still being called";
  channelThread.join();
}

TEST(ListenerRegistryTest, AddAndRemoveFromManyThreadsWhileCalling) {
  ListenerRegistry registry;
  CountingListener listeners[4];
  std::atomic<bool> stop{false};
  std::thread caller([&] {
    while (!stop) Notify(registry);
  });
  std::vector<std::thread> changers;
  for (int t = 0; t < 4; ++t) {
    changers.emplace_back([&, t] {
      for (int i = 0; i < 500; ++i) {
        registry.Add(t, &listeners[t]);
        registry.Remove(t);
      }
    });
  }
  for (std::thread& changer : changers) changer.join();
  stop = true;
  caller.join();
  for (CountingListener& listener : listeners) {
    const int before = listener.calls;
    Notify(registry);
    EXPECT_EQ(listener.calls, before) << "a removed listener was called";
  }
}

TEST(ListenerRegistryTest, NullListenerRemovesAndUnknownIdIsNoOp) {
  ListenerRegistry registry;
  CountingListener listener;
  registry.Add(1, &listener);
  registry.Add(1, nullptr);
  registry.Remove(42);
  Notify(registry);
  EXPECT_EQ(listener.calls, 0);
  EXPECT_FALSE(registry.CallOne(1, [](INexaListener&) {}));
}

}  // namespace
}  // namespace nexalib
