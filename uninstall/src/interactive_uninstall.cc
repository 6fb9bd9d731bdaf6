#include "interactive_uninstall.h"

#include "app_running_prompt.h"
#include "module_path.h"
#include "self_delete.h"
#include "uninstall.h"
#include "uninstall_main_dlg.h"

void RunInteractiveUninstall() {
  if (PromptWhileAppRunning(GetModuleDir() + kAppRelativePath)) return;
  CUnInstallMainDlg dialog;
  // Cancelled, closed before the uninstall, or no window (0): the program stays.
  if (dialog.DoModal() == kResultFinished) DeleteSelf();
}
