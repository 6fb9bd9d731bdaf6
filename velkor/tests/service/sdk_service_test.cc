#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "base/at_exit.h"
#include "base/file_util.h"
#include "base/logging.h"
#include "base/path_service.h"
#include "base/ui_message_loop.h"
#include "fake_delegate.h"
#include "sdk_config.h"
#include "sdk_delegate_holder.h"
#include "sdk_service.h"
#include "sdk_task_pool_group.h"
#include "temp_dir.h"
#include "zeph_object.h"

namespace {

std::string ReadLog(const base::FilePath& file) {
  logging::FlushLogging();
  std::string text;
  base::ReadFileToString(file, &text);
  return text;
}

// A new object with one reference, made the way the factory makes it.
uauth::ISDKService* NewSdkService() {
  void* out = nullptr;
  zeph::CZephCOMObjectRuntime<CSDKService>::Instance()->CreateInstance(uauth::kSDKServiceInterfaceId,
                                                                        &out);
  return static_cast<uauth::ISDKService*>(out);
}

// Every test starts from fresh process-wide objects (its own at-exit manager)
// and a fresh SDK service, logging into its own folder.
class SdkServiceTest : public ::testing::Test {
 protected:
  SdkServiceTest() { delegate_.data_dir = data_dir_.path(); }
  ~SdkServiceTest() override {
    base::RunUIMessageLoopUntilIdle();
    sdk_->Release();
    logging::ShutdownLogging();
  }

  base::FilePath LogFile() const { return data_dir_.path().Append(L"log.log"); }

  TempDir data_dir_;
  FakeDelegate delegate_;
  base::AtExitManager at_exit_;
  uauth::ISDKService* sdk_ = NewSdkService();
};

TEST_F(SdkServiceTest, InitKeepsTheDelegateLogsToItsDataDirAndOpensTheGate) {
  EXPECT_EQ(sdk_->Init(&delegate_), 0);
  EXPECT_EQ(delegate_.references(), 1);
  EXPECT_EQ(SdkDelegateHolder::Get().delegate(), &delegate_);
  EXPECT_EQ(SdkDelegateHolder::Get().GetAppName(), L"Host App");
  EXPECT_TRUE(CSDKServiceTaskPoolGroup::GetInstance()->IsEnabled());
  ASSERT_NE(base::GetUIMessageLoop(), nullptr);
  EXPECT_TRUE(base::GetUIMessageLoop()->RunsTasksOnCurrentThread());

  EXPECT_EQ(sdk_->Uninit(base::Closure()), 0);
  EXPECT_NE(ReadLog(LogFile()).find("CIMChatMediaService CSDKService::Uninit, 42, "),
            std::string::npos);
}

TEST_F(SdkServiceTest, LogSettingsComeFromTheModuleFolder) {
  base::FilePath module_dir;
  base::PathService::Get(base::DIR_MODULE, &module_dir);
  TempDir settings_dir;
  const std::string settings = "level=2\n";
  file_util::WriteFile(settings_dir.path().Append(L"log.setting"), settings.data(),
                       static_cast<int>(settings.size()));
  base::PathService::Override(base::DIR_MODULE, settings_dir.path());
  sdk_->Init(&delegate_);
  base::PathService::Override(base::DIR_MODULE, module_dir);

  sdk_->Uninit(base::Closure());
  EXPECT_EQ(logging::GetMinLogLevel(), logging::LOG_ERROR);
  EXPECT_EQ(ReadLog(LogFile()).find("CSDKService::Uninit"), std::string::npos)
      << "information lines are below the configured level";
}

TEST_F(SdkServiceTest, NullDelegateLogsToTheCurrentDirectoryAndGivesDefaults) {
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(data_dir_.path().AsPath());
  EXPECT_EQ(sdk_->Init(nullptr), 0);
  sdk_->Uninit(base::Closure());
  std::string log = ReadLog(base::FilePath(L"log.log"));
  logging::ShutdownLogging();
  std::filesystem::current_path(previous);

  EXPECT_NE(log.find("CSDKService::Uninit, 42, "), std::string::npos);
  const SdkDelegateHolder& holder = SdkDelegateHolder::Get();
  EXPECT_EQ(holder.GetAppName(), L"");
  EXPECT_EQ(holder.GetAppVersion(), L"");
  EXPECT_EQ(holder.GetUmid(), L"");
  EXPECT_TRUE(holder.GetDataDir().empty());
  EXPECT_EQ(holder.GetEnvironment(), 2);
  EXPECT_EQ(holder.GetProxy().type, 0);
  EXPECT_FALSE(SdkConfig::Get().GetValue(SdkConfig::kNexaAllot).empty())
      << "environment 2 uses the address service";
}

TEST_F(SdkServiceTest, SecondInitReplacesAndReleasesTheFirstDelegateOnce) {
  FakeDelegate second;
  second.app_name = L"Second";
  second.data_dir = data_dir_.path();
  {
    base::AtExitManager scoped;  // the holder made inside goes with it
      sdk_->Init(&delegate_);
    sdk_->Init(&second);
    EXPECT_EQ(delegate_.releases(), 1);
    EXPECT_EQ(delegate_.references(), 0);
    EXPECT_EQ(second.references(), 1);
    EXPECT_EQ(SdkDelegateHolder::Get().GetAppName(), L"Second");
    sdk_->Init(&second);
    EXPECT_EQ(second.references(), 1) << "the same delegate again is held once";
  }
  EXPECT_EQ(second.references(), 0) << "at-exit processing releases the last delegate";
  EXPECT_EQ(delegate_.releases(), 1);
}

TEST_F(SdkServiceTest, UninitDropsAQueuedUserNotificationAndThenRunsDone) {
  sdk_->Init(&delegate_);
  std::string events;
  CSDKServiceTaskPoolGroup::GetInstance()->PostUserNotify([&] { events += "notify "; });
  sdk_->Uninit([&] { events += "done"; });
  EXPECT_EQ(events, "") << "nothing runs before the UI loop does";
  base::RunUIMessageLoopUntilIdle();
  EXPECT_EQ(events, "done");
  EXPECT_EQ(delegate_.references(), 1) << "Uninit keeps the delegate";
}

TEST_F(SdkServiceTest, UninitWithoutInitStillRunsDone) {
  base::InitUIMessageLoop();
  bool done = false;
  EXPECT_EQ(sdk_->Uninit([&] { done = true; }), 0);
  base::RunUIMessageLoopUntilIdle();
  EXPECT_TRUE(done);
}

TEST_F(SdkServiceTest, NotificationQueuedWhileClosedIsDeliveredAfterANewInit) {
  sdk_->Init(&delegate_);
  sdk_->Uninit(base::Closure());
  bool delivered = false;
  CSDKServiceTaskPoolGroup::GetInstance()->PostUserNotify([&] { delivered = true; });
  sdk_->Init(&delegate_);
  base::RunUIMessageLoopUntilIdle();
  EXPECT_TRUE(delivered);
}

TEST_F(SdkServiceTest, ObjectsShareOneState) {
  uauth::ISDKService* other = NewSdkService();
  sdk_->Init(&delegate_);
  other->Uninit(base::Closure());
  EXPECT_FALSE(CSDKServiceTaskPoolGroup::GetInstance()->IsEnabled());
  EXPECT_EQ(other->Release(), 0);
  EXPECT_EQ(SdkDelegateHolder::Get().delegate(), &delegate_);
}

}  // namespace
