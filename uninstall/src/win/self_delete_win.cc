#include <windows.h>

#include "module_path.h"
#include "self_delete.h"

namespace {

std::wstring CommandInterpreter() {
  const DWORD size = GetEnvironmentVariableW(L"ComSpec", nullptr, 0);
  if (size == 0) return {};
  std::wstring value(size, L'\0');
  const DWORD length = GetEnvironmentVariableW(L"ComSpec", value.data(), size);
  value.resize(length < size ? length : 0);
  return value;
}

}  // namespace

void DeleteSelf() {
  const std::wstring comSpec = CommandInterpreter();
  const std::wstring executable = GetModulePath();
  if (comSpec.empty() || executable.empty()) return;
  std::wstring command = SelfDeleteCommand(comSpec, executable);

  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  PROCESS_INFORMATION process = {};
  if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                     nullptr, &startup, &process)) {
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
}
