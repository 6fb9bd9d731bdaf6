#include <winsock2.h>
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

// Two connected loopback sockets, only the second inheritable. A pipe would not do: Wine hands
// a native program no pipe as its standard input, but it does hand it a socket.
bool ConnectedPair(SOCKET& ours, SOCKET& theirs) {
  static const bool started = [] {
    WSADATA data;
    return WSAStartup(MAKEWORD(2, 2), &data) == 0;
  }();
  if (!started) return false;
  SOCKET listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (listener == INVALID_SOCKET) return false;
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  int length = sizeof(address);
  ours = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  const bool connected =
      ours != INVALID_SOCKET &&
      bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0 &&
      listen(listener, 1) == 0 &&
      getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length) == 0 &&
      connect(ours, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0 &&
      SetHandleInformation(reinterpret_cast<HANDLE>(ours), HANDLE_FLAG_INHERIT, 0) &&
      (theirs = accept(listener, nullptr, nullptr)) != INVALID_SOCKET &&
      SetHandleInformation(reinterpret_cast<HANDLE>(theirs), HANDLE_FLAG_INHERIT,
                           HANDLE_FLAG_INHERIT);
  closesocket(listener);
  if (!connected) {
    if (ours != INVALID_SOCKET) closesocket(ours);
    if (theirs != INVALID_SOCKET) closesocket(theirs);
  }
  return connected;
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

  SOCKET ours = INVALID_SOCKET;
  SOCKET theirs = INVALID_SOCKET;
  if (!ConnectedPair(ours, theirs)) return false;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = reinterpret_cast<HANDLE>(theirs);
  startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION process{};
  const bool created = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0,
                                      nullptr, nullptr, &startup, &process);
  closesocket(theirs);
  if (!created) {
    closesocket(ours);
    return false;
  }
  // Wine hands out no waitable handle for a native program.
  if (process.hThread) CloseHandle(process.hThread);
  if (process.hProcess) CloseHandle(process.hProcess);
  started.id = 0;
  started.input = static_cast<std::intptr_t>(ours);
  return true;
}

void ReapProcess(StartedProcess& started) {
  if (started.input != -1) closesocket(static_cast<SOCKET>(started.input));
  started.input = -1;
}

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
