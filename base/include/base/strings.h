// String formatting, UTF conversions and number parsing. Wide strings are
// UTF-16 on Windows and UTF-32 elsewhere; narrow strings are UTF-8. The
// conversions never throw: invalid sequences become U+FFFD.
#ifndef BASE_STRINGS_H_
#define BASE_STRINGS_H_

#include <cstdarg>
#include <string>
#include <string_view>

namespace base {

std::wstring StringPrintf(const wchar_t* format, ...);
std::wstring StringPrintV(const wchar_t* format, va_list args);
std::string StringPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));

std::string WideToUTF8(std::wstring_view wide);
std::wstring UTF8ToWide(std::string_view utf8);
// The library's wide strings are Unicode on every platform, so this is WideToUTF8.
std::string SysWideToUTF8(std::wstring_view wide);
std::u16string WideToUTF16(std::wstring_view wide);
std::wstring UTF16ToWide(std::u16string_view utf16);

// Parses an optionally signed decimal integer. Returns true only when the whole
// input is a number in range; otherwise *output holds what could be read (the
// leading digits, or the clamped value on overflow, or 0).
bool StringToInt(std::string_view input, int* output);
bool StringToInt(std::wstring_view input, int* output);

// 32 lower-case hexadecimal digits.
std::string MD5String(std::string_view data);

}  // namespace base

#endif  // BASE_STRINGS_H_
