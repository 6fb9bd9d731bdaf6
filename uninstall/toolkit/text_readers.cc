#include "toolkit/text_readers.h"

#include <boost/locale/encoding_utf.hpp>
#include <limits>

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

int ReadDecimal(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  constexpr long long kLimit = static_cast<long long>(std::numeric_limits<int>::max()) + 1;
  long long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = std::min(value * 10 + (text[i] - '0'), kLimit);
  }
  if (negative) return static_cast<int>(-value);
  return static_cast<int>(std::min<long long>(value, std::numeric_limits<int>::max()));
}

std::uint32_t ReadHexColour(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  if (text.size() - i >= 2 && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) i += 2;
  std::uint64_t value = 0;
  for (int digit; i < text.size() && (digit = HexDigit(text[i])) >= 0; ++i) {
    value = std::min<std::uint64_t>(value * 16 + static_cast<unsigned>(digit), 0xFFFFFFFFu);
  }
  return static_cast<std::uint32_t>(value);
}

bool IsTrueText(std::string_view text) {
  constexpr std::string_view kTrue = "true";
  if (text.size() != kTrue.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char lower = (text[i] >= 'A' && text[i] <= 'Z') ? static_cast<char>(text[i] + 32) : text[i];
    if (lower != kTrue[i]) return false;
  }
  return true;
}

std::wstring Utf8ToWide(std::string_view text) {
  return boost::locale::conv::utf_to_utf<wchar_t>(text.data(), text.data() + text.size());
}

