#include <windows.h>

#include <psapi.h>

#include <functional>

#include "common/install_log.h"
#include "common/utilfunc.h"

namespace {

constexpr DWORD kMaxProcesses = 1024;
constexpr DWORD kImagePathLength = 1024;
constexpr DWORD kTerminateWaitMs = 5000;

struct ProcessVisit {
  // Rights beyond reading the image path.
  DWORD extraAccess = 0;
  // Called with an opened process whose image is the path; true stops the walk.
  std::function<bool(HANDLE process)> onMatch;
  std::function<void(DWORD error)> onOpenFailure = [](DWORD) {};
};

// Opens each process with only the rights the visit needs: a process that may not
// be opened with all access is still seen, so the application cannot run unnoticed.
// False when the processes cannot be enumerated.
bool VisitProcessesOf(const std::wstring& path, const ProcessVisit& visit) {
  DWORD ids[kMaxProcesses];
  DWORD bytes = 0;
  if (!EnumProcesses(ids, sizeof(ids), &bytes)) return false;
  const DWORD count = bytes / sizeof(DWORD);
  for (DWORD i = 0; i < count; ++i) {
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | visit.extraAccess, FALSE, ids[i]);
    if (process == nullptr) {
      visit.onOpenFailure(GetLastError());
      continue;
    }
    wchar_t image[kImagePathLength] = {};
    DWORD length = kImagePathLength;
    const bool matches = QueryFullProcessImageNameW(process, 0, image, &length) && length > 0 &&
                         _wcsicmp(image, path.c_str()) == 0;
    const bool stop = matches && visit.onMatch(process);
    CloseHandle(process);
    if (stop) break;
  }
  return true;
}

}  // namespace

namespace UtilFunc {

int IsPathFileRunning(const std::wstring& path) {
  if (path.empty()) return 0;
  bool running = false;
  ProcessVisit visit;
  visit.onMatch = [&](HANDLE) { return running = true; };
  visit.onOpenFailure = [](DWORD error) {
    LogError(L"OpenProcess fail, last error:" + std::to_wstring(error));
  };
  if (!VisitProcessesOf(path, visit)) {
    LogError(L"EnumProcesses fail, last error:" + std::to_wstring(GetLastError()));
    return 0;
  }
  return running ? 1 : 0;
}

}  // namespace UtilFunc

void KillPathProcess(const std::wstring& path) {
  if (path.empty()) return;
  ProcessVisit visit;
  visit.extraAccess = PROCESS_TERMINATE | SYNCHRONIZE;
  visit.onMatch = [](HANDLE process) {
    if (TerminateProcess(process, 0)) WaitForSingleObject(process, kTerminateWaitMs);
    return false;
  };
  VisitProcessesOf(path, visit);
}
