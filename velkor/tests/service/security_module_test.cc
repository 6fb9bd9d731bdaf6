// SecurityData with the stand-in security module: the real module from the
// library's folder, and its failing variants copied under the real name into a
// folder of their own. The stand-in aborts on misuse (a stop without a start,
// giving back a buffer it did not hand out), so a passing run also shows that
// the library keeps the module's contract.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "base/native_library.h"
#include "base/path_service.h"
#include "security_data.h"
#include "temp_dir.h"

namespace {

class SecurityModuleTest : public ::testing::Test {
 protected:
  SecurityModuleTest() { base::PathService::Get(base::DIR_MODULE, &module_dir_); }
  ~SecurityModuleTest() override { base::PathService::Override(base::DIR_MODULE, module_dir_); }

  // Makes `folder` the module folder, holding `variant` (or nothing) as the module.
  static void UseModuleFolder(const TempDir& folder, const wchar_t* variant) {
    if (variant) {
      base::FilePath exe_dir;
      base::PathService::Get(base::DIR_EXE, &exe_dir);
      std::filesystem::copy_file(
          exe_dir.Append(base::GetNativeLibraryName(variant)).AsPath(),
          folder.path().Append(SecurityModuleFileName()).AsPath());
    }
    base::PathService::Override(base::DIR_MODULE, folder.path());
  }

  base::FilePath module_dir_;
};

TEST_F(SecurityModuleTest, StandInModuleBesideTheLibraryGivesItsData) {
  SecurityData data;
  data.Update("user-1");
  EXPECT_EQ(data.GetFields()["veyradata"], "UAstand-in-ua-1");
  data.Update("user-1");
  EXPECT_EQ(data.GetUaData(), "stand-in-ua-1") << "the same input asks the module once";
  data.Update("user-2");
  EXPECT_EQ(data.GetUaData(), "stand-in-ua-2");
}

TEST_F(SecurityModuleTest, MissingOrFailingModuleLeavesOnlyThePrefix) {
  const wchar_t* variants[] = {nullptr, L"veyra_start_fails", L"veyra_null_ua"};
  for (const wchar_t* variant : variants) {
    TempDir folder;
    UseModuleFolder(folder, variant);
    {
      SecurityData data;
      data.Update("user-1");
      EXPECT_EQ(data.GetFields()["veyradata"], "UA") << (variant ? "variant" : "absent");
      EXPECT_EQ(data.GetMachineId().size(), 34u);
      EXPECT_EQ(data.GetAdapterDigest().size(), 32u);
    }
  }
}

}  // namespace
