#include "log_shell.h"

#include <cstdarg>

namespace {

logging::LogSeverity RecordSeverity(int severity) {
  switch (severity) {
    case logging::LOG_ERROR:
      return logging::LOG_ERROR;
    case logging::LOG_WARNING:
      return logging::LOG_WARNING;
    default:
      return logging::LOG_INFO;
  }
}

}  // namespace

bool LogShellEnabled(int severity) {
  return logging::ShouldCreateLogMessage(RecordSeverity(severity));
}

void LogShell(const char* tag, int severity, const wchar_t* format, ...) {
  logging::LogSeverity record_severity = RecordSeverity(severity);
  if (!logging::ShouldCreateLogMessage(record_severity)) return;
  va_list args;
  va_start(args, format);
  std::wstring text = base::StringPrintV(format, args);
  va_end(args);
  logging::LogMessage(__FILE__, __LINE__, record_severity).stream()
      << tag << ' ' << base::SysWideToUTF8(text);
}
