#include "win/setup_system_win.h"

#include <windows.h>

#include <shlobj.h>

#include "common/utilfunc.h"
#include "create_shortcut.h"
#include "run_process.h"

namespace {

std::wstring ShellFolder(int csidl, DWORD flags) {
  wchar_t path[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, flags, path))) return {};
  return path;
}

}  // namespace

ISetupSystem& GetSetupSystem() {
  static CWinSetupSystem system;
  return system;
}

void CWinSetupSystem::RunProcess(const std::wstring& path, const std::wstring& param, bool show,
                                 std::uint32_t waitMs) {
  ::RunProcess(path, param, show, waitMs);
}

std::wstring CWinSetupSystem::CommonDesktopFolder() {
  return ShellFolder(CSIDL_COMMON_DESKTOPDIRECTORY, SHGFP_TYPE_CURRENT);
}

std::wstring CWinSetupSystem::CommonProgramsFolder() {
  return ShellFolder(CSIDL_COMMON_PROGRAMS, SHGFP_TYPE_DEFAULT);
}

void CWinSetupSystem::CreateShortcut(const std::wstring& target, const std::wstring& arguments,
                                     const std::wstring& linkPath) {
  ::CreateShortcut(target, arguments, linkPath);
}

PathKind CWinSetupSystem::GetPathKind(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return PathKind::kMissing;
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? PathKind::kFolder : PathKind::kFile;
}

void CWinSetupSystem::RemoveFile(const std::wstring& path) { ::DeleteFileW(path.c_str()); }

void CWinSetupSystem::RemoveFolderTree(const std::wstring& path) { UtilFunc::DeleteFolder(path, true); }
