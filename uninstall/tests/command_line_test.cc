#include "command_line.h"

#include <ostream>

#include <gtest/gtest.h>

namespace {

struct CommandLineCase {
  const wchar_t* commandLine;
  SwitchTable expected;
};

void PrintTo(const CommandLineCase& c, std::ostream* os) {
  for (const wchar_t* ch = c.commandLine; *ch; ++ch) *os << static_cast<char>(*ch);
}

class ParseCommandLineTest : public ::testing::TestWithParam<CommandLineCase> {};

TEST_P(ParseCommandLineTest, BuildsTheSwitchTable) {
  EXPECT_EQ(ParseCommandLine(GetParam().commandLine), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Switches, ParseCommandLineTest,
    ::testing::Values(
        CommandLineCase{L"", {}},
        CommandLineCase{L"/S", {{L"S", L""}}},
        CommandLineCase{L"-S", {{L"S", L""}}},
        CommandLineCase{L"/S=1", {{L"S", L"1"}}},
        CommandLineCase{L"/s", {{L"s", L""}}},
        // A second "=" takes the name up to itself again.
        CommandLineCase{L"/a=b=c /S", {{L"a=b", L"c"}, {L"S", L""}}},
        // Inside a switch "-" and "/" are text, also within a value.
        CommandLineCase{L"/path=C:/x-y /S", {{L"path", L"C:/x-y"}, {L"S", L""}}},
        CommandLineCase{L"/a-b", {{L"a-b", L""}}},
        // Quotes mean nothing: the space ends the value.
        CommandLineCase{L"/dir=\"a b\"", {{L"dir", L"\"a"}}},
        // Text outside a switch is skipped; the later switch of a name wins.
        CommandLineCase{L"plain /x=1 words /x=2", {{L"x", L"2"}}},
        CommandLineCase{L"/x=1 /x", {{L"x", L""}}},
        CommandLineCase{L"/x=", {{L"x", L""}}}));

TEST(ParseCommandLineTest, OnlyUpperCaseSSelectsSilentMode) {
  for (const wchar_t* silent : {L"/S", L"-S", L"/S=1", L"/a=b=c /S"}) {
    EXPECT_TRUE(ParseCommandLine(silent).count(L"S")) << silent;
  }
  EXPECT_FALSE(ParseCommandLine(L"/s").count(L"S"));
}

}  // namespace
