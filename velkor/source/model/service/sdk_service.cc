#include "sdk_service.h"

#include "base/logging.h"
#include "base/path_service.h"
#include "base/ui_message_loop.h"
#include "log_shell.h"
#include "sdk_delegate_holder.h"
#include "sdk_task_pool_group.h"

int32_t CSDKService::Init(uauth::ISDKDelegate* delegate) {
  LogCall(kLogTagSDK, logging::LOG_INFO, L"CSDKService::Init", 25, L"");
  base::InitUIMessageLoop();
  SdkDelegateHolder& holder = SdkDelegateHolder::Get();
  holder.Set(delegate);
  // Without a delegate the log file is "log.log" in the current directory.
  base::FilePath settings_dir;
  base::PathService::Get(base::DIR_MODULE, &settings_dir);
  logging::InitAsycLoggingHandler(settings_dir.Append(L"log.setting"),
                                  holder.GetDataDir().Append(L"log.log"));
  CSDKServiceTaskPoolGroup::GetInstance()->SetEnabled(true);
  return 0;
}

int32_t CSDKService::Uninit(base::Closure done) {
  LogCall(kLogTagSDK, logging::LOG_INFO, L"CSDKService::Uninit", 42, L"");
  CSDKServiceTaskPoolGroup* group = CSDKServiceTaskPoolGroup::GetInstance();
  group->SetEnabled(false);
  group->PostGlobalNotify(done);
  return 0;
}
