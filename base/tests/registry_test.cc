#include "base/component_registry.h"

#include <gtest/gtest.h>

#include <atomic>

#include "base/at_exit.h"

namespace {

std::atomic<int> g_created{0};
std::atomic<int> g_alive{0};
const char kClass[] = "{00000000-0000-0000-0000-00000000C1A5}";
const char kInterface[] = "{00000000-0000-0000-0000-0000000001F0}";

class Sample final : public zeph::IZephCOMRefCounted {
 public:
  Sample() { ++g_alive; }
  ~Sample() { --g_alive; }
  int32_t AddRef() override { return ++count_; }
  int32_t Release() override {
    if (--count_ > 0) return 1;
    delete this;
    return 0;
  }
  int32_t QueryInterface(const std::string& iid, void** out) override {
    if (iid != kInterface) return static_cast<int32_t>(0xF0C90002u);
    AddRef();
    *out = this;
    return 0;
  }

 private:
  std::atomic<int32_t> count_{0};
};

int32_t Provide(const std::string& clsid, zeph::IZephCOMRefCounted** out) {
  if (clsid != kClass) return zeph::kRegistryClassNotFound;
  ++g_created;
  *out = new Sample();
  (*out)->AddRef();
  return 0;
}

TEST(ComponentRegistryTest, HandsOutOneSharedInstancePerClassUntilAtExit) {
  zeph::RegisterClassProvider(&Provide);
  zeph::RegisterClassProvider(&Provide);  // twice is once
  {
    base::AtExitManager exit_manager;
    zeph::IZephCOM* registry = nullptr;
    base::GetZephCOM(&registry);
    ASSERT_NE(registry, nullptr);
    void* first = nullptr;
    void* second = nullptr;
    EXPECT_EQ(registry->CreateInstance(kClass, "", kInterface, &first, "", ""), 0);
    EXPECT_EQ(registry->CreateInstance(kClass, "", kInterface, &second, "", ""), 0);
    EXPECT_EQ(first, second);
    EXPECT_EQ(g_created.load(), 1);
    static_cast<Sample*>(first)->Release();
    static_cast<Sample*>(second)->Release();
    EXPECT_EQ(g_alive.load(), 1) << "the registry keeps its own reference";

    void* other = nullptr;
    EXPECT_EQ(registry->CreateInstance("{unknown}", "", kInterface, &other, "", ""),
              zeph::kRegistryClassNotFound);
    EXPECT_LT(registry->CreateInstance(kClass, "", "{other}", &other, "", ""), 0);
    EXPECT_EQ(other, nullptr);
    registry->Release();
  }
  EXPECT_EQ(g_alive.load(), 0);
}

}  // namespace
