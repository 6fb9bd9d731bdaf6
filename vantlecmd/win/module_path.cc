#include "vantlecmd/win/module_path.h"

#include <windows.h>

namespace vantlecmd {
namespace {

// Longest path the system handles, in UTF-16 units, with its terminating NUL.
constexpr DWORD kLongestPath = 32768;

}  // namespace

std::optional<std::wstring> GetOwnModulePath() {
  std::wstring path;
  for (DWORD capacity = MAX_PATH; capacity <= kLongestPath; capacity *= 2) {
    path.resize(capacity);
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), capacity);
    if (length == 0) {
      return std::nullopt;
    }
    // A result that fills the whole buffer has been truncated.
    if (length < capacity) {
      path.resize(length);
      return path;
    }
  }
  return std::nullopt;
}

}  // namespace vantlecmd
