#include "common/install_log.h"

#include <easylogging++.h>

#include "common/ansi_text.h"

INITIALIZE_EASYLOGGINGPP

namespace {

constexpr const char* kLogger = "trivial";

}  // namespace

void InitInstallLog(const std::string& file) {
  el::Loggers::getLogger(kLogger);  // registers it
  el::Configurations settings;
  settings.setToDefault();
  settings.setGlobally(el::ConfigurationType::Filename, file);
  settings.setGlobally(el::ConfigurationType::ToFile, "true");
  settings.setGlobally(el::ConfigurationType::ToStandardOutput, "true");
  settings.setGlobally(el::ConfigurationType::SubsecondPrecision, "3");
  settings.setGlobally(el::ConfigurationType::PerformanceTracking, "false");
  settings.setGlobally(el::ConfigurationType::MaxLogFileSize, "0");
  // Info carries two spaces after its level so that the brackets line up with "ERROR".
  settings.set(el::Level::Info, el::ConfigurationType::Format,
               "%datetime{%d/%M/%Y %H:%m:%s.%g} %level  [%logger] %msg");
  settings.set(el::Level::Error, el::ConfigurationType::Format,
               "%datetime{%d/%M/%Y %H:%m:%s.%g} %level [%logger] %msg");
  el::Loggers::reconfigureLogger(kLogger, settings);
}

void LogInfo(const std::wstring& message) { CLOG(INFO, kLogger) << WideToAnsi(message); }

void LogError(const std::wstring& message) { CLOG(ERROR, kLogger) << WideToAnsi(message); }
