#pragma once

// Outgoing frames: compression above 128 bytes, byte sum, optional AES, header.

#include <cstddef>
#include <cstdint>
#include <string>

namespace nexalib {

// Longer plain payloads are offered to compression; shorter ones never are.
inline constexpr size_t kCompressAbove = 128;

// The frame carrying `plain` (packed envelope and body) on `sessionId`. A plain longer
// than kCompressAbove is compressed, as the varint of its length followed by the
// compressed bytes, even when that is not shorter; a failed compression sends it as it
// is. With `encrypt` the payload is AES-encrypted with `sessionKey`.
// Empty when the encryption fails (no usable session key): nothing must be sent then.
[[nodiscard]] std::string BuildFrame(int32_t sessionId, const std::string& plain, bool encrypt,
                                     const std::string& sessionKey);

}  // namespace nexalib
