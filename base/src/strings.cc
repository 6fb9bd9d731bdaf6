#include "base/strings.h"

#include <climits>
#include <cstdio>
#include <cwchar>
#include <vector>

namespace base {
namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr bool kWideIsUTF16 = sizeof(wchar_t) == 2;

bool IsValidScalar(char32_t c) { return c < 0xD800 || (c > 0xDFFF && c <= 0x10FFFF); }

// Decodes one code point from UTF-8 at data[*index], advancing the index.
// Malformed or overlong sequences yield U+FFFD and consume one byte.
char32_t DecodeUTF8(std::string_view data, size_t* index) {
  auto byte = [&](size_t i) { return static_cast<unsigned char>(data[i]); };
  unsigned char lead = byte(*index);
  int length;
  char32_t c;
  if (lead < 0x80) {
    ++*index;
    return lead;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    c = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    c = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    c = lead & 0x07;
  } else {
    ++*index;
    return kReplacement;
  }
  if (*index + length > data.size()) {
    ++*index;
    return kReplacement;
  }
  for (int i = 1; i < length; ++i) {
    unsigned char next = byte(*index + i);
    if ((next & 0xC0) != 0x80) {
      ++*index;
      return kReplacement;
    }
    c = (c << 6) | (next & 0x3F);
  }
  static constexpr char32_t kMinimum[] = {0, 0, 0x80, 0x800, 0x10000};
  if (c < kMinimum[length] || !IsValidScalar(c)) {
    ++*index;
    return kReplacement;
  }
  *index += length;
  return c;
}

void AppendUTF8(char32_t c, std::string* out) {
  if (c < 0x80) {
    out->push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out->push_back(static_cast<char>(0xC0 | (c >> 6)));
    out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out->push_back(static_cast<char>(0xE0 | (c >> 12)));
    out->push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out->push_back(static_cast<char>(0xF0 | (c >> 18)));
    out->push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

// Decodes one code point from UTF-16 units; unpaired surrogates yield U+FFFD.
template <typename Unit>
char32_t DecodeUTF16(const Unit* data, size_t size, size_t* index) {
  char32_t first = static_cast<char16_t>(data[(*index)++]);
  if (first < 0xD800 || first > 0xDFFF) return first;
  if (first <= 0xDBFF && *index < size) {
    char32_t second = static_cast<char16_t>(data[*index]);
    if (second >= 0xDC00 && second <= 0xDFFF) {
      ++*index;
      return 0x10000 + ((first - 0xD800) << 10) + (second - 0xDC00);
    }
  }
  return kReplacement;
}

template <typename String>
void AppendUTF16(char32_t c, String* out) {
  using Unit = typename String::value_type;
  if (c < 0x10000) {
    out->push_back(static_cast<Unit>(c));
  } else {
    c -= 0x10000;
    out->push_back(static_cast<Unit>(0xD800 + (c >> 10)));
    out->push_back(static_cast<Unit>(0xDC00 + (c & 0x3FF)));
  }
}

// Calls `visit` with each code point of a wide string.
template <typename Visit>
void ForEachWideCodePoint(std::wstring_view wide, Visit visit) {
  for (size_t i = 0; i < wide.size();) {
    if constexpr (kWideIsUTF16) {
      visit(DecodeUTF16(wide.data(), wide.size(), &i));
    } else {
      char32_t c = static_cast<char32_t>(wide[i++]);
      visit(IsValidScalar(c) ? c : kReplacement);
    }
  }
}

void AppendWide(char32_t c, std::wstring* out) {
  if constexpr (kWideIsUTF16) {
    AppendUTF16(c, out);
  } else {
    out->push_back(static_cast<wchar_t>(c));
  }
}

template <typename Char>
bool ParseInt(std::basic_string_view<Char> input, int* output) {
  size_t i = 0;
  bool negative = false;
  if (i < input.size() && (input[i] == '-' || input[i] == '+')) {
    negative = input[i] == '-';
    ++i;
  }
  size_t digits_start = i;
  long long value = 0;
  bool overflow = false;
  for (; i < input.size() && input[i] >= '0' && input[i] <= '9'; ++i) {
    value = value * 10 + (input[i] - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) {
      overflow = true;
      value = static_cast<long long>(INT_MAX) + 1;
    }
  }
  if (negative) value = -value;
  if (value > INT_MAX) {
    value = INT_MAX;
    overflow = true;
  }
  *output = static_cast<int>(value);
  return i == input.size() && i > digits_start && !overflow;
}

}  // namespace

std::wstring StringPrintV(const wchar_t* format, va_list args) {
  // vswprintf reports only failure, not the size it needs: grow until it fits.
  std::vector<wchar_t> buffer(256);
  for (;;) {
    va_list copy;
    va_copy(copy, args);
    int written = vswprintf(buffer.data(), buffer.size(), format, copy);
    va_end(copy);
    if (written >= 0 && static_cast<size_t>(written) < buffer.size()) {
      return std::wstring(buffer.data(), written);
    }
    if (buffer.size() >= (1u << 24)) return std::wstring();
    buffer.resize(buffer.size() * 4);
  }
}

std::wstring StringPrintf(const wchar_t* format, ...) {
  va_list args;
  va_start(args, format);
  std::wstring result = StringPrintV(format, args);
  va_end(args);
  return result;
}

std::string StringPrintf(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  int size = vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  std::string result;
  if (size > 0) {
    result.resize(static_cast<size_t>(size) + 1);
    vsnprintf(result.data(), result.size(), format, args);
    result.resize(static_cast<size_t>(size));
  }
  va_end(args);
  return result;
}

std::string WideToUTF8(std::wstring_view wide) {
  std::string out;
  out.reserve(wide.size());
  ForEachWideCodePoint(wide, [&](char32_t c) { AppendUTF8(c, &out); });
  return out;
}

std::wstring UTF8ToWide(std::string_view utf8) {
  std::wstring out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) AppendWide(DecodeUTF8(utf8, &i), &out);
  return out;
}

std::string SysWideToUTF8(std::wstring_view wide) { return WideToUTF8(wide); }

std::u16string WideToUTF16(std::wstring_view wide) {
  std::u16string out;
  out.reserve(wide.size());
  ForEachWideCodePoint(wide, [&](char32_t c) { AppendUTF16(c, &out); });
  return out;
}

std::wstring UTF16ToWide(std::u16string_view utf16) {
  std::wstring out;
  out.reserve(utf16.size());
  for (size_t i = 0; i < utf16.size();) AppendWide(DecodeUTF16(utf16.data(), utf16.size(), &i), &out);
  return out;
}

bool StringToInt(std::string_view input, int* output) { return ParseInt(input, output); }
bool StringToInt(std::wstring_view input, int* output) { return ParseInt(input, output); }

}  // namespace base
