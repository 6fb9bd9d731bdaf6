#include <gtest/gtest.h>

#include <algorithm>

#include "class_table.h"
#include "known_classes.h"
#include "uauth/time_service.h"
#include "time_service.h"
#include "zeph_factory.h"

namespace {

using zeph::CZephCOMFactory;

class FactoryTest : public ::testing::Test {
 protected:
  FactoryTest() : factory_("velkor", "velkor") { velkor::RegisterClasses(&factory_); }
  CZephCOMFactory factory_;
};

TEST_F(FactoryTest, UnknownOrMisspelledClassIdsAreNotFoundAndLeaveOutAlone) {
  void* sentinel = reinterpret_cast<void*>(0x1234);
  for (const char* clsid : {"{d99f2615-694a-4202-bc20-199cb6e5a3fa}",
                            "D99F2615-694A-4202-BC20-199CB6E5A3FA", "", "{D99F2615}"}) {
    void* out = sentinel;
    EXPECT_EQ(factory_.CreateInstance(clsid, uauth::kTimeServiceInterfaceId, &out),
              zeph::ZEPH_E_CLASS_NOT_FOUND) << clsid;
    EXPECT_EQ(out, sentinel);
  }
  EXPECT_LT(zeph::ZEPH_E_CLASS_NOT_FOUND, 0);
}

TEST_F(FactoryTest, BaseInterfaceIdYieldsTheClassInterfaceWithCountOne) {
  void* out = nullptr;
  ASSERT_EQ(factory_.CreateInstance(uauth::kTimeServiceClassId, zeph::kBaseInterfaceId, &out), 0);
  auto* time = static_cast<uauth::ITimeService*>(out);
  time->SetServerTime(77);
  EXPECT_EQ(time->GetServerTime(false) / 10, 7);
  EXPECT_EQ(time->AddRef(), 2);
  EXPECT_EQ(time->Release(), 1);
  EXPECT_EQ(time->Release(), 0) << "the last release destroys the object";
}

TEST_F(FactoryTest, ForeignInterfaceIdFailsAndLeavesNoObject) {
  void* sentinel = reinterpret_cast<void*>(0x5678);
  void* out = sentinel;
  // The interface id of the SDK service, which the time service does not offer.
  EXPECT_EQ(factory_.CreateInstance(uauth::kTimeServiceClassId,
                                    "{89247078-F152-4D4F-A9EF-CF0C792ED1AE}", &out),
            zeph::ZEPH_E_NO_INTERFACE);
  EXPECT_EQ(out, sentinel);
}

TEST_F(FactoryTest, QueryInterfaceAddsAReferenceToTheSameObject) {
  void* out = nullptr;
  ASSERT_EQ(factory_.CreateInstance(uauth::kTimeServiceClassId, uauth::kTimeServiceInterfaceId, &out), 0);
  auto* time = static_cast<uauth::ITimeService*>(out);
  void* again = nullptr;
  EXPECT_EQ(time->QueryInterface(zeph::kBaseInterfaceId, &again), 0);
  EXPECT_EQ(again, out);
  EXPECT_EQ(time->Release(), 1);
  EXPECT_EQ(time->Release(), 0);
}

TEST_F(FactoryTest, EnumerationWalksASnapshotInClassIdOrder) {
  zeph::IZephCOMEnum* enumerator = factory_.CreateEnum();
  EXPECT_EQ(enumerator->Current(), nullptr) << "before the first Next";
  std::vector<std::string> ids;
  while (enumerator->Next()) {
    ASSERT_NE(enumerator->Current(), nullptr);
    ids.push_back(enumerator->Current()->GetClassId());
    const KnownClass* known = FindKnownClass(ids.back());
    ASSERT_NE(known, nullptr) << ids.back();
    EXPECT_EQ(enumerator->Current()->GetName(), known->name);
    EXPECT_EQ(enumerator->Current()->GetDescription(), known->name);
    EXPECT_TRUE(enumerator->Current()->GetDeclaredList().empty());
  }
  EXPECT_FALSE(ids.empty());
  EXPECT_TRUE(std::is_sorted(ids.begin(), ids.end()));
  EXPECT_FALSE(enumerator->Next());
  EXPECT_EQ(enumerator->Current(), nullptr);

  // Later registrations do not reach an existing snapshot.
  zeph::IZephCOMEnum* before = factory_.CreateEnum();
  factory_.Register("{00000000-0000-0000-0000-000000000000}",
                    zeph::CZephCOMObjectRuntime<CTimeService>::Instance());
  size_t count = 0;
  while (before->Next()) ++count;
  EXPECT_EQ(count, ids.size());
  EXPECT_EQ(before->Release(), 0);
  EXPECT_EQ(enumerator->Release(), 0);
}

// Records what RegisterClasses registers, in order.
class RecordingFactory : public zeph::IZephCOMFactory {
 public:
  std::string GetName() override { return ""; }
  std::string GetDescription() override { return ""; }
  zeph::IZephCOMEnum* CreateEnum() override { return nullptr; }
  int32_t CreateInstance(const std::string&, const std::string&, void**) override {
    return zeph::ZEPH_E_CLASS_NOT_FOUND;
  }
  void Register(const std::string& clsid, zeph::CZephCOMObjectRuntimeBase* runtime) override {
    EXPECT_EQ(runtime->GetClassId(), clsid);
    names.push_back(runtime->GetName());
  }
  std::vector<std::string> names;
};

TEST(ClassTableTest, RegistersInTheFixedOrder) {
  RecordingFactory recording;
  velkor::RegisterClasses(&recording);
  std::vector<std::string> expected;
  for (const KnownClass& known : KnownClassesInRegistrationOrder()) {
    if (std::find(recording.names.begin(), recording.names.end(), known.name) != recording.names.end()) {
      expected.push_back(known.name);
    }
  }
  EXPECT_EQ(recording.names, expected) << "registered classes keep the fixed relative order";
  EXPECT_NE(std::find(recording.names.begin(), recording.names.end(), "IMTimeService"),
            recording.names.end());
}

TEST_F(FactoryTest, RegisterReplacesAnExistingClass) {
  size_t before = 0;
  zeph::IZephCOMEnum* enumerator = factory_.CreateEnum();
  while (enumerator->Next()) ++before;
  enumerator->Release();
  velkor::RegisterClasses(&factory_);
  size_t after = 0;
  enumerator = factory_.CreateEnum();
  while (enumerator->Next()) ++after;
  enumerator->Release();
  EXPECT_EQ(after, before);
  EXPECT_EQ(factory_.GetName(), "velkor");
  EXPECT_EQ(factory_.GetDescription(), "velkor");
}

}  // namespace
