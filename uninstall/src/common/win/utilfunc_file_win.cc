#include <windows.h>

#include "common/folder_entries.h"
#include "common/install_log.h"
#include "common/utilfunc.h"

namespace UtilFunc {

int DeleteFileW(const std::wstring& path) {
  SetFileAttributesW(path.c_str(), 0);
  if (::DeleteFileW(path.c_str())) return 1;

  LogInfo(L"删除文件失败，path:" + path);
  const std::wstring tmp = path + L".tmp";
  if (GetFileAttributesW(tmp.c_str()) != INVALID_FILE_ATTRIBUTES) {
    LogInfo(L"temp file exist, delete it:" + tmp);
    if (!::DeleteFileW(tmp.c_str())) {
      LogInfo(L"删除老的tmp文件失败，path:" + tmp);
      return 0;
    }
  }
  if (!MoveFileW(path.c_str(), tmp.c_str())) {
    LogInfo(L"移动文件失败:" + path + L"到" + tmp);
    return 0;
  }
  LogInfo(L"重启后删除文件，path:" + tmp);
  return MoveFileExW(tmp.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
}

int DeleteFolder(const std::wstring& path, bool removeSelf) {
  std::wstring folder = path;
  if (folder.empty() || folder.back() != L'\\') folder += L'\\';

  const bool walked = ForEachFolderEntry(folder, [&](const std::wstring& name, FolderEntryKind kind) {
    const std::wstring entry = folder + name;
    switch (kind) {
      case FolderEntryKind::kFolder:
        DeleteFolder(entry, removeSelf);
        break;
      case FolderEntryKind::kFolderLink:
        RemoveFolder(entry);
        break;
      case FolderEntryKind::kFile:
        DeleteFileW(entry);
        break;
    }
  });
  int result = walked ? 1 : 0;
  if (removeSelf) {
    result = RemoveFolder(folder) ? 1 : 0;
    if (!result) LogError(L"RemoveDirectory失败,last error:" + std::to_wstring(GetLastError()));
  }
  return result;
}

}  // namespace UtilFunc
