#pragma once

// The cursor pair and the primitives of the packed record format. Every record derives
// from PackStream (through PackRecord, pack_record.h) and reads or writes through these.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "codec/pack_types.h"

namespace codec {

// A decoded field descriptor: type code, width nibble (0 below 0x40) and the child
// descriptors (key and value of a map, the element of a list).
struct FieldDesc {
  int type = 0;
  int width = 0;
  std::vector<FieldDesc> children;
};

class PackStream {
 public:
  PackStream() = default;
  // The cursors belong to one pack or unpack, not to the value: a copy starts unbound,
  // and two records never differ by their cursors.
  PackStream(const PackStream&) noexcept : PackStream() {}
  PackStream& operator=(const PackStream&) noexcept { return *this; }
  friend bool operator==(const PackStream&, const PackStream&) { return true; }

  // Reading starts at position 0 of `source`, which must outlive the reads.
  void BindSource(std::string_view source);
  // Writing starts at position 0 of `destination`: bytes inside its size are overwritten,
  // the rest appended.
  void BindDestination(std::string& destination);
  size_t ReadPosition() const { return read_pos_; }
  size_t WritePosition() const { return write_pos_; }

  void PutByte(uint8_t byte);
  // Unsigned LEB128. Callers zero-extend narrower values, so a negative 32-bit value
  // always takes five bytes.
  void PutVarint(uint64_t value);
  void PutString(std::string_view bytes);
  static constexpr size_t VarintSize(uint64_t value) {
    // Seven bits a byte; zero still takes one.
    return (static_cast<size_t>(std::bit_width(value | 1)) + 6) / 7;
  }

  // The readers throw PACK_SHORT_DATA instead of reading past the end of the source.
  uint8_t GetByte();
  // Any number of bytes; seven-bit groups above bit 63 are lost.
  uint64_t GetVarint();
  std::string GetString();
  void GetString(std::string& out);
  FieldDesc GetFieldDesc();
  // Reads a descriptor with its children and returns only its type code: what a record
  // checks for a known field, without building the child list.
  int GetFieldType();
  void SkipValue(const FieldDesc& desc);
  void SkipField();

  // Runs `read` and turns what the codec throws into the record result.
  template <class Read>
  static int CatchUnpackErrors(Read&& read) noexcept {
    try {
      read();
      return PACK_OK;
    } catch (PACKRETCODE code) {
      return code;
    } catch (const std::exception&) {
      return PACK_STD_EXCEPTION;
    }
  }

  // Counts one level of nesting while it lives; past kMaxNesting it throws
  // PACK_INVALID_TYPE.
  class NestingGuard {
   public:
    explicit NestingGuard(PackStream& stream);
    ~NestingGuard() { --stream_.depth_; }
    NestingGuard(const NestingGuard&) = delete;
    NestingGuard& operator=(const NestingGuard&) = delete;

   private:
    PackStream& stream_;
  };

 private:
  void PutBytes(const char* data, size_t size);
  void SkipBytes(uint64_t count);
  // Length or count of a 0x40 or 0x50 value, in the form its width nibble names.
  uint64_t GetSizedCount(int width);
  void SkipRepeated(uint64_t count, const FieldDesc& element);

  std::string_view source_;
  size_t read_pos_ = 0;
  std::string output_scratch_;  // destination until one is bound
  std::string* destination_ = &output_scratch_;
  size_t write_pos_ = 0;
  int depth_ = 0;
};

}  // namespace codec
