#include <windows.h>

#include "common/folder_entries.h"

bool ForEachFolderEntry(const std::wstring& folder, const FolderEntryVisitor& visit) {
  WIN32_FIND_DATAW entry;
  HANDLE find = FindFirstFileW((folder + L"*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return false;
  do {
    const std::wstring name = entry.cFileName;
    if (name == L"." || name == L"..") continue;
    const DWORD attributes = entry.dwFileAttributes;
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
      visit(name, FolderEntryKind::kFile);
    } else if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
      visit(name, FolderEntryKind::kFolderLink);
    } else {
      visit(name, FolderEntryKind::kFolder);
    }
  } while (FindNextFileW(find, &entry));
  FindClose(find);
  return true;
}

bool RemoveFolder(const std::wstring& path) { return RemoveDirectoryW(path.c_str()) != FALSE; }
