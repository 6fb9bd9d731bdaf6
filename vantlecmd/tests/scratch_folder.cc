#include "vantlecmd/tests/scratch_folder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <system_error>

namespace vantlecmd::tests {

CScratchFolder::CScratchFolder() {
  static int created = 0;
  path_ = std::filesystem::temp_directory_path() /
          (L"vantlecmd-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
           std::to_wstring(++created));
  std::filesystem::create_directories(path_);
}

CScratchFolder::~CScratchFolder() {
  std::error_code error;
  std::filesystem::remove_all(path_, error);
  EXPECT_FALSE(error) << error.message();
}

}  // namespace vantlecmd::tests
