#include <windows.h>

#include "support/platform.h"

namespace channel_test {
namespace {

// Wine's own conversions between Windows and native paths; absent outside Wine.
using UnixFileName = char* (*)(const wchar_t*);
using DosFileName = wchar_t* (*)(const char*);

template <typename Function>
Function WineFunction(const char* name) {
  return reinterpret_cast<Function>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), name)));
}

std::wstring Quoted(const std::wstring& arg) {
  std::wstring quoted = L"\"";
  for (wchar_t c : arg) {
    if (c == L'"') quoted += L'\\';
    quoted += c;
  }
  return quoted + L"\"";
}

std::wstring Widened(const std::string& text) {
  return std::wstring(text.begin(), text.end());  // paths and options are ASCII here
}

}  // namespace

bool StartProcess(const std::string& program, const std::vector<std::string>& args,
                  StartedProcess& started) {
  const auto toDos = WineFunction<DosFileName>("wine_get_dos_file_name");
  if (toDos == nullptr) return false;
  wchar_t* dosProgram = toDos(program.c_str());
  if (dosProgram == nullptr) return false;
  std::wstring commandLine = Quoted(dosProgram);
  HeapFree(GetProcessHeap(), 0, dosProgram);
  for (const std::string& arg : args) commandLine += L" " + Quoted(Widened(arg));

  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return false;
  }
  // Wine hands out no waitable handle for a native program.
  if (process.hThread) CloseHandle(process.hThread);
  if (process.hProcess) CloseHandle(process.hProcess);
  started.id = 0;
  return true;
}

void ReapProcess(const StartedProcess&) {}

std::string NativePath(const std::filesystem::path& path) {
  const auto toUnix = WineFunction<UnixFileName>("wine_get_unix_file_name");
  if (toUnix == nullptr) return path.string();
  char* unixPath = toUnix(path.wstring().c_str());
  if (unixPath == nullptr) return path.string();
  std::string result = unixPath;
  HeapFree(GetProcessHeap(), 0, unixPath);
  return result;
}

std::chrono::nanoseconds ProcessCpuTime() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  const auto ticks = [](const FILETIME& time) {
    return (static_cast<long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
  };
  return std::chrono::nanoseconds((ticks(kernel) + ticks(user)) * 100);
}

}  // namespace channel_test
