// Encrypted frames whose plain payload the input chooses, so that decompression and the
// envelope are reached behind a valid tag. The first byte picks the flags and whether the
// payload is compressed for real; the second where the frame is split between two reads.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "codec/pack_stream.h"
#include "frame_sink_check.h"
#include "nexa/frame_header.h"
#include "net/compress.h"
#include "net/crypto.h"

namespace {

const std::string kKey(16, '\x5A');

std::string WithLengthPrefix(const std::string& plain, const std::string& deflated) {
  std::string payload;
  codec::PackStream writer;
  writer.BindDestination(payload);
  writer.PutVarint(plain.size());
  payload.append(deflated);
  return payload;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const uint8_t mode = data[0];
  const size_t split = data[1];
  std::string plain(reinterpret_cast<const char*>(data) + 2, size - 2);

  nexalib::FrameHeader header;
  header.flags = nexalib::kFrameEncrypted | (mode & nexalib::kFrameCompressed);
  std::string deflated;
  if ((mode & 0x10) && net::Compress(plain, deflated, -1)) {
    plain = WithLengthPrefix(plain, deflated);
    header.flags |= nexalib::kFrameCompressed;
  }
  header.sum16 = nexalib::Sum16(plain);
  const std::string payload = net::AesEncode(kKey, plain);
  std::string frame;
  header.PackData(frame, payload.size());
  frame.append(payload);

  nexalib::FrameReader reader(fuzz_codec::CheckingSink());
  reader.SetSessionKey(kKey);
  const std::string_view bytes = frame;
  fuzz_codec::CheckFeed(reader, bytes.substr(0, split));
  if (split < bytes.size()) fuzz_codec::CheckFeed(reader, bytes.substr(split));
  return 0;
}
