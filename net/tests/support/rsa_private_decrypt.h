#pragma once

#include <string>

namespace net::testing {

// Opens a PKCS#1 v1.5 ciphertext with a PEM "RSA PRIVATE KEY", through the platform's own
// cryptography (not the library under test). False when the key or ciphertext is unusable.
bool RsaPrivateDecrypt(const std::string& privatePem, const std::string& cipher, std::string& plain);

}  // namespace net::testing
