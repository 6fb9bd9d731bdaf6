// The platform's MD5 digest (raw 16 bytes); MD5String formats it.
#ifndef BASE_SRC_MD5_H_
#define BASE_SRC_MD5_H_

#include <array>
#include <cstdint>
#include <string_view>

namespace base::internal {

std::array<uint8_t, 16> MD5Digest(std::string_view data);

}  // namespace base::internal

#endif  // BASE_SRC_MD5_H_
