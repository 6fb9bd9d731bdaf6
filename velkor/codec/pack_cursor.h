#pragma once

// The write side of packing: a bare pointer into memory already sized for everything
// that will be written, so no write checks the end or grows anything. The record packer
// sizes its destination once from the same field table it then writes.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace codec {

// Longest unsigned LEB128 form of a 64-bit value.
inline constexpr size_t kMaxVarintSize = 10;

class PackCursor {
 public:
  explicit PackCursor(char* at) : at_(at) {}
  PackCursor(const PackCursor&) = delete;
  PackCursor& operator=(const PackCursor&) = delete;

  char* Position() const { return at_; }

  void PutByte(uint8_t byte) { *at_++ = static_cast<char>(byte); }
  // Unsigned LEB128.
  void PutVarint(uint64_t value) { at_ = VarintAt(at_, value); }
  void PutBytes(const char* data, size_t size) { at_ = BytesAt(at_, data, size); }
  // Varint length, then the bytes.
  void PutString(std::string_view bytes) {
    at_ = BytesAt(VarintAt(at_, bytes.size()), bytes.data(), bytes.size());
  }

 private:
  // On a local pointer: a char store may alias any object, `at_` included, so stores
  // through the member itself would reload it after every byte.
  static char* VarintAt(char* at, uint64_t value) {
    while (value >= 0x80) {
      *at++ = static_cast<char>(value | 0x80);
      value >>= 7;
    }
    *at++ = static_cast<char>(value);
    return at;
  }
  static char* BytesAt(char* at, const char* data, size_t size) {
    // memcpy wants a valid pointer even for no bytes; an empty string_view may have none.
    if (size != 0) std::memcpy(at, data, size);
    return at + size;
  }

  char* at_;
};

}  // namespace codec
