#include "security_data.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "base/strings.h"

namespace {

// The module as the fake loader presents it: scripted answers and a log of
// every call the library makes.
struct FakeModuleState {
  bool loads = true;
  std::set<std::string> missing_exports;
  int32_t start_result = 1;
  int32_t get_ua_result = 1;
  const char* ua_buffer = "blob";
  int32_t ua_length = 4;
  std::vector<std::string> calls;
};
FakeModuleState* g_module = nullptr;

int32_t FakeStart() {
  g_module->calls.push_back("start");
  return g_module->start_result;
}
int32_t FakeGetUA(unsigned char** buffer, int32_t* length) {
  g_module->calls.push_back("getua");
  *buffer = reinterpret_cast<unsigned char*>(const_cast<char*>(g_module->ua_buffer));
  *length = g_module->ua_length;
  return g_module->get_ua_result;
}
void FakeFree(unsigned char*) { g_module->calls.push_back("free buffer"); }
int32_t FakeStop() {
  g_module->calls.push_back("stop");
  return 1;
}

class FakeLoader : public SecurityModuleLoader {
 public:
  void* Load(const base::FilePath& path) override {
    g_module->calls.push_back("load " + path.AsUTF8Unsafe());
    return g_module->loads ? this : nullptr;
  }
  void* Find(void* module, const char* name) override {
    EXPECT_EQ(module, this);
    if (g_module->missing_exports.count(name)) return nullptr;
    if (!std::strcmp(name, kStartVeyraName)) return reinterpret_cast<void*>(&FakeStart);
    if (!std::strcmp(name, kGetUAName)) return reinterpret_cast<void*>(&FakeGetUA);
    if (!std::strcmp(name, kFreeUABuffName)) return reinterpret_cast<void*>(&FakeFree);
    if (!std::strcmp(name, kStopVeyraName)) return reinterpret_cast<void*>(&FakeStop);
    return nullptr;
  }
  void Free(void*) override { g_module->calls.push_back("unload"); }
};

int g_adapter_reads = 0;
std::optional<AdapterAddress> TestAdapter() {
  ++g_adapter_reads;
  return AdapterAddress{0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};
}
std::optional<AdapterAddress> NoAdapter() { return std::nullopt; }

class SecurityDataTest : public ::testing::Test {
 protected:
  SecurityDataTest() {
    g_module = &module_;
    g_adapter_reads = 0;
  }
  ~SecurityDataTest() override { g_module = nullptr; }

  FakeModuleState module_;
  FakeLoader loader_;
};

TEST(AdapterIdentifierTextTest, SixBytesMakeATwentyTwoCharacterText) {
  std::string text = AdapterIdentifierText(AdapterAddress{0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0xFE});
  EXPECT_EQ(text.size(), 22u);
  EXPECT_EQ(text.substr(7, 4), "001A");
  EXPECT_EQ(text.substr(14), "2B3C4DFE");
  EXPECT_EQ(AdapterIdentifierText(std::nullopt), "");
}

TEST_F(SecurityDataTest, ValuesAreDigestsOfTheAdapterAndTheInput) {
  SecurityData data(loader_, base::FilePath(L"veyra-module"), &TestAdapter);
  EXPECT_EQ(data.GetMachineId(), "") << "nothing before the first Update";
  EXPECT_TRUE(data.Update("user-1"));

  const std::string digest = base::MD5String(AdapterIdentifierText(TestAdapter()));
  EXPECT_EQ(data.GetAdapterDigest(), digest);
  EXPECT_EQ(data.GetMachineId(), "DS" + base::MD5String("user-1" + digest));
  EXPECT_EQ(data.GetUaData(), "blob");
  EXPECT_EQ(data.GetFields(), (std::map<std::string, std::string>{
                                  {"machineid", data.GetMachineId()},
                                  {"mac", "MA" + digest},
                                  {"veyradata", "UAblob"}}));
}

TEST_F(SecurityDataTest, SameInputIsComputedOnceAndAnotherInputAgain) {
  SecurityData data(loader_, base::FilePath(L"veyra-module"), &TestAdapter);
  data.Update("user-1");
  const std::string first_id = data.GetMachineId();
  const std::string first_mac = data.GetFields()["mac"];
  data.Update("user-1");
  EXPECT_EQ(g_adapter_reads, 1);
  EXPECT_EQ(std::count(module_.calls.begin(), module_.calls.end(), "getua"), 1);

  data.Update("user-2");
  EXPECT_EQ(g_adapter_reads, 2);
  EXPECT_EQ(std::count(module_.calls.begin(), module_.calls.end(), "getua"), 2);
  EXPECT_NE(data.GetMachineId(), first_id);
  EXPECT_EQ(data.GetFields()["mac"], first_mac);
}

TEST_F(SecurityDataTest, EmptyInputIsComputedOnTheFirstUpdate) {
  SecurityData data(loader_, base::FilePath(L"veyra-module"), &TestAdapter);
  data.Update("");
  EXPECT_EQ(g_adapter_reads, 1);
  EXPECT_FALSE(data.GetMachineId().empty());
}

TEST_F(SecurityDataTest, UnreadableAdapterStillGivesStableValues) {
  SecurityData data(loader_, base::FilePath(L"veyra-module"), &NoAdapter);
  data.Update("user-1");
  const std::string empty_digest = base::MD5String("");
  EXPECT_EQ(data.GetAdapterDigest(), empty_digest);
  EXPECT_EQ(data.GetFields()["mac"], "MA" + empty_digest);
  EXPECT_EQ(data.GetMachineId(), "DS" + base::MD5String("user-1" + empty_digest));
}

TEST_F(SecurityDataTest, ModuleLifecycleByWhatTheModuleOffers) {
  struct Case {
    const char* name;
    bool loads;
    int32_t start_result;
    const char* missing_export;
    std::vector<std::string> calls;  // after load, through Update and destruction
  };
  const Case cases[] = {
      {"ready", true, 1, "", {"start", "getua", "free buffer", "stop", "unload"}},
      {"absent", false, 1, "", {}},
      {"start fails", true, 0, "", {"start", "unload"}},
      {"no start", true, 1, kStartVeyraName, {"unload"}},
      {"no GetUA", true, 1, kGetUAName, {"start", "unload"}},
      {"no FreeUABuff", true, 1, kFreeUABuffName, {"start", "unload"}},
      {"no StopVeyra", true, 1, kStopVeyraName, {"start", "getua", "free buffer", "unload"}},
  };
  for (const Case& c : cases) {
    module_ = FakeModuleState();
    module_.loads = c.loads;
    module_.start_result = c.start_result;
    if (c.missing_export[0]) module_.missing_exports.insert(c.missing_export);
    std::string ua;
    {
      SecurityData data(loader_, base::FilePath(L"veyra-module"), &TestAdapter);
      data.Update("user-1");
      ua = data.GetFields()["veyradata"];
    }
    ASSERT_FALSE(module_.calls.empty()) << c.name;
    EXPECT_EQ(module_.calls.front(), "load veyra-module") << c.name;
    module_.calls.erase(module_.calls.begin());
    EXPECT_EQ(module_.calls, c.calls) << c.name;
    bool fetched = std::count(c.calls.begin(), c.calls.end(), "getua") > 0;
    EXPECT_EQ(ua, fetched ? "UAblob" : "UA") << c.name;
  }
}

TEST_F(SecurityDataTest, ModuleAnswersThatCarryNoData) {
  struct Case {
    const char* name;
    int32_t result;
    const char* buffer;
    int32_t length;
    const char* ua_after;  // after a first Update that fetched "blob"
    bool frees;
  };
  const Case cases[] = {
      {"no answer keeps the previous data", 0, "other", 5, "blob", false},
      {"null buffer", 1, nullptr, 0, "", false},
      {"null buffer with a length", 1, nullptr, 9, "", false},
      {"negative length", 1, "other", -3, "", true},
      {"empty buffer", 1, "other", 0, "", true},
  };
  for (const Case& c : cases) {
    module_ = FakeModuleState();
    SecurityData data(loader_, base::FilePath(L"veyra-module"), &TestAdapter);
    data.Update("user-1");
    module_.get_ua_result = c.result;
    module_.ua_buffer = c.buffer;
    module_.ua_length = c.length;
    module_.calls.clear();
    data.Update("user-2");
    EXPECT_EQ(data.GetUaData(), c.ua_after) << c.name;
    EXPECT_EQ(data.GetFields()["veyradata"], std::string("UA") + c.ua_after) << c.name;
    EXPECT_EQ(std::count(module_.calls.begin(), module_.calls.end(), "free buffer"), c.frees ? 1 : 0)
        << c.name;
  }
}

}  // namespace
