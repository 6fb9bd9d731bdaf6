#pragma once

// The platform's cryptography behind the portable AES, RSA and random-byte calls.
// Implemented once in posix/ (OpenSSL) and once in win/ (BCrypt and crypt32).

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace net::backend {

inline constexpr std::size_t kGcmNonceSize = 12;
inline constexpr std::size_t kGcmTagSize = 16;

// AES-GCM without additional data; `key` is 16 or 32 bytes (checked by the caller).
// Seal writes plain.size() ciphertext bytes to `cipher` and the tag to `tag`.
bool AesGcmSeal(std::string_view key, const std::uint8_t* nonce, std::string_view plain,
                char* cipher, std::uint8_t* tag);
// Open writes cipher.size() plain bytes to `plain`; false when the tag does not verify.
bool AesGcmOpen(std::string_view key, const std::uint8_t* nonce, std::string_view cipher,
                const std::uint8_t* tag, char* plain);

// RSA PKCS#1 v1.5 encryption of `data` with the PEM SubjectPublicKeyInfo in `pem`;
// empty on any failure.
std::string RsaPkcs1Encrypt(std::string_view pem, std::string_view data);

bool FillRandom(void* buffer, std::size_t length);

// A fresh random GCM nonce. May hand out bytes drawn earlier in bulk from the same source
// (each byte once), because a source call per frame costs as much as sealing the frame.
bool FillNonce(std::uint8_t* nonce);

}  // namespace net::backend
