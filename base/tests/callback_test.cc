#include "base/callback.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class Counted : public base::RefCountedThreadSafe<Counted> {
 public:
  explicit Counted(int* destroyed) : destroyed_(destroyed) {}
  int Add(int a, int b) { return a + b + bias; }
  int bias = 0;

 private:
  friend class base::RefCountedThreadSafe<Counted>;
  ~Counted() { ++*destroyed_; }
  int* destroyed_;
};

TEST(CallbackTest, MemberBoundToCountedObjectKeepsItAliveUntilReset) {
  int destroyed = 0;
  scoped_refptr<Counted> object(new Counted(&destroyed));
  base::Callback<int(int)> add = base::Bind(&Counted::Add, object.get(), 1);
  object->bias = 10;
  object = nullptr;
  EXPECT_EQ(destroyed, 0);
  EXPECT_EQ(add.Run(2), 13);
  base::Callback<int(int)> copy = add;
  add.Reset();
  EXPECT_TRUE(add.is_null());
  EXPECT_EQ(destroyed, 0) << "the copy still holds a reference";
  copy.Reset();
  EXPECT_EQ(destroyed, 1);
}

TEST(CallbackTest, UnretainedHoldsNoReference) {
  int destroyed = 0;
  scoped_refptr<Counted> object(new Counted(&destroyed));
  base::Closure call = base::Bind(&Counted::Add, base::Unretained(object.get()), 1, 2);
  EXPECT_TRUE(object->HasOneRef());
  call.Run();
}

TEST(CallbackTest, BindsFreeFunctionsAndLambdasWithLeadingArguments) {
  base::Callback<std::string(const std::string&)> join =
      base::Bind([](const std::string& a, const std::string& b) { return a + "-" + b; }, "left");
  EXPECT_EQ(join.Run("right"), "left-right");
  base::Closure empty;
  EXPECT_TRUE(empty.is_null());
}

}  // namespace
