#include <gtest/gtest.h>

#include <algorithm>

#include "base/native_library.h"
#include "base/path_service.h"
#include "known_classes.h"
#include "uauth/time_service.h"
#include "zeph/zeph_com.h"

namespace {

using GetFactory = zeph::IZephCOMFactory* (*)();

class ModuleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    base::FilePath dir;
    ASSERT_TRUE(base::PathService::Get(base::DIR_EXE, &dir));
    std::string error;
    library_ = base::LoadNativeLibrary(dir.Append(base::GetNativeLibraryName(L"velkor")), &error);
    ASSERT_NE(library_, nullptr) << error;
    get_factory_ = reinterpret_cast<GetFactory>(
        base::GetFunctionPointerFromNativeLibrary(library_, "GetZephCOMFactory"));
    ASSERT_NE(get_factory_, nullptr);
  }

  base::NativeLibrary library_ = nullptr;
  GetFactory get_factory_ = nullptr;
};

TEST_F(ModuleTest, ExportsOneFactoryPopulatedAtLoad) {
  zeph::IZephCOMFactory* factory = get_factory_();
  ASSERT_NE(factory, nullptr);
  EXPECT_EQ(get_factory_(), factory);
  EXPECT_EQ(factory->GetName(), "velkor");

  std::vector<std::string> ids;
  zeph::IZephCOMEnum* enumerator = factory->CreateEnum();
  while (enumerator->Next()) {
    ids.push_back(enumerator->Current()->GetClassId());
    const KnownClass* known = FindKnownClass(ids.back());
    ASSERT_NE(known, nullptr) << "unexpected class " << ids.back();
    EXPECT_EQ(enumerator->Current()->GetName(), known->name);
  }
  enumerator->Release();
  EXPECT_TRUE(std::is_sorted(ids.begin(), ids.end()));
  EXPECT_NE(std::find(ids.begin(), ids.end(), uauth::kTimeServiceClassId), ids.end());

  void* out = nullptr;
  ASSERT_EQ(factory->CreateInstance(uauth::kTimeServiceClassId, uauth::kTimeServiceInterfaceId, &out), 0);
  auto* time = static_cast<uauth::ITimeService*>(out);
  time->SetServerTime(42);
  EXPECT_GE(time->GetServerTime(false), 42);
  EXPECT_EQ(time->Release(), 0);
}

TEST_F(ModuleTest, LoadingSetsTheModuleFolderAndTheRegistryReachesTheLibrary) {
  base::FilePath module_dir, exe_dir;
  ASSERT_TRUE(base::PathService::Get(base::DIR_MODULE, &module_dir));
  ASSERT_TRUE(base::PathService::Get(base::DIR_EXE, &exe_dir));
  EXPECT_EQ(module_dir, exe_dir);

  zeph::IZephCOM* registry = nullptr;
  base::GetZephCOM(&registry);
  void* first = nullptr;
  void* second = nullptr;
  ASSERT_EQ(registry->CreateInstance(uauth::kTimeServiceClassId, "", uauth::kTimeServiceInterfaceId,
                                     &first, "", ""), 0);
  ASSERT_EQ(registry->CreateInstance(uauth::kTimeServiceClassId, "", uauth::kTimeServiceInterfaceId,
                                     &second, "", ""), 0);
  EXPECT_EQ(first, second) << "one shared instance per class";
  static_cast<uauth::ITimeService*>(first)->Release();
  static_cast<uauth::ITimeService*>(second)->Release();
  registry->Release();
}

}  // namespace
