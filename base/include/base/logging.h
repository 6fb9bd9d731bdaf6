// Logging: records at or above the minimum level go, asynchronously, to the log
// file set up by InitAsycLoggingHandler. Before that, records are discarded.
//
// "log.setting" holds key=value lines, all optional:
//   level=0          minimum level (0 info, 1 warning, 2 error)
//   max_size_mb=10   size at which the log file rotates
//   max_files=3      rotated files kept beside the current one
#ifndef BASE_LOGGING_H_
#define BASE_LOGGING_H_

#include <sstream>

#include "base/file_path.h"

namespace logging {

using LogSeverity = int;
constexpr LogSeverity LOG_INFO = 0;
constexpr LogSeverity LOG_WARNING = 1;
constexpr LogSeverity LOG_ERROR = 2;

LogSeverity GetMinLogLevel();
void SetMinLogLevel(LogSeverity level);
// True when a record of `severity` would reach a log file: logging is set up and
// the level lets it through. Lets callers skip formatting a record nobody keeps.
bool ShouldCreateLogMessage(LogSeverity severity);

// Reads the settings file (absent: defaults) and (re)opens the log file.
// A second call replaces the first set-up. Returns false when the log file
// cannot be opened; logging is then off.
bool InitAsycLoggingHandler(const base::FilePath& settings_file, const base::FilePath& log_file);
// Waits (bounded) until every record logged so far is in the file.
void FlushLogging();
// Flushes and closes the log file; later records are discarded.
void ShutdownLogging();

// One record; written when the object is destroyed.
class LogMessage {
 public:
  LogMessage(const char* file, int line, LogSeverity severity);
  ~LogMessage();
  LogMessage(const LogMessage&) = delete;
  LogMessage& operator=(const LogMessage&) = delete;

  std::ostream& stream() { return stream_; }

 private:
  const char* file_;
  int line_;
  LogSeverity severity_;
  std::ostringstream stream_;
};

}  // namespace logging

#endif  // BASE_LOGGING_H_
