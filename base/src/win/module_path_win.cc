#include <windows.h>

#include <vector>

#include "base/path_service.h"

namespace base {

FilePath ModuleDirectoryOf(const void* address) {
  HMODULE module = nullptr;
  if (address && !GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                         GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                                     static_cast<LPCWSTR>(address), &module)) {
    return FilePath();
  }
  // Grow until the whole path fits: long paths are never cut short.
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    DWORD size = GetModuleFileNameW(module, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (size == 0) return FilePath();
    if (size < buffer.size()) return FilePath(std::wstring(buffer.data(), size)).DirName();
    if (buffer.size() >= 32768) return FilePath();
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace base
