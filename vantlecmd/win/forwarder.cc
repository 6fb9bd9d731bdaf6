#include "vantlecmd/win/forwarder.h"

#include <windows.h>

#include <cwchar>
#include <optional>
#include <string>

#include "vantlecmd/win/module_path.h"

namespace vantlecmd {
namespace {

constexpr wchar_t kHostWindowClass[] =
    L"Vantle{3235DDCF-26EE-4CB4-AC10-40AD3800F1D9}";
constexpr wchar_t kHostExecutableName[] = L"\\vantle.exe";
constexpr wchar_t kHostSwitch[] = L" --vantle-cmd=";
// The host tells forwarded command texts from other copy-data records by this.
constexpr ULONG_PTR kCommandTextRecord = 1;
constexpr UINT kSendTimeoutMs = 1000;

void SendToRunningHost(HWND host_window, const wchar_t* command_text) {
  COPYDATASTRUCT record{};
  record.dwData = kCommandTextRecord;
  // The terminating NUL travels with the text.
  record.cbData =
      static_cast<DWORD>((std::wcslen(command_text) + 1) * sizeof(wchar_t));
  record.lpData = const_cast<wchar_t*>(command_text);
  // The outcome is deliberately ignored: a hung or busy host loses the text.
  SendMessageTimeoutW(host_window, WM_COPYDATA, 0,
                      reinterpret_cast<LPARAM>(&record),
                      SMTO_ABORTIFHUNG | SMTO_NOTIMEOUTIFNOTHUNG,
                      kSendTimeoutMs, nullptr);
}

void StartHost(const wchar_t* command_text) {
  const std::optional<std::wstring> own_path = GetOwnModulePath();
  if (!own_path) {
    return;
  }
  const std::size_t last_backslash = own_path->rfind(L'\\');
  if (last_backslash == std::wstring::npos) {
    return;
  }
  const std::wstring folder = own_path->substr(0, last_backslash);
  const std::wstring host_path = folder + kHostExecutableName;
  // The host sees its path unquoted, followed by the switch and the text.
  std::wstring command_line = host_path + kHostSwitch + command_text;

  // Naming the executable explicitly keeps the system from resolving the
  // unquoted path at its blanks, which could start another program, such as
  // "C:\Program.exe" for a host under "C:\Program Files".
  STARTUPINFOW startup_info{};
  startup_info.cb = sizeof(startup_info);
  PROCESS_INFORMATION process_info{};
  if (CreateProcessW(host_path.c_str(), command_line.data(), nullptr, nullptr,
                     FALSE, 0, nullptr, folder.c_str(), &startup_info,
                     &process_info)) {
    CloseHandle(process_info.hThread);
    CloseHandle(process_info.hProcess);
  }
}

}  // namespace

void ForwardCommandText(const wchar_t* command_text) {
  // Only message-only windows are searched: a top-level window of the same
  // class is not the host.
  const HWND host_window =
      FindWindowExW(HWND_MESSAGE, nullptr, kHostWindowClass, nullptr);
  if (host_window) {
    SendToRunningHost(host_window, command_text);
  } else {
    StartHost(command_text);
  }
}

}  // namespace vantlecmd
