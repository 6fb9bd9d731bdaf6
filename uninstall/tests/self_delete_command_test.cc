#include <string>

#include <gtest/gtest.h>

#include "self_delete.h"

namespace {

TEST(SelfDeleteCommandTest, QuotesTheExecutableAfterTheInterpreter) {
  EXPECT_EQ(SelfDeleteCommand(L"C:\\Windows\\system32\\cmd.exe", L"C:\\Program Files\\App\\uninstall.exe"),
            L"C:\\Windows\\system32\\cmd.exe /c del \"C:\\Program Files\\App\\uninstall.exe\"");
}

TEST(SelfDeleteCommandTest, KeepsAPathLongerThanAnyFixedBuffer) {
  const std::wstring comSpec(700, L'c');
  const std::wstring executable = L"C:\\" + std::wstring(2000, L'd') + L"\\uninstall.exe";

  const std::wstring command = SelfDeleteCommand(comSpec, executable);

  EXPECT_EQ(command.substr(0, comSpec.size()), comSpec);
  EXPECT_EQ(command.substr(command.size() - executable.size() - 1), executable + L"\"");
}

}  // namespace
