#pragma once

#include <functional>
#include <string>

enum class FolderEntryKind { kFile, kFolder, kFolderLink };

using FolderEntryVisitor = std::function<void(const std::wstring& name, FolderEntryKind kind)>;

// Visits every entry of `folder` (which ends with a backslash) except "." and "..".
// A folder that is a reparse point is a kFolderLink: walks must not enter it, since
// it may lead outside the tree being deleted. False when the folder cannot be read.
bool ForEachFolderEntry(const std::wstring& folder, const FolderEntryVisitor& visit);

// Removes an empty folder, or a folder link itself (never what it points to).
bool RemoveFolder(const std::wstring& path);
