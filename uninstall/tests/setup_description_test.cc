#include "setup_description.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "setup_strategy_process.h"
#include "setup_strategy_reg.h"
#include "setup_strategy_shortcut.h"
#include "setup_variables.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Records every system call as one line of text; the start-menu paths it reports as
// folders or files are given by the test.
class RecordingSystem final : public ISetupSystem {
 public:
  void DeleteRegistryTree(RegistryRoot root, const std::wstring& subkey,
                          const std::wstring& subkeyName) override {
    Record(L"tree " + Root(root) + L" " + subkey + L" " + subkeyName);
  }
  void DeleteRegistryValue(RegistryRoot root, const std::wstring& subkey,
                           const std::wstring& name) override {
    Record(L"value " + Root(root) + L" " + subkey + L" " + name);
  }
  void CreateRegistryKey(RegistryRoot root, const std::wstring& subkey) override {
    Record(L"key " + Root(root) + L" " + subkey);
  }
  void WriteRegistryString(RegistryRoot root, const std::wstring& subkey, const std::wstring& name,
                           const std::wstring& value) override {
    Record(L"sz " + Root(root) + L" " + subkey + L" " + name + L"=" + value);
  }
  void WriteRegistryNumber(RegistryRoot root, const std::wstring& subkey, const std::wstring& name,
                           std::uint32_t value) override {
    Record(L"dword " + Root(root) + L" " + subkey + L" " + name + L"=" + std::to_wstring(value));
  }
  void RunProcess(const std::wstring& path, const std::wstring& param, bool show,
                  std::uint32_t waitMs) override {
    Record(L"run " + path + L"|" + param + L"|" + (show ? L"show" : L"hide") + L"|" +
           std::to_wstring(waitMs));
  }
  std::wstring CommonDesktopFolder() override { return desktop; }
  std::wstring CommonProgramsFolder() override { return programs; }
  void CreateShortcut(const std::wstring& target, const std::wstring& arguments,
                      const std::wstring& linkPath) override {
    Record(L"link " + linkPath + L" -> " + target + L" " + arguments);
  }
  PathKind GetPathKind(const std::wstring& path) override {
    auto found = paths.find(path);
    return found == paths.end() ? PathKind::kMissing : found->second;
  }
  void RemoveFile(const std::wstring& path) override { Record(L"rm " + path); }
  void RemoveFolderTree(const std::wstring& path) override { Record(L"rmtree " + path); }

  std::wstring desktop = L"D:\\Desktop";
  std::wstring programs = L"P:\\Programs\\";
  std::map<std::wstring, PathKind> paths;
  std::vector<std::wstring> calls;

 private:
  static std::wstring Root(RegistryRoot root) { return std::to_wstring(static_cast<int>(root)); }
  void Record(std::wstring call) { calls.push_back(std::move(call)); }
};

class SetupDescriptionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("uninstall_setup_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
               "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(folder_);
    SetupVariables()[L"$INSTDIR"] = L"C:\\App";
  }
  void TearDown() override {
    SetupVariables().clear();
    std::filesystem::remove_all(folder_);
  }

  // Writes setup.xml with `uninstall` as the content of "setup.uninstall" and loads it.
  bool Load(const std::string& uninstall) {
    WriteDescription("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<setup><install/><uninstall>" +
                     uninstall + "</uninstall></setup>");
    return LoadSetupDescription(DescriptionPath(), system_, strategies_);
  }
  void WriteDescription(const std::string& text) {
    std::ofstream(folder_ / "setup.xml", std::ios::binary) << text;
  }
  std::wstring Dir() const { return (folder_ / "").wstring(); }
  std::wstring DescriptionPath() const { return (folder_ / "setup.xml").wstring(); }

  template <typename Strategy>
  const Strategy& StrategyAt(std::size_t index) {
    EXPECT_LT(index, strategies_.size());
    auto* strategy = dynamic_cast<const Strategy*>(strategies_.at(index).get());
    EXPECT_NE(strategy, nullptr) << "strategy " << index << " has another kind";
    return *strategy;
  }

  std::filesystem::path folder_;
  RecordingSystem system_;
  SetupStrategyList strategies_;
};

TEST_F(SetupDescriptionTest, BuildsOneStrategyPerElementInDocumentOrder) {
  ASSERT_TRUE(Load(R"(
      <process><run path="a.exe"/></process>
      <!-- comments and unknown elements under uninstall are skipped -->
      <files><file path="x"/></files>
      <reg><item key="HKEY_USERS"/></reg>
      <desktopicon><icon link="d.lnk"/></desktopicon>
      <startmenu><entry link="s"/></startmenu>
      <process><run path="b.exe"/></process>)"));

  ASSERT_EQ(strategies_.size(), 5u);
  EXPECT_EQ(StrategyAt<CSetupStrategyForProcess>(0).Items().at(0).path, L"a.exe");
  EXPECT_EQ(StrategyAt<CSetupStrategyForReg>(1).Items().at(0).root, RegistryRoot::kUsers);
  EXPECT_EQ(StrategyAt<CSetupStrategyForDesktopIcon>(2).Items().at(0).link, L"d.lnk");
  EXPECT_EQ(StrategyAt<CSetupStrategyForStartMenu>(3).Items().at(0).link, L"s");
  EXPECT_EQ(StrategyAt<CSetupStrategyForProcess>(4).Items().at(0).path, L"b.exe");
}

TEST_F(SetupDescriptionTest, ProcessItemsSubstitutePathAndParamOnly) {
  ASSERT_TRUE(Load(R"(<process>
      <run path="$INSTDIR\bin\tool.exe" param="'$INSTDIR\data dir' /v=$VERSION" wait="  +1500ms"/>
      <run path="'$INSTDIR'" show="0" wait="-5"/>
      <run path="p" show="yes" wait="$INSTDIR"/>
    </process>)"));

  const auto& items = StrategyAt<CSetupStrategyForProcess>(0).Items();
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(items[0].path, L"C:\\App\\bin\\tool.exe");
  EXPECT_EQ(items[0].param, L"\"C:\\App\\data dir\" /v=$VERSION");
  EXPECT_EQ(items[0].waitMs, 1500u);
  EXPECT_FALSE(items[0].show);  // absent: hidden
  EXPECT_EQ(items[1].path, L"\"C:\\App\"");
  EXPECT_FALSE(items[1].show);
  EXPECT_EQ(items[1].waitMs, 0u);  // negative: no wait rather than an endless one
  EXPECT_TRUE(items[2].show);
  EXPECT_EQ(items[2].waitMs, 0u);
}

TEST_F(SetupDescriptionTest, RegistryItemsReadRootTypeAndValue) {
  ASSERT_TRUE(Load(R"(<reg>
      <item key="HKEY_CURRENT_USER" subkey="Software\$INSTDIR" name="Path" type="REG_SZ"
            value="'$INSTDIR' $VERSION 主播"/>
      <item key="HKEY_LOCAL_MACHINE" subkey="S" name="Count" type="REG_DWORD" value=" -7 apples"/>
      <item key="hkey_current_user" subkey="S" subkeyname="Sub" type="REG_BINARY" value="12"/>
      <item key="HKEY_CLASSES_ROOT" type="REG_DWORD" value="none"/>
      <item key="HKEY_CURRENT_CONFIG" type="REG_DWORD" value="99999999999"/>
    </reg>)"));

  const auto& items = StrategyAt<CSetupStrategyForReg>(0).Items();
  ASSERT_EQ(items.size(), 5u);
  EXPECT_EQ(items[0].root, RegistryRoot::kCurrentUser);
  EXPECT_EQ(items[0].subkey, L"Software\\$INSTDIR");  // keys are taken as they stand
  EXPECT_EQ(items[0].name, L"Path");
  EXPECT_EQ(items[0].type, kRegistryString);
  EXPECT_EQ(items[0].stringValue, L"\"C:\\App\" $VERSION 主播");
  EXPECT_EQ(items[1].root, RegistryRoot::kLocalMachine);
  EXPECT_EQ(items[1].type, kRegistryNumber);
  EXPECT_EQ(items[1].numberValue, static_cast<std::uint32_t>(-7));
  EXPECT_EQ(items[2].root, RegistryRoot::kNone);
  EXPECT_EQ(items[2].subkeyName, L"Sub");
  EXPECT_EQ(items[2].type, kRegistryNone);
  EXPECT_EQ(items[2].numberValue, 0u);
  EXPECT_EQ(items[3].root, RegistryRoot::kClassesRoot);
  EXPECT_EQ(items[3].numberValue, 0u);
  EXPECT_EQ(items[4].root, RegistryRoot::kCurrentConfig);
  EXPECT_EQ(items[4].numberValue, 0x7fffffffu);  // held at the 32-bit bound
}

TEST_F(SetupDescriptionTest, ShortcutItemsSubstituteTheTargetOnly) {
  ASSERT_TRUE(Load(R"(<desktopicon>
      <icon file="$INSTDIR\vantle.exe" link="Zenkin主播 $INSTDIR.lnk" cmd="'$INSTDIR' /x"/>
    </desktopicon>)"));

  const auto& item = StrategyAt<CSetupStrategyForDesktopIcon>(0).Items().at(0);
  EXPECT_EQ(item.file, L"C:\\App\\vantle.exe");
  EXPECT_EQ(item.link, L"Zenkin主播 $INSTDIR.lnk");
  EXPECT_EQ(item.cmd, L"'$INSTDIR' /x");
}

struct BrokenCase {
  const char* what;
  const char* uninstall;
};

void PrintTo(const BrokenCase& c, std::ostream* os) { *os << c.what; }

class BrokenDescriptionTest : public SetupDescriptionTest,
                              public ::testing::WithParamInterface<BrokenCase> {};

TEST_P(BrokenDescriptionTest, FailsTheWholeLoad) {
  EXPECT_FALSE(Load(GetParam().uninstall)) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    ReaderErrors, BrokenDescriptionTest,
    ::testing::Values(
        BrokenCase{"item without attributes", R"(<reg><item/></reg>)"},
        BrokenCase{"comment inside a strategy", R"(<process><!-- x --><run path="a"/></process>)"},
        BrokenCase{"attributes on a strategy", R"(<startmenu hidden="1"><e link="a"/></startmenu>)"},
        BrokenCase{"malformed XML", R"(<reg><item key="a"></reg>)"}));

TEST_F(SetupDescriptionTest, MissingFileOrSectionFails) {
  EXPECT_FALSE(LoadSetupDescription(DescriptionPath(), system_, strategies_));
  WriteDescription("<setup><install/></setup>");
  EXPECT_FALSE(LoadSetupDescription(DescriptionPath(), system_, strategies_));
  WriteDescription("<other><uninstall/></other>");
  EXPECT_FALSE(LoadSetupDescription(DescriptionPath(), system_, strategies_));
}

TEST_F(SetupDescriptionTest, RunUninstallsEveryStrategyInDocumentOrder) {
  WriteDescription(R"(<setup><uninstall>
      <process><run path="first.exe" param="1"/><run path="second.exe" show="1" wait="10"/></process>
      <reg><item key="HKEY_CURRENT_USER" subkey="S" name="V"/></reg>
      <process><run path="third.exe"/></process>
    </uninstall></setup>)");

  RunSetupStrategies(Dir(), system_, strategies_);

  EXPECT_THAT(system_.calls, ElementsAre(L"run first.exe|1|hide|0", L"run second.exe||show|10",
                                         L"value 2 S V", L"run third.exe||hide|0"));
}

TEST_F(SetupDescriptionTest, RunDoesNothingWhenALaterElementIsBroken) {
  WriteDescription(R"(<setup><uninstall>
      <process><run path="first.exe"/></process>
      <reg><item/></reg>
    </uninstall></setup>)");

  RunSetupStrategies(Dir(), system_, strategies_);

  EXPECT_EQ(strategies_.size(), 1u);  // built before the error, never run
  EXPECT_THAT(system_.calls, IsEmpty());
}

TEST_F(SetupDescriptionTest, RegistryUninstallDeletesTreeOrValueButNeverTheSubkey) {
  ASSERT_TRUE(Load(R"(<reg>
      <item key="HKEY_CURRENT_USER" subkey="Software\A" subkeyname="Sub" name="Ignored"/>
      <item key="HKEY_CURRENT_USER" subkey="Software\A" name="Value"/>
      <item key="HKEY_CURRENT_USER" subkey="Software\A"/>
    </reg>)"));

  strategies_.at(0)->Uninstall();

  EXPECT_THAT(system_.calls,
              ElementsAre(L"tree 2 Software\\A Sub", L"value 2 Software\\A Value"));
}

TEST_F(SetupDescriptionTest, RegistryInstallWritesByType) {
  ASSERT_TRUE(Load(R"(<reg>
      <item key="HKEY_CURRENT_USER" subkey="S" name="Text" type="REG_SZ" value="'$INSTDIR'"/>
      <item key="HKEY_CURRENT_USER" subkey="S" name="Number" type="REG_DWORD" value="42"/>
      <item key="HKEY_CURRENT_USER" subkey="S\Empty" name="Other" value="x"/>
    </reg>)"));

  strategies_.at(0)->Install();

  EXPECT_THAT(system_.calls, ElementsAre(L"sz 2 S Text=\"C:\\App\"", L"dword 2 S Number=42",
                                         L"key 2 S\\Empty"));
}

TEST_F(SetupDescriptionTest, ShortcutInstallCreatesLinksBelowTheBaseFolder) {
  ASSERT_TRUE(Load(R"(
      <desktopicon><icon file="$INSTDIR\a.exe" link="A.lnk" cmd="/go"/></desktopicon>
      <startmenu><entry file="$INSTDIR\a.exe" link="Vantle\A.lnk"/></startmenu>)"));

  for (const auto& strategy : strategies_) strategy->Install();

  // The desktop folder comes without a trailing backslash and gets one.
  EXPECT_THAT(system_.calls, ElementsAre(L"link D:\\Desktop\\A.lnk -> C:\\App\\a.exe /go",
                                         L"link P:\\Programs\\Vantle\\A.lnk -> C:\\App\\a.exe "));
}

TEST_F(SetupDescriptionTest, StartMenuUninstallRemovesFoldersWithTheirContent) {
  ASSERT_TRUE(Load(R"(
      <desktopicon><icon link="A.lnk"/></desktopicon>
      <startmenu>
        <entry link="Vantle"/>
        <entry link="Single.lnk"/>
        <entry link="Gone.lnk"/>
        <entry link=""/>
      </startmenu>)"));
  system_.paths = {{L"P:\\Programs\\Vantle", PathKind::kFolder},
                   {L"P:\\Programs\\Single.lnk", PathKind::kFile},
                   {L"P:\\Programs\\", PathKind::kFolder}};

  for (const auto& strategy : strategies_) strategy->Uninstall();

  // A missing path and an empty link (the programs folder itself) are left alone.
  EXPECT_THAT(system_.calls, ElementsAre(L"rm D:\\Desktop\\A.lnk", L"rmtree P:\\Programs\\Vantle",
                                         L"rm P:\\Programs\\Single.lnk"));
}

TEST_F(SetupDescriptionTest, ShortcutsDoNothingWithoutABaseFolder) {
  ASSERT_TRUE(Load(R"(
      <desktopicon><icon file="a.exe" link="A.lnk"/></desktopicon>
      <startmenu><entry link="Vantle"/></startmenu>)"));
  system_.desktop.clear();
  system_.programs.clear();
  system_.paths = {{L"\\Vantle", PathKind::kFolder}};

  for (const auto& strategy : strategies_) {
    strategy->Install();
    strategy->Uninstall();
  }

  EXPECT_THAT(system_.calls, IsEmpty());
}

}  // namespace
