// Placeholder until the BCrypt backend lands.
#include "crypto_backend.h"

namespace net::backend {
bool AesGcmSeal(std::string_view, const std::uint8_t*, std::string_view, char*, std::uint8_t*) {
  return false;
}
bool AesGcmOpen(std::string_view, const std::uint8_t*, std::string_view, const std::uint8_t*,
                char*) {
  return false;
}
std::string RsaPkcs1Encrypt(std::string_view, std::string_view) { return {}; }
bool FillRandom(void*, std::size_t) { return false; }
}  // namespace net::backend
