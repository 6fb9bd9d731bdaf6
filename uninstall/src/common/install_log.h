#pragma once

#include <string>

// The install log: easylogging++'s logger "trivial", written to a file and to
// standard output, one line per message:
//   10/12/2026 10:04:59.123 INFO  [trivial] 开始删除文件
//   10/12/2026 10:04:59.125 ERROR [trivial] OpenProcess fail, last error:5
// Messages are written in the system's ANSI code page.

// Sends the log to `file` (an ANSI path). Call once at start-up, before any message.
void InitInstallLog(const std::string& file);

// The application-data folder of the user running the uninstaller followed by
// "\vantle\installlog.log"; the "vantle" folder is created when missing.
[[nodiscard]] std::string DefaultInstallLogPath();

void LogInfo(const std::wstring& message);
void LogError(const std::wstring& message);
