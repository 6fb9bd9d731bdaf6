// A stand-in for the host application, for the forwarder's tests; its modes
// are described in stand_in_protocol.h.
#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>

#include "vantlecmd/tests/stand_in_protocol.h"
#include "vantlecmd/win/module_path.h"

namespace {

using vantlecmd::tests::kHostWindowClass;

std::filesystem::path g_copy_data_log;

void AppendToFile(const std::filesystem::path& file, const void* bytes,
                  std::size_t size) {
  std::ofstream out(file, std::ios::binary | std::ios::app);
  out.write(static_cast<const char*>(bytes), static_cast<std::streamsize>(size));
}

LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wparam,
                                LPARAM lparam) {
  if (message == WM_COPYDATA) {
    const auto* record = reinterpret_cast<const COPYDATASTRUCT*>(lparam);
    const std::uint32_t header[] = {static_cast<std::uint32_t>(record->dwData),
                                    record->cbData};
    std::string entry(reinterpret_cast<const char*>(header), sizeof(header));
    entry.append(static_cast<const char*>(record->lpData), record->cbData);
    // One write per record, finished before the sender is released.
    AppendToFile(g_copy_data_log, entry.data(), entry.size());
    return TRUE;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

bool CreateHostWindow() {
  WNDCLASSW window_class{};
  window_class.lpfnWndProc = HostWindowProc;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.lpszClassName = kHostWindowClass;
  return RegisterClassW(&window_class) &&
         CreateWindowExW(0, kHostWindowClass, nullptr, 0, 0, 0, 0, 0,
                         HWND_MESSAGE, nullptr, window_class.hInstance,
                         nullptr);
}

int Serve() {
  if (!CreateHostWindow()) {
    return 1;
  }
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    DispatchMessageW(&message);
  }
  return 0;
}

int Hang() {
  if (!CreateHostWindow()) {
    return 1;
  }
  // The tests end this process.
  Sleep(INFINITE);
  return 0;
}

int RecordStart() {
  const std::optional<std::wstring> own_path = vantlecmd::GetOwnModulePath();
  if (!own_path) {
    return 1;
  }
  std::wstring current_directory(GetCurrentDirectoryW(0, nullptr), L'\0');
  current_directory.resize(GetCurrentDirectoryW(
      static_cast<DWORD>(current_directory.size()), current_directory.data()));

  std::wstring record = GetCommandLineW();
  record.push_back(L'\0');
  record += current_directory;
  AppendToFile(std::filesystem::path(*own_path).parent_path() /
                   vantlecmd::tests::kStartRecordName,
               record.data(), record.size() * sizeof(wchar_t));
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring_view mode = argc > 1 ? argv[1] : L"";
  if (mode == vantlecmd::tests::kServeSwitch && argc > 2) {
    g_copy_data_log = argv[2];
    return Serve();
  }
  if (mode == vantlecmd::tests::kHangSwitch) {
    return Hang();
  }
  return RecordStart();
}
