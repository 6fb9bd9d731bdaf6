// Readers for the number, colour, flag and text attributes of the toolkit's XML.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// Decimal integer: optional leading blanks and sign, then the leading digits; 0 when
// there are none. Values beyond the int range saturate instead of wrapping.
[[nodiscard]] int ReadDecimal(std::string_view text);

// Unsigned hexadecimal colour 0xAARRGGBB: an optional "0x" prefix, then the leading
// hexadecimal digits; saturates at 0xFFFFFFFF.
[[nodiscard]] std::uint32_t ReadHexColour(std::string_view text);

// N comma-separated decimal integers ("5,6" for four gives 5, 6, 0, 0).
template <std::size_t N>
[[nodiscard]] std::array<int, N> ReadDecimalList(std::string_view text) {
  std::array<int, N> values{};
  for (std::size_t i = 0; i < N && !text.empty(); ++i) {
    const std::size_t comma = text.find(',');
    values[i] = ReadDecimal(text.substr(0, comma));
    text = comma == std::string_view::npos ? std::string_view{} : text.substr(comma + 1);
  }
  return values;
}

// "true" in any case.
[[nodiscard]] bool IsTrueText(std::string_view text);

// UTF-8 to the platform's wide strings; invalid sequences are dropped, never thrown.
[[nodiscard]] std::wstring Utf8ToWide(std::string_view text);

