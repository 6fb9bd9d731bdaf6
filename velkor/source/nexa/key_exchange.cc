#include "nexa/key_exchange.h"

#include "codec/pack_types.h"
#include "nexa/control_records.h"
#include "net/crypto.h"

namespace nexalib {

std::string GenerateClientKey() { return net::RandomBytes(kClientKeySize); }

std::string PublicKeyPem(std::string_view base64Body) {
  constexpr size_t kLine = 64;
  std::string pem = "-----BEGIN PUBLIC KEY-----\n";
  for (size_t pos = 0; pos < base64Body.size(); pos += kLine) {
    if (pos > 0) pem += '\n';
    pem.append(base64Body.substr(pos, kLine));
  }
  pem += "\n-----END PUBLIC KEY-----\n";
  return pem;
}

std::string EncryptClientKey(const std::string& clientKey, std::string_view publicKeyBase64) {
  const std::string pem = PublicKeyPem(publicKeyBase64);
  std::string encrypted;
  if (net::RSAPublicEncrypt(pem.data(), static_cast<int>(pem.size()), clientKey.data(),
                            static_cast<int>(clientKey.size()), encrypted) < 0) {
    return {};
  }
  return encrypted;
}

std::optional<SessionKeys> ReadExchangeKeyRsp(std::string_view body, const std::string& clientKey) {
  ExchangeKeyRsp response;
  if (response.UnpackData(body) != codec::PACK_OK) return std::nullopt;
  SessionKeys keys;
  keys.sessionKey = net::AesDecode(clientKey, response.encryptedSessionKey, false);
  if (keys.sessionKey.empty()) return std::nullopt;
  keys.reconnectId = response.reconnectId;
  keys.reconnectToken = std::move(response.reconnectToken);
  return keys;
}

}  // namespace nexalib
