#pragma once

// Symmetric and public-key helpers used for the channel's key exchange and frames.
// Every call is stateless for the caller and safe from any thread.

#include <cstddef>
#include <string>

namespace net {

// AES-GCM with a fresh random 12-byte nonce per call: AES-128 for a 16-byte key,
// AES-256 for a 32-byte key. Output = nonce || ciphertext || 16-byte tag.
// Returns an empty string on failure (wrong key length, backend error).
[[nodiscard]] std::string AesEncode(const std::string& key, const std::string& data);

// Inverse of AesEncode. Short input, a wrong key or a tag that does not verify give an
// empty result. `ignored` is accepted for callers that pass a mode flag and has no effect.
[[nodiscard]] std::string AesDecode(const std::string& key, const std::string& data,
                                    bool ignored = false);

// RSA PKCS#1 v1.5 encryption with the public key in `pem` (a PEM "PUBLIC KEY" block holding
// a DER SubjectPublicKeyInfo, any key size). On success `out` holds the ciphertext and its
// length is returned; on failure `out` is empty and -1 is returned.
int RSAPublicEncrypt(const char* pem, int pemLength, const char* data, int dataLength,
                     std::string& out);

// Fills `buffer` from the platform's cryptographic random source. False only when the
// source fails; the buffer content is then unspecified and must not be used.
[[nodiscard]] bool RandomBytes(void* buffer, std::size_t length);

// `length` random bytes, or an empty string when the source fails.
[[nodiscard]] std::string RandomBytes(std::size_t length);

}  // namespace net
