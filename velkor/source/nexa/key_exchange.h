#pragma once

// The client's half of the key exchange: the client key, its RSA encryption under the
// compiled-in public key, and the session key out of the gateway's answer.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace nexalib {

inline constexpr size_t kClientKeySize = 16;

// kClientKeySize bytes from the platform's cryptographic random source, so that nobody
// who knows when a client connected can recompute them. Empty when the source fails.
std::string GenerateClientKey();

// The PEM "PUBLIC KEY" text of a Base64 body held without line breaks: a line break after
// every 64 characters, the BEGIN line in front and the END line (with its line break) behind.
std::string PublicKeyPem(std::string_view base64Body);

// `clientKey` encrypted for the gateway with the public key whose Base64 body is given;
// empty on failure (the caller logs "encrypt key error." and fails the exchange).
std::string EncryptClientKey(const std::string& clientKey, std::string_view publicKeyBase64);

struct SessionKeys {
  std::string sessionKey;
  int32_t reconnectId = 0;
  std::string reconnectToken;
};

// The keys out of an ExchangeKeyRsp body. Nothing when the record does not unpack, and
// nothing when the session key does not decrypt with `clientKey`: an exchange that left
// no usable session key has failed, even though the record itself was fine.
std::optional<SessionKeys> ReadExchangeKeyRsp(std::string_view body, const std::string& clientKey);

}  // namespace nexalib
