#include <gtest/gtest.h>

#include "base/file_util.h"
#include "base/path_service.h"
#include "base/strings.h"
#include "temp_dir.h"

namespace {

const std::wstring kSep(1, std::filesystem::path::preferred_separator);

TEST(FilePathTest, AppendDirNameBaseName) {
  base::FilePath dir(L"data" + kSep + L"common");
  EXPECT_EQ(dir.Append(L"log.log").value(), L"data" + kSep + L"common" + kSep + L"log.log");
  EXPECT_EQ(base::FilePath().Append(L"log.log").value(), L"log.log");
  EXPECT_EQ(base::FilePath(L"data" + kSep).Append(L"x").value(), L"data" + kSep + L"x");
  EXPECT_EQ(dir.DirName().value(), L"data");
  EXPECT_EQ(dir.BaseName().value(), L"common");
  EXPECT_TRUE(base::FilePath(L"plain").DirName().empty());
}

TEST(FileUtilTest, WriteReplacesAndReadReturnsWholeFile) {
  TempDir temp;
  base::FilePath dir = temp.path().Append(L"sub").Append(base::UTF8ToWide("d\xC3\xA9j\xC3\xA0"));
  ASSERT_TRUE(file_util::CreateDirectoryW(dir));
  EXPECT_TRUE(base::DirectoryExists(dir));
  base::FilePath file = dir.Append(L"lastserverinfo");
  std::string binary("a\0b\nc", 5);
  EXPECT_EQ(file_util::WriteFile(file, "long old contents", 17), 17);
  EXPECT_EQ(file_util::WriteFile(file, binary.data(), 5), 5);
  std::string read;
  ASSERT_TRUE(base::ReadFileToString(file, &read));
  EXPECT_EQ(read, binary);
  EXPECT_FALSE(base::ReadFileToString(dir.Append(L"missing"), &read));
  EXPECT_EQ(file_util::WriteFile(dir.Append(L"missing").Append(L"x"), "a", 1), -1);
}

TEST(PathServiceTest, ModuleFolderIsOverridableAndDefaultsToTheBaseModule) {
  base::FilePath module;
  ASSERT_TRUE(base::PathService::Get(base::DIR_MODULE, &module));
  EXPECT_TRUE(base::DirectoryExists(module));
  base::FilePath exe;
  ASSERT_TRUE(base::PathService::Get(base::DIR_EXE, &exe));
  EXPECT_EQ(module, exe) << "base sits beside the test program";
  EXPECT_FALSE(base::PathService::Get(4711, &module));
}

}  // namespace
