#include "crypto_backend.h"
#include "net/crypto.h"

namespace net {

int RSAPublicEncrypt(const char* pem, int pemLength, const char* data, int dataLength,
                     std::string& out) {
  out.clear();
  if (pem == nullptr || pemLength <= 0 || dataLength < 0 ||
      (data == nullptr && dataLength > 0)) {
    return -1;
  }
  std::string_view dataView = dataLength > 0 ? std::string_view(data, dataLength) : "";
  out = backend::RsaPkcs1Encrypt(std::string_view(pem, pemLength), dataView);
  return out.empty() ? -1 : static_cast<int>(out.size());
}

}  // namespace net
