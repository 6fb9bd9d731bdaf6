// UtilFunc, the running check and the install log, in this process under Wine.
#include <windows.h>

#include <cwctype>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app_running_prompt.h"
#include "common/ansi_text.h"
#include "common/install_log.h"
#include "common/utilfunc.h"
#include "test_folders.h"
#include "toolkit/resource_tables.h"

namespace {

std::wstring LogPath() {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  return std::wstring(temp) + L"uninstall-utilfunc-" + std::to_wstring(GetCurrentProcessId()) + L".log";
}

class UtilFuncTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitInstallLog(WideToAnsi(LogPath())); }
  static void TearDownTestSuite() { DeleteFileW(LogPath().c_str()); }

  // True when the install log holds `message` (as written, in the ANSI code page).
  static bool Logged(const std::wstring& message) {
    return ReadBinaryFile(LogPath()).find(WideToAnsi(message)) != std::string::npos;
  }

  // The pending deletions at restart hold the NT form of `path`.
  // The list grows with every run in a prefix that never restarts, so it is read whole.
  static bool ScheduledForRestart(const std::wstring& path) {
    const wchar_t* key = L"SYSTEM\\CurrentControlSet\\Control\\Session Manager";
    const wchar_t* value = L"PendingFileRenameOperations";
    DWORD bytes = 0;
    if (RegGetValueW(HKEY_LOCAL_MACHINE, key, value, RRF_RT_REG_MULTI_SZ, nullptr, nullptr, &bytes) !=
        ERROR_SUCCESS) {
      return false;
    }
    std::vector<wchar_t> names(bytes / sizeof(wchar_t) + 2, L'\0');  // room for the closing NULs
    bytes = static_cast<DWORD>(names.size() * sizeof(wchar_t));
    if (RegGetValueW(HKEY_LOCAL_MACHINE, key, value, RRF_RT_REG_MULTI_SZ, nullptr, names.data(), &bytes) !=
        ERROR_SUCCESS) {
      return false;
    }
    // Pairs of source and target, each ended by a NUL; a deletion's target is empty, so
    // an empty string does not end the list.
    const wchar_t* const end = names.data() + bytes / sizeof(wchar_t);
    for (const wchar_t* source = names.data(); source < end && *source != L'\0';) {
      if (_wcsicmp(source, (L"\\??\\" + path).c_str()) == 0) return true;
      const wchar_t* const target = source + wcslen(source) + 1;
      if (target >= end) break;
      source = target + wcslen(target) + 1;
    }
    return false;
  }

  TestFolder folder_{L"uninstall-utilfunc"};
};

TEST_F(UtilFuncTest, DeleteFileRemovesAReadOnlyFile) {
  const std::wstring file = folder_.Path() + L"readonly.txt";
  WriteTextFile(file);
  ASSERT_TRUE(SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY));

  EXPECT_NE(UtilFunc::DeleteFileW(file), 0);
  EXPECT_FALSE(PathExists(file));
}

TEST_F(UtilFuncTest, DeleteFileMovesAFileInUseAsideAndSchedulesItForRestart) {
  const std::wstring file = folder_.Path() + L"busy.exe";
  CopyStandIn(file);
  WriteTextFile(file + L".tmp", "stale");  // an old leftover, not in use
  TestProcess running(file, L"sleep");

  EXPECT_NE(UtilFunc::DeleteFileW(file), 0);

  EXPECT_FALSE(PathExists(file));
  EXPECT_TRUE(PathExists(file + L".tmp"));
  EXPECT_TRUE(ScheduledForRestart(file + L".tmp"));
  EXPECT_TRUE(Logged(L"删除文件失败，path:" + file));
  EXPECT_TRUE(Logged(L"temp file exist, delete it:" + file + L".tmp"));
  EXPECT_TRUE(Logged(L"重启后删除文件，path:" + file + L".tmp"));
}

TEST_F(UtilFuncTest, DeleteFileGivesUpWhenTheOldTmpIsInUseToo) {
  const std::wstring file = folder_.Path() + L"both.exe";
  CopyStandIn(file);
  CopyStandIn(file + L".tmp");
  TestProcess running(file, L"sleep");
  TestProcess runningTmp(file + L".tmp", L"sleep");

  EXPECT_EQ(UtilFunc::DeleteFileW(file), 0);

  EXPECT_TRUE(PathExists(file));
  EXPECT_TRUE(PathExists(file + L".tmp"));
  EXPECT_TRUE(Logged(L"删除老的tmp文件失败，path:" + file + L".tmp"));
}

TEST_F(UtilFuncTest, DeleteFolderEmptiesTheTreeAndRemovesFoldersOnlyWhenAsked) {
  for (bool removeSelf : {false, true}) {
    const std::wstring root = folder_.Path() + (removeSelf ? L"removed" : L"kept");
    const std::vector<std::wstring> folders = {root, root + L"\\a", root + L"\\a\\b", root + L"\\empty"};
    WriteTextFile(root + L"\\top.txt");
    WriteTextFile(root + L"\\a\\one.txt");
    WriteTextFile(root + L"\\a\\b\\two.txt");
    CreateDirectoryW((root + L"\\empty").c_str(), nullptr);
    SetFileAttributesW((root + L"\\a\\one.txt").c_str(), FILE_ATTRIBUTE_READONLY);

    EXPECT_EQ(UtilFunc::DeleteFolder(root, removeSelf), 1) << removeSelf;

    for (const auto* file : {L"\\top.txt", L"\\a\\one.txt", L"\\a\\b\\two.txt"}) {
      EXPECT_FALSE(PathExists(root + file)) << removeSelf;
    }
    for (const auto& kept : folders) EXPECT_EQ(PathExists(kept), !removeSelf) << removeSelf;
  }
  EXPECT_EQ(UtilFunc::DeleteFolder(folder_.Path() + L"missing", false), 0);
  EXPECT_EQ(UtilFunc::DeleteFolder(folder_.Path() + L"missing", true), 0);
  EXPECT_TRUE(Logged(L"RemoveDirectory失败,last error:"));
}

TEST_F(UtilFuncTest, DeleteFolderNeverEntersAFolderLink) {
  // Made by the test's set-up step: tree\outside is a Unix symbolic link to outside\.
  const wchar_t* fixture = _wgetenv(L"UNINSTALL_LINK_FIXTURE");
  ASSERT_NE(fixture, nullptr);
  const std::wstring root = fixture;
  const std::wstring link = root + L"\\tree\\outside";
  ASSERT_NE(GetFileAttributesW(link.c_str()) & FILE_ATTRIBUTE_REPARSE_POINT, 0u)
      << "the link is not a reparse point";
  WriteTextFile(root + L"\\tree\\own.txt");

  UtilFunc::DeleteFolder(root + L"\\tree", true);

  EXPECT_FALSE(PathExists(root + L"\\tree\\own.txt"));
  EXPECT_TRUE(PathExists(root + L"\\outside\\keep.txt"));
  EXPECT_TRUE(PathExists(root + L"\\outside\\nested\\keep.txt"));
}

TEST_F(UtilFuncTest, RunningCheckFindsTheProcessIgnoringCaseAndKillEndsIt) {
  const std::wstring app = folder_.Path() + L"bin\\App.exe";
  CopyStandIn(app);
  TestProcess running(app, L"sleep");
  std::wstring upper = app;
  for (auto& ch : upper) ch = static_cast<wchar_t>(std::towupper(static_cast<std::wint_t>(ch)));

  EXPECT_EQ(UtilFunc::IsPathFileRunning(app), 1);
  EXPECT_EQ(UtilFunc::IsPathFileRunning(upper), 1);
  EXPECT_EQ(UtilFunc::IsPathFileRunning(folder_.Path() + L"bin\\Other.exe"), 0);
  EXPECT_EQ(UtilFunc::IsPathFileRunning(L""), 0);

  KillPathProcess(upper);

  EXPECT_TRUE(running.EndsWithin(0));
  EXPECT_EQ(UtilFunc::IsPathFileRunning(app), 0);
}

TEST_F(UtilFuncTest, RunningCheckSeesAProcessThatMayOnlyBeQueriedAndTerminated) {
  const std::wstring app = folder_.Path() + L"guarded.exe";
  CopyStandIn(app);
  TestProcess running(app, L"guarded");
  // Until the stand-in has narrowed its rights, it is not yet the case under test.
  bool narrowed = false;
  for (int i = 0; i < 100 && !narrowed; ++i) {
    HANDLE all = OpenProcess(PROCESS_ALL_ACCESS, FALSE, GetProcessId(running.Handle()));
    narrowed = all == nullptr;
    if (all != nullptr) CloseHandle(all);
    if (!narrowed) Sleep(100);
  }
  if (!narrowed) GTEST_SKIP() << "this system grants all access to the guarded process anyway";

  EXPECT_EQ(UtilFunc::IsPathFileRunning(app), 1);
  KillPathProcess(app);
  EXPECT_TRUE(running.EndsWithin(0));
}

TEST_F(UtilFuncTest, PromptRepeatsWhileTheUserRetriesAndTheAppRuns) {
  LoadStringTable([](int, const char*) -> std::optional<std::string> {
    return R"(<strings><string id="alreadyrunnotify">Running!\n\nClose it.</string>)"
           R"(<string id="msgboxtitle">Uninstall</string></strings>)";
  });
  const std::wstring app = folder_.Path() + L"bin\\32bit\\vantle.exe";
  CopyStandIn(app);

  {
    TestProcess running(app, L"sleep");
    int asked = 0;
    EXPECT_FALSE(PromptWhileAppRunning(app, [&](const std::wstring& text, const std::wstring& caption) {
      EXPECT_EQ(text, L"Running!\n\nClose it.");
      EXPECT_EQ(caption, L"Uninstall");
      if (++asked == 3) KillPathProcess(app);  // the user closed it, then chose Retry
      return true;
    }));
    EXPECT_EQ(asked, 3);
  }
  {
    TestProcess running(app, L"sleep");
    int asked = 0;
    EXPECT_TRUE(PromptWhileAppRunning(app, [&](const std::wstring&, const std::wstring&) {
      ++asked;
      return false;  // Cancel
    }));
    EXPECT_EQ(asked, 1);
  }
  EXPECT_FALSE(PromptWhileAppRunning(app, [](const std::wstring&, const std::wstring&) {
    ADD_FAILURE() << "asked although the application does not run";
    return false;
  }));
}

}  // namespace
