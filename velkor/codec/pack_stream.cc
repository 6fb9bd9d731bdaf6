#include "codec/pack_stream.h"

#include <algorithm>

#include "codec/pack_cursor.h"

namespace codec {
namespace {

int TypeOf(uint8_t descByte) { return descByte < 0x40 ? descByte : (descByte & 0xF0); }
int WidthOf(uint8_t descByte) { return descByte < 0x40 ? 0 : (descByte & 0x0F); }

int ChildCount(int type) {
  switch (type) {
    case PT_MAP:
      return 2;
    case PT_LIST:
    case PT_SIZED_LIST:
      return 1;
    default:
      return 0;
  }
}

const FieldDesc& Child(const FieldDesc& desc, size_t index) {
  // Only GetFieldDesc builds descriptors with their children; a hand-made one that lacks
  // them names no value that could be skipped.
  if (desc.children.size() <= index) throw PACK_INVALID_TYPE;
  return desc.children[index];
}

}  // namespace

PackStream::NestingGuard::NestingGuard(PackStream& stream) : stream_(stream) {
  if (++stream_.depth_ > kMaxNesting) {
    --stream_.depth_;
    throw PACK_INVALID_TYPE;
  }
}

void PackStream::BindSource(std::string_view source) {
  source_ = source;
  read_pos_ = 0;
  depth_ = 0;
}

void PackStream::BindDestination(std::string& destination) {
  destination_ = &destination;
  write_pos_ = 0;
}

void PackStream::PutByte(uint8_t byte) {
  std::string& out = *destination_;
  if (write_pos_ < out.size()) {
    out[write_pos_] = static_cast<char>(byte);
  } else {
    out.push_back(static_cast<char>(byte));
  }
  ++write_pos_;
}

void PackStream::PutVarint(uint64_t value) {
  char bytes[kMaxVarintSize];
  PackCursor cursor(bytes);
  cursor.PutVarint(value);
  PutBytes(bytes, static_cast<size_t>(cursor.Position() - bytes));
}

void PackStream::PutString(std::string_view bytes) {
  PutVarint(bytes.size());
  PutBytes(bytes.data(), bytes.size());
}

void PackStream::PutBytes(const char* data, size_t size) {
  std::string& out = *destination_;
  if (write_pos_ == out.size()) {
    out.append(data, size);
  } else {
    out.replace(write_pos_, std::min(size, out.size() - write_pos_), data, size);
  }
  write_pos_ += size;
}

uint8_t PackStream::GetByte() {
  if (read_pos_ >= source_.size()) throw PACK_SHORT_DATA;
  return static_cast<uint8_t>(source_[read_pos_++]);
}

uint64_t PackStream::GetVarint() {
  uint64_t value = 0;
  unsigned shift = 0;
  for (;;) {
    const uint8_t byte = GetByte();
    if (shift < 64) {
      value |= static_cast<uint64_t>(byte & 0x7F) << shift;
      shift += 7;
    }
    if ((byte & 0x80) == 0) return value;
  }
}

std::string PackStream::GetString() {
  std::string out;
  GetString(out);
  return out;
}

void PackStream::GetString(std::string& out) {
  const uint64_t length = GetVarint();
  // Checked before anything is allocated: the length comes off the wire.
  if (length > source_.size() - read_pos_) throw PACK_SHORT_DATA;
  out.assign(source_.data() + read_pos_, static_cast<size_t>(length));
  read_pos_ += static_cast<size_t>(length);
}

FieldDesc PackStream::GetFieldDesc() {
  NestingGuard guard(*this);
  const uint8_t byte = GetByte();
  FieldDesc desc{TypeOf(byte), WidthOf(byte), {}};
  for (int i = ChildCount(desc.type); i > 0; --i) desc.children.push_back(GetFieldDesc());
  return desc;
}

int PackStream::GetFieldType() {
  NestingGuard guard(*this);
  const int type = TypeOf(GetByte());
  for (int i = ChildCount(type); i > 0; --i) GetFieldType();
  return type;
}

void PackStream::SkipField() { SkipValue(GetFieldDesc()); }

void PackStream::SkipBytes(uint64_t count) {
  if (count > source_.size() - read_pos_) throw PACK_SHORT_DATA;
  read_pos_ += static_cast<size_t>(count);
}

uint64_t PackStream::GetSizedCount(int width) {
  switch (width) {
    case 1:
      return GetByte();
    case 2:
      return static_cast<uint16_t>(GetVarint());
    default:
      return static_cast<uint32_t>(GetVarint());
  }
}

// Every value takes at least one byte, so a huge count from the wire ends at the end of
// the source instead of looping on.
void PackStream::SkipRepeated(uint64_t count, const FieldDesc& element) {
  for (uint64_t i = 0; i < count; ++i) SkipValue(element);
}

void PackStream::SkipValue(const FieldDesc& desc) {
  switch (desc.type) {
    case 1:
    case PT_UINT8:
    case 11:
      SkipBytes(1);
      return;
    case 3:
    case 4:
    case PT_INT32:
    case PT_UINT32:
    case 7:
    case PT_INT64:
      GetVarint();
      return;
    case 12:
      SkipBytes(4);
      return;
    case 13:
      SkipBytes(8);
      return;
    case PT_STRING:
      SkipBytes(GetSizedCount(desc.width));
      return;
    default:
      break;
  }

  NestingGuard guard(*this);
  switch (desc.type) {
    case PT_STRUCT:
      for (int fields = GetByte(); fields > 0; --fields) SkipField();
      return;
    case PT_MAP: {
      const FieldDesc& key = Child(desc, 0);
      const FieldDesc& value = Child(desc, 1);
      for (uint64_t entries = GetVarint(); entries > 0; --entries) {
        SkipValue(key);
        SkipValue(value);
      }
      return;
    }
    case PT_LIST:
      SkipRepeated(GetVarint(), Child(desc, 0));
      return;
    case PT_SIZED_LIST:
      SkipRepeated(GetSizedCount(desc.width), Child(desc, 0));
      return;
    default:
      throw PACK_INVALID_TYPE;
  }
}

}  // namespace codec
