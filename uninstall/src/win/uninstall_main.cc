#include <windows.h>

#include <objbase.h>
#include <objidl.h>
#include <gdiplus.h>
#include <shlobj.h>

#include "command_line.h"
#include "common/install_log.h"
#include "debug_privilege.h"
#include "interactive_uninstall.h"
#include "silent_uninstall.h"
#include "toolkit/resource_tables.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
  const SwitchTable switches = ParseCommandLine(commandLine != nullptr ? commandLine : L"");
  InitInstallLog(DefaultInstallLogPath());
  if (!EnableDebugPrivilege()) LogError(L"设置DebugPriviledge失败");

  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  // Started for the toolkit's drawing and left running until the process ends.
  Gdiplus::GdiplusStartupInput gdiplusInput;
  ULONG_PTR gdiplusToken = 0;
  Gdiplus::GdiplusStartup(&gdiplusToken, &gdiplusInput, nullptr);

  LoadStringTable();
  LoadSkinTable();
  LoadStyleTable();

  if (switches.count(L"S") != 0) {
    RunSilentUninstall(RunningProgramSite());
  } else {
    RunInteractiveUninstall();
  }

  SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
  CoUninitialize();
  return 0;
}
