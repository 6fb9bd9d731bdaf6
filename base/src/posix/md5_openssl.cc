#include <openssl/evp.h>

#include "md5.h"

namespace base::internal {

std::array<uint8_t, 16> MD5Digest(std::string_view data) {
  std::array<uint8_t, 16> digest{};
  unsigned int size = 0;
  EVP_Digest(data.data(), data.size(), digest.data(), &size, EVP_md5(), nullptr);
  return digest;
}

}  // namespace base::internal
