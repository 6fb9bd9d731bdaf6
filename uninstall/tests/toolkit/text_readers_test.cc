#include "toolkit/text_readers.h"

#include <gtest/gtest.h>

TEST(TextReaders, DecimalTakesBlanksSignAndLeadingDigits) {
  const struct { const char* text; int value; } cases[] = {
      {"42", 42},       {"  -12px", -12}, {"+7", 7},   {"abc", 0},
      {"", 0},          {"- 3", 0},       {"0x10", 0}, {"99999999999", 2147483647},
      {"-99999999999", -2147483647 - 1},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadDecimal(c.text), c.value) << c.text;
}

TEST(TextReaders, ColourIsHexWithOptionalPrefix) {
  const struct { const char* text; std::uint32_t value; } cases[] = {
      {"0xFEFFFFFF", 0xFEFFFFFFu}, {"fe666666", 0xFE666666u}, {"0X1a", 0x1Au},
      {"0x", 0},                   {"zz", 0},                 {"0x123456789", 0xFFFFFFFFu},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadHexColour(c.text), c.value) << c.text;
}

TEST(TextReaders, ListFillsMissingNumbersWithZero) {
  EXPECT_EQ((ReadDecimalList<4>("5,6")), (std::array<int, 4>{5, 6, 0, 0}));
  EXPECT_EQ((ReadDecimalList<4>("1,2,3,4,5")), (std::array<int, 4>{1, 2, 3, 4}));
  EXPECT_EQ((ReadDecimalList<4>(",,9")), (std::array<int, 4>{0, 0, 9, 0}));
}

TEST(TextReaders, TrueInAnyCaseOnly) {
  EXPECT_TRUE(IsTrueText("TRUE"));
  EXPECT_TRUE(IsTrueText("tRuE"));
  EXPECT_FALSE(IsTrueText("1"));
  EXPECT_FALSE(IsTrueText("true "));
}

TEST(TextReaders, Utf8BecomesWide) {
  EXPECT_EQ(Utf8ToWide("卸载 ok"), L"卸载 ok");
}
