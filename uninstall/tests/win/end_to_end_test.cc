// uninstall.exe /S on a fake installation, and the silent path's time bound.
#include <windows.h>

#include <objbase.h>
#include <shlobj.h>

#include <filesystem>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "common/ansi_text.h"
#include "common/install_log.h"
#include "module_path.h"
#include "setup_description.h"
#include "setup_strategy_process.h"
#include "setup_variables.h"
#include "silent_uninstall.h"
#include "test_folders.h"

namespace {

using ::testing::ContainerEq;
using ::testing::HasSubstr;

const std::wstring kTestKey = L"Software\\VantleKitTest\\E2E-" + std::to_wstring(GetCurrentProcessId());
const std::wstring kLinkName = L"VantleKitTest-" + std::to_wstring(GetCurrentProcessId());

std::wstring FixtureRoot() {
  const wchar_t* root = _wgetenv(L"UNINSTALL_FIXTURE_ROOT");
  return root != nullptr ? std::wstring(root) + L"\\e2e\\" : std::wstring();
}

std::string Utf8(const std::wstring& text) {
  std::string utf8(static_cast<std::size_t>(WideCharToMultiByte(
                       CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr)),
                   '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), utf8.data(),
                      static_cast<int>(utf8.size()), nullptr, nullptr);
  return utf8;
}

std::wstring AnsiToWide(const std::string& text) {
  std::wstring wide(static_cast<std::size_t>(
                        MultiByteToWideChar(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0)),
                    L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), wide.data(),
                      static_cast<int>(wide.size()));
  return wide;
}

// True when `log` has, in this order, info lines carrying these messages.
bool HasInfoLinesInOrder(const std::string& log, const std::vector<std::wstring>& messages) {
  static const std::regex kInfoPrefix(R"(\d\d/\d\d/\d{4} \d\d:\d\d:\d\d\.\d{3} INFO  \[trivial\] )");
  std::istringstream lines(log);
  std::string line;
  std::size_t next = 0;
  while (next < messages.size() && std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::string message = WideToAnsi(messages[next]);
    if (line.size() < message.size() || line.compare(line.size() - message.size(), message.size(), message) != 0) {
      continue;
    }
    const std::string prefix = line.substr(0, line.size() - message.size());
    if (std::regex_match(prefix, kInfoPrefix)) ++next;
  }
  return next == messages.size();
}

bool RegistryValueExists(const std::wstring& name) {
  return RegGetValueW(HKEY_CURRENT_USER, kTestKey.c_str(), name.c_str(), RRF_RT_ANY, nullptr, nullptr,
                      nullptr) == ERROR_SUCCESS;
}

bool RegistryKeyExists(const std::wstring& key) {
  HKEY opened = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
  RegCloseKey(opened);
  return true;
}

std::wstring ShellFolder(int csidl) {
  wchar_t path[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
  return std::wstring(path) + L"\\";
}

// Paths below `folder` relative to it, files and folder links only; links are not entered.
std::set<std::wstring> RemainingEntries(const std::wstring& folder) {
  std::set<std::wstring> entries;
  const std::filesystem::path root(folder);
  std::error_code error;
  for (std::filesystem::recursive_directory_iterator it(root, error), end; it != end; it.increment(error)) {
    const DWORD attributes = GetFileAttributesW(it->path().wstring().c_str());
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
      it.disable_recursion_pending();
      entries.insert(it->path().lexically_relative(root).wstring());
    } else if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
      entries.insert(it->path().lexically_relative(root).wstring());
    }
  }
  return entries;
}

class SilentUninstallEndToEndTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(FixtureRoot().empty()) << "UNINSTALL_FIXTURE_ROOT is not set";
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey.c_str());
  }
  void TearDown() override {
    RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey.c_str());
    DeleteFileW((ShellFolder(CSIDL_COMMON_DESKTOPDIRECTORY) + kLinkName + L".lnk").c_str());
    std::error_code ignored;
    std::filesystem::remove_all(ShellFolder(CSIDL_COMMON_PROGRAMS) + kLinkName, ignored);
    CoUninitialize();
  }

  // The installation's own files; its folder "linked" (a Unix symbolic link to the
  // folder "outside" beside it) comes from the test's set-up step.
  void MakeInstallation() {
    WriteTextFile(install_ + L"a.txt");
    WriteTextFile(install_ + L"sub\\b.txt");
    WriteTextFile(install_ + L"sub\\deeper\\c.txt");
    WriteTextFile(install_ + L"profiles\\user.dat");
    WriteTextFile(install_ + L"readonly.txt");
    SetFileAttributesW((install_ + L"readonly.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    CopyStandIn(install_ + L"bin\\32bit\\vantle.exe");
    CopyStandIn(install_ + L"tools\\recorder.exe");
    CopyStandIn(install_ + L"locked\\holder.exe");
    ASSERT_TRUE(CopyFileW((GetModuleDir() + L"uninstall.exe").c_str(), (install_ + L"uninstall.exe").c_str(), FALSE));
    WriteTextFile(install_ + L"setup.xml", Utf8(LR"(<?xml version="1.0" encoding="UTF-8"?>
<setup>
  <install/>
  <uninstall>
    <reg>
      <item key="HKEY_CURRENT_USER" subkey=")" + kTestKey + LR"(" name="InstallDir" type="REG_SZ" value="$INSTDIR"/>
      <item key="HKEY_CURRENT_USER" subkey=")" + kTestKey + LR"(" name="Count" type="REG_DWORD" value="3"/>
      <item key="HKEY_CURRENT_USER" subkey=")" + kTestKey + LR"(" subkeyname="Nested"/>
    </reg>
    <desktopicon><icon file="$INSTDIR\bin\32bit\vantle.exe" link=")" + kLinkName + LR"(.lnk"/></desktopicon>
    <startmenu>
      <entry file="$INSTDIR\bin\32bit\vantle.exe" link=")" + kLinkName + LR"(\Zenkin主播.lnk" cmd="/start"/>
      <entry link=")" + kLinkName + LR"("/>
    </startmenu>
    <process>
      <run path="$INSTDIR\tools\recorder.exe" param="record '$INSTDIR\..\recorded.txt' 'two words'" wait="120000"/>
    </process>
  </uninstall>
</setup>
)"));
  }

  // What the installer did: the registry entries and the shortcuts, made through the
  // strategies' Install.
  void InstallThroughTheStrategies() {
    HKEY nested = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, (kTestKey + L"\\Nested\\Deeper").c_str(), 0, nullptr, 0,
                              KEY_WRITE, nullptr, &nested, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(nested);
    SetupVariables()[L"$INSTDIR"] = install_.substr(0, install_.size() - 1);
    SetupStrategyList strategies;
    ASSERT_TRUE(LoadSetupDescription(install_ + L"setup.xml", GetSetupSystem(), strategies));
    for (const auto& strategy : strategies) {
      if (dynamic_cast<CSetupStrategyForProcess*>(strategy.get()) == nullptr) strategy->Install();
    }
    ASSERT_TRUE(RegistryValueExists(L"InstallDir"));
    ASSERT_TRUE(RegistryValueExists(L"Count"));
    ASSERT_TRUE(PathExists(ShellFolder(CSIDL_COMMON_DESKTOPDIRECTORY) + kLinkName + L".lnk"));
    ASSERT_TRUE(PathExists(ShellFolder(CSIDL_COMMON_PROGRAMS) + kLinkName + L"\\Zenkin主播.lnk"));
  }

  const std::wstring root_ = FixtureRoot();
  const std::wstring install_ = root_ + L"install\\";
};

TEST_F(SilentUninstallEndToEndTest, RemovesTheInstallationAndThenItself) {
  ASSERT_TRUE(PathExists(root_ + L"outside\\keep.txt")) << "set-up step missing";
  MakeInstallation();
  InstallThroughTheStrategies();
  DeleteFileW((root_ + L"recorded.txt").c_str());
  const std::wstring logPath = AnsiToWide(DefaultInstallLogPath());
  const std::size_t logStart = ReadBinaryFile(logPath).size();

  TestProcess app(install_ + L"bin\\32bit\\vantle.exe", L"sleep");
  TestProcess holder(install_ + L"locked\\holder.exe", L"sleep");
  TestProcess uninstaller(install_ + L"uninstall.exe", L"/S");
  ASSERT_TRUE(uninstaller.EndsWithin(300000));
  DWORD exitCode = 1;
  GetExitCodeProcess(uninstaller.Handle(), &exitCode);
  EXPECT_EQ(exitCode, 0u);

  EXPECT_TRUE(app.EndsWithin(0)) << "the running application was not terminated";

  EXPECT_FALSE(RegistryValueExists(L"InstallDir"));
  EXPECT_FALSE(RegistryValueExists(L"Count"));
  EXPECT_FALSE(RegistryKeyExists(kTestKey + L"\\Nested"));
  EXPECT_TRUE(RegistryKeyExists(kTestKey));
  EXPECT_FALSE(PathExists(ShellFolder(CSIDL_COMMON_DESKTOPDIRECTORY) + kLinkName + L".lnk"));
  EXPECT_FALSE(PathExists(ShellFolder(CSIDL_COMMON_PROGRAMS) + kLinkName));

  const std::wstring instDir = install_.substr(0, install_.size() - 1);
  const std::string recorded = ReadBinaryFile(root_ + L"recorded.txt");
  EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(recorded.data()), recorded.size() / sizeof(wchar_t)),
            L"\"" + instDir + L"\\tools\\recorder.exe\" record \"" + instDir + L"\\..\\recorded.txt\" \"two words\"");

  // Only the uninstaller waits for its self-deletion; the file in use went aside.
  const std::set<std::wstring> expected = {L"linked", L"locked\\holder.exe.tmp", L"uninstall.exe"};
  std::set<std::wstring> remaining = RemainingEntries(install_);
  remaining.insert(L"uninstall.exe");  // whether or not the deletion already ran
  EXPECT_THAT(remaining, ContainerEq(expected));
  EXPECT_TRUE(PathExists(root_ + L"outside\\keep.txt"));
  EXPECT_TRUE(PathExists(root_ + L"outside\\nested\\keep.txt"));

  for (int i = 0; i < 600 && PathExists(install_ + L"uninstall.exe"); ++i) Sleep(100);
  EXPECT_FALSE(PathExists(install_ + L"uninstall.exe")) << "the self-deletion did not run";

  const std::string log = ReadBinaryFile(logPath).substr(logStart);
  EXPECT_TRUE(HasInfoLinesInOrder(log, {L"开始运行卸载策略", L"开始删除文件",
                                        L"重启后删除文件，path:" + install_ + L"locked\\holder.exe.tmp",
                                        L"卸载完成"}))
      << log;
}

// Blocks the first program of the description for ever, like a program that hangs
// while the worker waits for it.
class HangingSystem final : public ISetupSystem {
 public:
  HangingSystem() : never_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
  ~HangingSystem() override { CloseHandle(never_); }

  void DeleteRegistryTree(RegistryRoot, const std::wstring&, const std::wstring&) override {}
  void DeleteRegistryValue(RegistryRoot, const std::wstring&, const std::wstring&) override {}
  void CreateRegistryKey(RegistryRoot, const std::wstring&) override {}
  void WriteRegistryString(RegistryRoot, const std::wstring&, const std::wstring&, const std::wstring&) override {}
  void WriteRegistryNumber(RegistryRoot, const std::wstring&, const std::wstring&, std::uint32_t) override {}
  void RunProcess(const std::wstring&, const std::wstring&, bool, std::uint32_t) override {
    entered = true;
    WaitForSingleObject(never_, INFINITE);
  }
  std::wstring CommonDesktopFolder() override { return {}; }
  std::wstring CommonProgramsFolder() override { return {}; }
  void CreateShortcut(const std::wstring&, const std::wstring&, const std::wstring&) override {}
  PathKind GetPathKind(const std::wstring&) override { return PathKind::kMissing; }
  void RemoveFile(const std::wstring&) override {}
  void RemoveFolderTree(const std::wstring&) override {}

  volatile bool entered = false;

 private:
  HANDLE never_;
};

TEST(SilentUninstallBoundTest, EndsAHangingWorkerAndStillDeletesItself) {
  TestFolder folder(L"uninstall-bound");
  InitInstallLog(WideToAnsi(folder.Path() + L"install.log"));
  WriteTextFile(folder.Path() + L"kept.txt");
  WriteTextFile(folder.Path() + L"setup.xml",
                R"(<setup><uninstall><process><run path="hang.exe" wait="600000"/></process></uninstall></setup>)");
  HangingSystem system;
  bool selfDeleted = false;
  SilentUninstallSite site;
  site.installDir = folder.Path();
  site.selfPath = folder.Path() + L"uninstall.exe";
  site.workerBound = std::chrono::milliseconds(3000);
  site.deleteSelf = [&] { selfDeleted = true; };
  site.system = &system;

  const ULONGLONG start = GetTickCount64();
  RunSilentUninstall(site);
  const ULONGLONG elapsed = GetTickCount64() - start;

  EXPECT_TRUE(system.entered);
  EXPECT_TRUE(selfDeleted);
  EXPECT_GE(elapsed, 2900u);
  EXPECT_LT(elapsed, 60000u);
  EXPECT_TRUE(PathExists(folder.Path() + L"kept.txt")) << "the worker went on after the bound";
  EXPECT_THAT(ReadBinaryFile(folder.Path() + L"install.log"), HasSubstr(WideToAnsi(L"开始运行卸载策略")));
}

}  // namespace
