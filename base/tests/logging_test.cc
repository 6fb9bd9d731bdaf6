#include "base/logging.h"

#include <gtest/gtest.h>

#include "base/file_util.h"
#include "temp_dir.h"

namespace {

std::string ReadAll(const base::FilePath& file) {
  std::string text;
  base::ReadFileToString(file, &text);
  return text;
}

TEST(LoggingTest, RecordsAtOrAboveTheConfiguredLevelReachTheFile) {
  TempDir temp;
  base::FilePath settings = temp.path().Append(L"log.setting");
  const char kSettings[] = "# comment\nlevel=1\r\nmax_files=2\n";
  ASSERT_GT(file_util::WriteFile(settings, kSettings, sizeof(kSettings) - 1), 0);
  base::FilePath log = temp.path().Append(L"data").Append(L"log.log");
  ASSERT_TRUE(logging::InitAsycLoggingHandler(settings, log));
  EXPECT_EQ(logging::GetMinLogLevel(), 1);
  EXPECT_FALSE(logging::ShouldCreateLogMessage(logging::LOG_INFO));
  EXPECT_TRUE(logging::ShouldCreateLogMessage(logging::LOG_WARNING));

  logging::LogMessage(__FILE__, __LINE__, logging::LOG_INFO).stream() << "info-record";
  logging::LogMessage(__FILE__, __LINE__, logging::LOG_WARNING).stream() << "warning-record";
  logging::LogMessage(__FILE__, __LINE__, logging::LOG_ERROR).stream() << "error-record";
  logging::FlushLogging();

  std::string text = ReadAll(log);
  EXPECT_EQ(text.find("info-record"), std::string::npos);
  EXPECT_NE(text.find("warning-record"), std::string::npos);
  EXPECT_NE(text.find("error-record"), std::string::npos);
  logging::ShutdownLogging();
}

TEST(LoggingTest, MissingSettingsMeanDefaultsAndReInitSwitchesFiles) {
  TempDir temp;
  base::FilePath first = temp.path().Append(L"first.log");
  base::FilePath second = temp.path().Append(L"second.log");
  ASSERT_TRUE(logging::InitAsycLoggingHandler(temp.path().Append(L"absent"), first));
  EXPECT_EQ(logging::GetMinLogLevel(), logging::LOG_INFO);
  logging::LogMessage(__FILE__, __LINE__, logging::LOG_INFO).stream() << "to-first";
  ASSERT_TRUE(logging::InitAsycLoggingHandler(temp.path().Append(L"absent"), second));
  logging::LogMessage(__FILE__, __LINE__, logging::LOG_INFO).stream() << "to-second";
  logging::ShutdownLogging();
  EXPECT_FALSE(logging::ShouldCreateLogMessage(logging::LOG_ERROR));
  logging::LogMessage(__FILE__, __LINE__, logging::LOG_ERROR).stream() << "after-shutdown";

  EXPECT_NE(ReadAll(first).find("to-first"), std::string::npos);
  std::string second_text = ReadAll(second);
  EXPECT_NE(second_text.find("to-second"), std::string::npos);
  EXPECT_EQ(second_text.find("to-first"), std::string::npos);
  EXPECT_EQ(second_text.find("after-shutdown"), std::string::npos);
}

TEST(LoggingTest, FlushWaitsForEveryRecordEvenWhenAnErrorFlushedEarlier) {
  TempDir temp;
  base::FilePath log = temp.path().Append(L"log.log");
  ASSERT_TRUE(logging::InitAsycLoggingHandler(temp.path().Append(L"absent"), log));
  // An error record flushes on its own; that flush must not count as the one
  // FlushLogging waits for.
  for (int round = 0; round < 20; ++round) {
    logging::LogMessage(__FILE__, __LINE__, logging::LOG_ERROR).stream() << "error-" << round;
    for (int i = 0; i < 200; ++i) {
      logging::LogMessage(__FILE__, __LINE__, logging::LOG_INFO).stream() << "info-" << round << "-" << i;
    }
    logging::FlushLogging();
    ASSERT_NE(ReadAll(log).find("info-" + std::to_string(round) + "-199"), std::string::npos)
        << "round " << round;
  }
  logging::ShutdownLogging();
}

}  // namespace
