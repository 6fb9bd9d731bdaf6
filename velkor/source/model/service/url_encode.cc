#include "url_encode.h"

#include "base/strings.h"

namespace {

constexpr std::string_view kReserved = " \"#%&+/:<=>?[\\]^`{|}";

bool NeedsEscape(unsigned char byte) {
  return byte >= 0x80 || kReserved.find(static_cast<char>(byte)) != std::string_view::npos;
}

}  // namespace

std::wstring UrlEncode(std::wstring_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::wstring encoded;
  for (char c : base::WideToUTF8(text)) {
    auto byte = static_cast<unsigned char>(c);
    if (NeedsEscape(byte)) {
      encoded += L'%';
      encoded += static_cast<wchar_t>(kHex[byte >> 4]);
      encoded += static_cast<wchar_t>(kHex[byte & 0x0F]);
    } else {
      encoded += static_cast<wchar_t>(byte);
    }
  }
  return encoded;
}
