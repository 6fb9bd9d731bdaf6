#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "base/thread.h"
#include "base/ui_message_loop.h"
#include "subscriber_delivery.h"
#include "uauth/unified_auth_service.h"

namespace {

using Record = uauth::ModelAuthFailParam;
using Callback = base::Callback<void(Record)>;

Record Fail(int32_t code) {
  Record record;
  record.code = code;
  return record;
}

class SubscriberDeliveryTest : public ::testing::Test {
 protected:
  SubscriberDeliveryTest() { base::InitUIMessageLoop(); }
  uauth::SubscriberList<Record> list_;
  std::vector<int32_t> seen_;
};

TEST_F(SubscriberDeliveryTest, DirectSubscribersRunInOrderOnTheDeliveringThread) {
  const std::thread::id ui = std::this_thread::get_id();
  list_.Add(Callback([&](Record r) {
    EXPECT_EQ(std::this_thread::get_id(), ui);
    seen_.push_back(r.code);
  }));
  list_.Add(Callback([&](Record r) { seen_.push_back(r.code * 10); }));
  uauth::DeliverToSubscribers(list_, Fail(3));
  EXPECT_EQ(seen_, (std::vector<int32_t>{3, 30}));
}

TEST_F(SubscriberDeliveryTest, AListWithoutEntriesOrCallbacksDoesNothing) {
  uauth::DeliverToSubscribers(list_, Fail(1));
  list_.Add(Callback());
  uauth::DeliverToSubscribers(list_, Fail(1));
  EXPECT_EQ(list_.counter, 1);
}

TEST_F(SubscriberDeliveryTest, ANonZeroTargetIsReachedThroughItsEventLoop) {
  base::Thread other("other");
  other.Start();
  std::atomic<bool> ran{false};
  std::thread::id ran_on;
  list_.Add(Callback([&](Record r) {
              ran_on = std::this_thread::get_id();
              EXPECT_EQ(r.code, 7);
              ran = true;
              base::QuitUIMessageLoop();
            }),
            other.message_loop()->id());
  uauth::DeliverToSubscribers(list_, Fail(7));
  base::RunUIMessageLoop();
  EXPECT_TRUE(ran);
  EXPECT_NE(ran_on, std::this_thread::get_id());
}

TEST_F(SubscriberDeliveryTest, ASubscriberThatRemovesItselfGetsTheCurrentRecordOnly) {
  int32_t self = 0;
  self = list_.Add(Callback([&](Record r) {
    seen_.push_back(r.code);
    EXPECT_TRUE(list_.Remove(self));
  }));
  list_.Add(Callback([&](Record r) { seen_.push_back(-r.code); }));
  uauth::DeliverToSubscribers(list_, Fail(1));
  uauth::DeliverToSubscribers(list_, Fail(2));
  EXPECT_EQ(seen_, (std::vector<int32_t>{1, -1, -2}));
  EXPECT_FALSE(list_.Remove(self));
}

TEST_F(SubscriberDeliveryTest, ASubscriberAddedDuringADeliveryCountsFromTheNextRecord) {
  list_.Add(Callback([&](Record r) {
    if (r.code == 1) list_.Add(Callback([&](Record later) { seen_.push_back(later.code * 100); }));
    seen_.push_back(r.code);
  }));
  uauth::DeliverToSubscribers(list_, Fail(1));
  uauth::DeliverToSubscribers(list_, Fail(2));
  EXPECT_EQ(seen_, (std::vector<int32_t>{1, 2, 200}));
}

}  // namespace
