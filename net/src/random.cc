#include "crypto_backend.h"
#include "net/crypto.h"

namespace net {

bool RandomBytes(void* buffer, std::size_t length) {
  if (length == 0) return true;
  return buffer != nullptr && backend::FillRandom(buffer, length);
}

std::string RandomBytes(std::size_t length) {
  std::string bytes(length, '\0');
  if (!RandomBytes(bytes.data(), length)) return {};
  return bytes;
}

}  // namespace net
