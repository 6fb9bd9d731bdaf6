// The library's log line convention. Every operation logs on entry with its
// module tag and a line "<qualified name>, <number>, <detail>", where the
// number identifies the call site and the detail may hold printf placeholders:
//
//   LogCall(kLogTagAuth, logging::LOG_INFO, L"CUnifiedAuthService::DoAuth", 77,
//           L"currState = %d.", state);
//
// Never put passwords, tokens or keys into a detail.
#ifndef VELKOR_SOURCE_MODEL_SERVICE_LOG_SHELL_H_
#define VELKOR_SOURCE_MODEL_SERVICE_LOG_SHELL_H_

#include <string>
#include <type_traits>

#include "base/logging.h"
#include "base/strings.h"

inline constexpr char kLogTagSDK[] = "CIMChatMediaService";
inline constexpr char kLogTagAuth[] = "CUnifiedAuthService";
inline constexpr char kLogTagNexa[] = "CNexaServiceImpl";
inline constexpr char kLogTagSSO[] = "CSSOService";

// Formats `format` with the further arguments and writes "<tag> <text>" at
// `severity` (0 information, 1 warning, 2 error; anything else counts as
// information) when the minimum log level lets it through.
void LogShell(const char* tag, int severity, const wchar_t* format, ...);
// True when a line of `severity` would be written at all.
bool LogShellEnabled(int severity);

// The two-stage line of every call site. `qualified_name` and `detail` must be
// literals: the detail becomes part of the format.
template <typename... Args>
void LogCall(const char* tag, int severity, const wchar_t* qualified_name, int number,
             const wchar_t* detail, Args... args) {
  static_assert((std::is_scalar_v<Args> && ...), "printf arguments: numbers and C strings");
  if (!LogShellEnabled(severity)) return;
  std::wstring format = base::StringPrintf(L"%ls, %d, %ls", qualified_name, number, detail);
  LogShell(tag, severity, format.c_str(), args...);
}

#endif  // VELKOR_SOURCE_MODEL_SERVICE_LOG_SHELL_H_
