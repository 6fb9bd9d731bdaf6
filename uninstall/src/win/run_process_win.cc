#include <windows.h>

#include "run_process.h"

bool RunProcess(const std::wstring& path, const std::wstring& param, bool show, std::uint32_t waitMs,
                std::uint32_t* exitCode) {
  std::wstring commandLine = L"\"" + path + L"\" " + param;
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = show ? SW_SHOWDEFAULT : SW_HIDE;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return false;
  }
  if (waitMs != 0 && WaitForSingleObject(process.hProcess, waitMs) == WAIT_OBJECT_0 && exitCode) {
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    *exitCode = code;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}
