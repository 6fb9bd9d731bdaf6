#include "md5.h"

#include "base/strings.h"

namespace base {

std::string MD5String(std::string_view data) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string text;
  for (uint8_t byte : internal::MD5Digest(data)) {
    text.push_back(kHex[byte >> 4]);
    text.push_back(kHex[byte & 0x0F]);
  }
  return text;
}

}  // namespace base
