#include "nexa/frame_header.h"

namespace nexalib {
namespace {

uint8_t XorOf(std::string_view bytes) {
  uint8_t check = 0;
  for (char c : bytes) check ^= static_cast<uint8_t>(c);
  return check;
}

std::string VarintBytes(uint64_t value) {
  std::string bytes;
  codec::PackStream writer;
  writer.BindDestination(bytes);
  writer.PutVarint(value);
  return bytes;
}

}  // namespace

void FrameHeader::PackData(std::string& out, size_t payloadSize) {
  const uint32_t id = static_cast<uint32_t>(sessionId);
  length = static_cast<uint32_t>(VarintSize(sum16) + 1 + VarintSize(id) + 1 + payloadSize);
  std::string header;  // at most 15 bytes: no allocation
  BindDestination(header);
  PutVarint(length);
  PutVarint(sum16);
  PutByte(flags);
  PutVarint(id);
  PutByte(XorOf(header));
  out.append(header);
}

int FrameHeader::UnpackData(std::string_view afterLength) {
  BindSource(afterLength);
  return CatchUnpackErrors([&] {
    sum16 = static_cast<uint16_t>(GetVarint());
    flags = GetByte();
    sessionId = static_cast<int32_t>(static_cast<uint32_t>(GetVarint()));
    GetByte();  // the check byte, verified with the rest below
    const std::string_view header = afterLength.substr(0, ReadPosition());
    if ((XorOf(VarintBytes(length)) ^ XorOf(header)) != 0) throw codec::PACK_INVALID_TYPE;
  });
}

uint16_t Sum16(std::string_view bytes) {
  uint32_t sum = 0;
  for (char c : bytes) sum += static_cast<uint8_t>(c);
  return static_cast<uint16_t>(sum);
}

}  // namespace nexalib
