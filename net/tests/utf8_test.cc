#include <gtest/gtest.h>

#include "support/test_data.h"
#include "utf8.h"

namespace net {
namespace {

TEST(WideToUtf8, EncodesEveryPlaneAndReplacesBrokenUnits) {
  const struct {
    const char* name;
    std::wstring wide;
    const char* utf8Hex;
  } cases[] = {
      {"ascii", L"gateway:13000", "676174657761793a3133303030"},
      {"two bytes", L"\u00e9", "c3a9"},
      {"three bytes", L"\u65e5", "e697a5"},
      {"four bytes", L"\U0001F600", "f09f9880"},  // a surrogate pair where wchar_t is 16-bit
      {"lone high surrogate", std::wstring(1, static_cast<wchar_t>(0xD800)) + L"a", "efbfbd61"},
      {"lone low surrogate", std::wstring(1, static_cast<wchar_t>(0xDC00)), "efbfbd"},
      {"empty", L"", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(testing::ToHex(detail::WideToUtf8(c.wide)), c.utf8Hex) << c.name;
  }
}

}  // namespace
}  // namespace net
