#pragma once

// Test-only seam: known-answer tests fix the AES-GCM nonce that AesEncode would draw.

#include <cstdint>

namespace net::testing {

// Called with a 12-byte buffer to fill instead of the random source; null restores it.
using NonceSource = void (*)(std::uint8_t* nonce);
void SetNonceSourceForTesting(NonceSource source);

}  // namespace net::testing
