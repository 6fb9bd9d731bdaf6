#pragma once

#include <string>

// File, folder and process work of the uninstaller. Failures are logged to the
// install log and reported through the results; nothing throws.
namespace UtilFunc {

// 1 when some process runs from exactly this executable path (letter case aside).
[[nodiscard]] int IsPathFileRunning(const std::wstring& path);

// Deletes the file, read-only or not. A file in use is moved to path + ".tmp" and
// that name is scheduled for deletion at the next restart. Non-zero when the file
// is gone from `path` in either way.
int DeleteFileW(const std::wstring& path);

// Deletes every file below `path`, and with removeSelf every folder including
// `path` itself. A folder link (junction or symbolic link) is removed as a link and
// never entered. 1 when the walk could start (and, with removeSelf, `path` was
// removed), else 0.
int DeleteFolder(const std::wstring& path, bool removeSelf);

}  // namespace UtilFunc

// Terminates every process that runs from this executable path and waits briefly
// for each to end, so that its executable can be deleted right after.
void KillPathProcess(const std::wstring& path);
