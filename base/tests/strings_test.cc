#include "base/strings.h"

#include <gtest/gtest.h>

namespace {

TEST(StringsTest, UTF8RoundTripsThroughWide) {
  const std::string samples[] = {"", "plain", "caf\xC3\xA9", "\xE8\xAE\xBE\xE7\xBD\xAE",
                                 "\xF0\x9F\x98\x80 emoji"};
  for (const std::string& utf8 : samples) {
    EXPECT_EQ(base::WideToUTF8(base::UTF8ToWide(utf8)), utf8);
  }
  EXPECT_EQ(base::WideToUTF16(base::UTF8ToWide("\xF0\x9F\x98\x80")).size(), 2u);
  EXPECT_EQ(base::UTF16ToWide(u"a\U0001F600"), base::UTF8ToWide("a\xF0\x9F\x98\x80"));
}

TEST(StringsTest, InvalidUTF8BecomesReplacementCharacters) {
  struct Case {
    std::string input;
    std::wstring expected;
  };
  const Case cases[] = {
      {"a\xFF" "b", L"a\xFFFD" L"b"},           // byte never valid
      {"\xC3", L"\xFFFD"},                       // truncated sequence
      {"\xC0\xAF", L"\xFFFD\xFFFD"},             // overlong encoding of '/'
      {"\xED\xA0\x80", L"\xFFFD\xFFFD\xFFFD"},   // encoded surrogate
      {"\xE2\x82x", L"\xFFFD\xFFFD" L"x"},       // continuation missing
  };
  for (const Case& c : cases) EXPECT_EQ(base::UTF8ToWide(c.input), c.expected) << c.input;
}

TEST(StringsTest, UnpairedSurrogatesInUTF16BecomeReplacementCharacters) {
  const char16_t lone_high[] = {u'a', 0xD800, u'b', 0};
  EXPECT_EQ(base::WideToUTF8(base::UTF16ToWide(lone_high)), "a\xEF\xBF\xBD" "b");
}

TEST(StringsTest, StringToIntReadsWholeNumbersAndReportsTheRest) {
  struct Case {
    std::string input;
    bool ok;
    int value;
  };
  const Case cases[] = {
      {"8080", true, 8080},       {"-12", true, -12},          {"+7", true, 7},
      {"", false, 0},             {"abc", false, 0},           {"12abc", false, 12},
      {" 1", false, 0},           {"2147483647", true, 2147483647},
      {"2147483648", false, 2147483647}, {"-2147483648", true, -2147483647 - 1},
  };
  for (const Case& c : cases) {
    int value = -99;
    EXPECT_EQ(base::StringToInt(c.input, &value), c.ok) << c.input;
    EXPECT_EQ(value, c.value) << c.input;
  }
}

TEST(StringsTest, WideStringPrintfFormatsWideArgumentsAndGrows) {
  EXPECT_EQ(base::StringPrintf(L"%ls, %d, %ls", L"CSDKService::Init", 25, L""),
            L"CSDKService::Init, 25, ");
  std::wstring long_text(5000, L'x');
  EXPECT_EQ(base::StringPrintf(L"[%ls]", long_text.c_str()).size(), 5002u);
  EXPECT_EQ(base::StringPrintf("%s=%d", "port", 80), "port=80");
}

TEST(StringsTest, MD5StringIsLowerCaseHex) {
  EXPECT_EQ(base::MD5String(""), "d41d8cd98f00b204e9800998ecf8427e");
  EXPECT_EQ(base::MD5String("abc"), "900150983cd24fb0d6963f7d28e17f72");
  EXPECT_EQ(base::MD5String("The quick brown fox jumps over the lazy dog"),
            "9e107d9d372bb6826bd81d3542a419d6");
}

}  // namespace
