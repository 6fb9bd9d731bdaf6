#include "utf8.h"

namespace net::detail {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

void AppendUtf8(char32_t code, std::string& out) {
  if (code > 0x10FFFF || IsHighSurrogate(code) || IsLowSurrogate(code)) code = kReplacement;
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

}  // namespace

std::string WideToUtf8(std::wstring_view wide) {
  std::string out;
  out.reserve(wide.size());
  for (std::size_t i = 0; i < wide.size(); ++i) {
    // Masked so that a signed or 16-bit wchar_t reads as its code unit.
    auto unit = static_cast<char32_t>(wide[i]) & (sizeof(wchar_t) == 2 ? 0xFFFF : 0xFFFFFFFF);
    if (sizeof(wchar_t) == 2 && IsHighSurrogate(unit) && i + 1 < wide.size()) {
      auto next = static_cast<char32_t>(wide[i + 1]) & 0xFFFF;
      if (IsLowSurrogate(next)) {
        unit = 0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00);
        ++i;
      }
    }
    AppendUtf8(unit, out);
  }
  return out;
}

}  // namespace net::detail
