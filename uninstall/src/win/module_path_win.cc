#include <windows.h>

#include "module_path.h"

std::wstring GetModulePath() {
  // Grown until the path fits, so that a long install path is not cut short.
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

std::wstring GetModuleDir() {
  const std::wstring path = GetModulePath();
  const std::size_t slash = path.find_last_of(L'\\');
  if (slash == std::wstring::npos) return {};
  return path.substr(0, slash + 1);
}
