#include "log_shell.h"

#include <gtest/gtest.h>

#include <string>

#include "base/file_util.h"
#include "temp_dir.h"

namespace {

class LogShellTest : public ::testing::Test {
 protected:
  LogShellTest() {
    logging::InitAsycLoggingHandler(dir_.path().Append(L"absent.setting"), LogFile());
  }
  ~LogShellTest() override { logging::ShutdownLogging(); }

  base::FilePath LogFile() const { return dir_.path().Append(L"log.log"); }
  std::string ReadLog() const {
    logging::FlushLogging();
    std::string text;
    base::ReadFileToString(LogFile(), &text);
    return text;
  }

  TempDir dir_;
};

TEST_F(LogShellTest, LineIsTagQualifiedNameNumberAndFormattedDetail) {
  LogCall(kLogTagAuth, logging::LOG_INFO, L"CUnifiedAuthService::DoAuth", 77,
          L"currState = %d, user = %ls.", 3, L"caf\u00e9");
  LogCall(kLogTagSDK, logging::LOG_INFO, L"CSDKService::Init", 25, L"");
  std::string log = ReadLog();
  EXPECT_NE(log.find("CUnifiedAuthService CUnifiedAuthService::DoAuth, 77, currState = 3, "
                     "user = caf\xc3\xa9."),
            std::string::npos)
      << log;
  EXPECT_NE(log.find("CIMChatMediaService CSDKService::Init, 25, "), std::string::npos) << log;
}

TEST_F(LogShellTest, SeverityPicksTheRecordLevelAndTheMinimumLevelFilters) {
  struct Case {
    int min_level;
    int severity;
    const char* level_mark;  // empty: not written
  };
  const Case cases[] = {
      {0, 0, "[I]"}, {0, 1, "[W]"}, {0, 2, "[E]"}, {0, 7, "[I]"}, {0, -1, "[I]"},
      {1, 0, ""},    {1, 1, "[W]"}, {1, 2, "[E]"}, {1, 7, ""},    {2, 1, ""},
      {2, 2, "[E]"}, {3, 2, ""},
  };
  int line = 0;
  for (const Case& c : cases) {
    logging::SetMinLogLevel(c.min_level);
    LogShell(kLogTagNexa, c.severity, L"case %02d.", ++line);
  }
  std::string log = ReadLog();
  line = 0;
  for (const Case& c : cases) {
    std::string text = base::StringPrintf("CNexaServiceImpl case %02d.", ++line);
    size_t at = log.find(text);
    if (c.level_mark[0] == '\0') {
      EXPECT_EQ(at, std::string::npos) << text;
      continue;
    }
    ASSERT_NE(at, std::string::npos) << text << log;
    size_t line_start = log.rfind('\n', at);
    line_start = line_start == std::string::npos ? 0 : line_start;
    EXPECT_NE(log.substr(line_start, at - line_start).find(c.level_mark), std::string::npos)
        << text << " in " << log.substr(line_start, at - line_start);
  }
  logging::SetMinLogLevel(logging::LOG_INFO);
}

}  // namespace
