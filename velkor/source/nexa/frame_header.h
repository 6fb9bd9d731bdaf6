#pragma once

// The header in front of every frame's payload:
//   length   varint, bytes after this field (rest of the header and the payload)
//   sum16    varint, byte sum of the payload before encryption, modulo 65536
//   flags    one byte, kFrameEncrypted | kFrameCompressed
//   sessionId varint of the 32-bit pattern
//   check    one byte, XOR of every header byte before it
// so the XOR of all header bytes, check included, is 0.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "codec/pack_stream.h"

namespace nexalib {

inline constexpr uint8_t kFrameEncrypted = 0x01;
inline constexpr uint8_t kFrameCompressed = 0x04;
// Five-byte length and sessionId, three-byte sum16, flags and check.
inline constexpr size_t kMaxFrameHeaderSize = 15;

class FrameHeader : public codec::PackStream {
 public:
  uint32_t length = 0;
  uint16_t sum16 = 0;
  uint8_t flags = 0;
  int32_t sessionId = 0;

  // Appends the header of a frame with `payloadSize` payload bytes to `out`, with length
  // and check byte computed.
  void PackData(std::string& out, size_t payloadSize);

  // Parses sum16, flags and sessionId from `afterLength`, the frame bytes behind a length
  // field whose value is already in `length`; ReadPosition() is then the header's end
  // there. The check is computed over the shortest encoding of `length`, whatever bytes
  // carried it. Returns PACK_OK, PACK_SHORT_DATA when the header does not fit,
  // PACK_INVALID_TYPE for a wrong check byte, or PACK_STD_EXCEPTION.
  [[nodiscard]] int UnpackData(std::string_view afterLength);
};

// Byte sum of `bytes`, each taken as unsigned, modulo 65536.
uint16_t Sum16(std::string_view bytes);

}  // namespace nexalib
