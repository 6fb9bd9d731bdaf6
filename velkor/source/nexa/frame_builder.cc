#include "nexa/frame_builder.h"

#include "codec/pack_stream.h"
#include "nexa/frame_header.h"
#include "net/compress.h"
#include "net/crypto.h"

namespace nexalib {
namespace {

// The varint of the plain length followed by the compressed bytes, or empty when
// compression fails.
std::string Compressed(const std::string& plain) {
  std::string deflated;
  if (!net::Compress(plain, deflated, -1)) return {};
  std::string payload;
  payload.reserve(codec::PackStream::VarintSize(plain.size()) + deflated.size());
  codec::PackStream writer;
  writer.BindDestination(payload);
  writer.PutVarint(plain.size());
  payload.append(deflated);
  return payload;
}

}  // namespace

std::string BuildFrame(int32_t sessionId, const std::string& plain, bool encrypt,
                       const std::string& sessionKey) {
  FrameHeader header;
  header.sessionId = sessionId;

  std::string compressed;
  if (plain.size() > kCompressAbove) compressed = Compressed(plain);
  if (!compressed.empty()) header.flags |= kFrameCompressed;
  const std::string& unencrypted = compressed.empty() ? plain : compressed;
  header.sum16 = Sum16(unencrypted);

  std::string encrypted;
  if (encrypt) {
    encrypted = net::AesEncode(sessionKey, unencrypted);
    if (encrypted.empty()) return {};
    header.flags |= kFrameEncrypted;
  }
  const std::string& payload = encrypt ? encrypted : unencrypted;

  std::string frame;
  frame.reserve(kMaxFrameHeaderSize + payload.size());
  header.PackData(frame, payload.size());
  frame.append(payload);
  return frame;
}

}  // namespace nexalib
