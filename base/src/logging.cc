#include "base/logging.h"

#include <spdlog/async.h>
#include <spdlog/async_logger.h>
#include <spdlog/sinks/rotating_file_sink.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <sstream>

#include "base/at_exit.h"
#include "base/file_util.h"
#include "base/strings.h"

namespace logging {
namespace {

struct Settings {
  int level = LOG_INFO;
  int max_size_mb = 10;
  int max_files = 3;
};

Settings ReadSettings(const base::FilePath& file) {
  Settings settings;
  std::string text;
  if (!base::ReadFileToString(file, &text)) return settings;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    size_t equals = line.find('=');
    if (equals == std::string::npos) continue;
    std::string key = line.substr(0, equals);
    int value = 0;
    std::string value_text = line.substr(equals + 1);
    if (!value_text.empty() && value_text.back() == '\r') value_text.pop_back();
    if (!base::StringToInt(value_text, &value)) continue;
    if (key == "level") settings.level = value;
    if (key == "max_size_mb" && value > 0) settings.max_size_mb = value;
    if (key == "max_files" && value >= 0) settings.max_files = value;
  }
  return settings;
}

// Tells FlushLogging when every record handed to the logger is in the file. A
// count of completed flushes would not do: an error record flushes on its own,
// and that flush may complete before the records logged after it are written.
class FlushCountingSink : public spdlog::sinks::sink {
 public:
  explicit FlushCountingSink(std::shared_ptr<spdlog::sinks::sink> inner) : inner_(std::move(inner)) {}

  void log(const spdlog::details::log_msg& message) override {
    inner_->log(message);
    std::lock_guard<std::mutex> guard(lock_);
    ++written_;
  }
  void flush() override {
    inner_->flush();
    {
      std::lock_guard<std::mutex> guard(lock_);
      flushed_through_ = written_;
    }
    flushed_.notify_all();
  }
  void set_pattern(const std::string& pattern) override { inner_->set_pattern(pattern); }
  void set_formatter(std::unique_ptr<spdlog::formatter> formatter) override {
    inner_->set_formatter(std::move(formatter));
  }

  // Called after each record has been handed to the logger.
  void CountSubmitted() { submitted_.fetch_add(1, std::memory_order_relaxed); }
  uint64_t submitted() const { return submitted_.load(std::memory_order_relaxed); }
  // Waits (bounded) until a flush has covered the first `count` records.
  void WaitUntilFlushed(uint64_t count) {
    std::unique_lock<std::mutex> guard(lock_);
    flushed_.wait_for(guard, std::chrono::seconds(5), [&] { return flushed_through_ >= count; });
  }

 private:
  std::shared_ptr<spdlog::sinks::sink> inner_;
  std::atomic<uint64_t> submitted_{0};
  std::mutex lock_;
  std::condition_variable flushed_;
  uint64_t written_ = 0;          // Guarded by lock_
  uint64_t flushed_through_ = 0;  // Guarded by lock_
};

struct Logger {
  std::shared_ptr<spdlog::async_logger> logger;
  std::shared_ptr<FlushCountingSink> sink;
};

std::atomic<int> g_min_level{LOG_INFO};
std::atomic<bool> g_file_open{false};  // mirrors g_logger.logger != nullptr
std::mutex g_lock;
// The logger and its worker pool are never destroyed by static destructors: a
// pool still alive at exit would join its worker there, which on Windows runs
// under the loader lock and never returns. ShutdownLogging ends them properly.
Logger& g_logger = *new Logger;  // Guarded by g_lock
std::shared_ptr<spdlog::details::thread_pool>& g_pool =
    *new std::shared_ptr<spdlog::details::thread_pool>;  // Guarded by g_lock
bool g_shutdown_registered = false;              // Guarded by g_lock

spdlog::level::level_enum ToSpdlogLevel(LogSeverity severity) {
  switch (severity) {
    case LOG_INFO:
      return spdlog::level::info;
    case LOG_WARNING:
      return spdlog::level::warn;
    default:
      return spdlog::level::err;
  }
}

Logger CurrentLogger() {
  std::lock_guard<std::mutex> guard(g_lock);
  return g_logger;
}

void ShutdownAtExit(void*) { ShutdownLogging(); }

// spdlog takes wide file names where the platform's are wide.
template <typename FileName = spdlog::filename_t>
FileName LogFileName(const base::FilePath& path) {
  if constexpr (std::is_same_v<FileName, std::wstring>) {
    return path.value();
  } else {
    return path.AsUTF8Unsafe();
  }
}

}  // namespace

LogSeverity GetMinLogLevel() { return g_min_level.load(std::memory_order_relaxed); }
void SetMinLogLevel(LogSeverity level) { g_min_level.store(level, std::memory_order_relaxed); }

bool ShouldCreateLogMessage(LogSeverity severity) {
  return severity >= GetMinLogLevel() && g_file_open.load(std::memory_order_relaxed);
}

bool InitAsycLoggingHandler(const base::FilePath& settings_file, const base::FilePath& log_file) {
  Settings settings = ReadSettings(settings_file);
  SetMinLogLevel(settings.level);
  ShutdownLogging();
  try {
    std::lock_guard<std::mutex> guard(g_lock);
    if (!g_pool) g_pool = std::make_shared<spdlog::details::thread_pool>(8192, 1);
    auto file_sink = std::make_shared<spdlog::sinks::rotating_file_sink_mt>(
        LogFileName(log_file),
        static_cast<size_t>(settings.max_size_mb) * 1024 * 1024, static_cast<size_t>(settings.max_files));
    auto sink = std::make_shared<FlushCountingSink>(file_sink);
    // Block rather than drop: a record that was logged reaches the file.
    auto logger = std::make_shared<spdlog::async_logger>("base", sink, g_pool,
                                                         spdlog::async_overflow_policy::block);
    logger->set_pattern("[%Y-%m-%d %H:%M:%S.%e] [%L] [%t] [%s:%#] %v");
    logger->set_level(spdlog::level::trace);
    logger->flush_on(spdlog::level::err);
    g_logger = {logger, sink};
    g_file_open.store(true, std::memory_order_relaxed);
    if (!g_shutdown_registered) {
      g_shutdown_registered = base::AtExitManager::RegisterCallback(&ShutdownAtExit, nullptr);
    }
    return true;
  } catch (const spdlog::spdlog_ex&) {
    return false;
  }
}

void FlushLogging() {
  Logger current = CurrentLogger();
  if (!current.logger) return;
  uint64_t submitted = current.sink->submitted();
  current.logger->flush();
  current.sink->WaitUntilFlushed(submitted);
}

void ShutdownLogging() {
  FlushLogging();
  std::shared_ptr<spdlog::details::thread_pool> pool;
  {
    std::lock_guard<std::mutex> guard(g_lock);
    g_logger = {};
    g_file_open.store(false, std::memory_order_relaxed);
    pool = std::move(g_pool);
  }
  pool.reset();  // joins the worker thread
}

LogMessage::LogMessage(const char* file, int line, LogSeverity severity)
    : file_(file), line_(line), severity_(severity) {}

LogMessage::~LogMessage() {
  if (!ShouldCreateLogMessage(severity_)) return;
  Logger current = CurrentLogger();
  if (!current.logger) return;
  current.logger->log(spdlog::source_loc{file_, line_, ""}, ToSpdlogLevel(severity_),
                      stream_.str());
  current.sink->CountSubmitted();
}

}  // namespace logging
