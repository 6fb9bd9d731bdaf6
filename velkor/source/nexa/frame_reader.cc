#include "nexa/frame_reader.h"

#include <utility>

#include "codec/pack_stream.h"
#include "nexa/frame_header.h"
#include "net/compress.h"
#include "net/crypto.h"

namespace nexalib {
namespace {

// A 64-bit varint never needs more; a longer run of continuation bytes is not a length
// worth waiting for.
constexpr size_t kMaxVarintBytes = 10;

// The varint at the head of `data`, if it ends within kMaxVarintBytes; `size` is its byte
// count, or 0 when it has not ended.
uint64_t HeadVarint(std::string_view data, size_t& size) {
  size = 0;
  for (size_t i = 0; i < data.size() && i < kMaxVarintBytes; ++i) {
    if ((static_cast<uint8_t>(data[i]) & 0x80) == 0) {
      size = i + 1;
      break;
    }
  }
  if (size == 0) return 0;
  codec::PackStream reader;
  reader.BindSource(data.substr(0, size));
  return reader.GetVarint();  // cannot run short: the last byte is there
}

}  // namespace

FrameReader::FrameReader(MessageSink sink) : sink_(std::move(sink)) {}

void FrameReader::Reset() {
  buffer_.clear();
  ++resets_;
}

FeedResult FrameReader::Feed(std::string_view bytes) {
  // Frames are read straight from `bytes` unless a partial frame waits in the buffer. The
  // buffer is moved out while the sink runs, so a Reset from there cannot pull it away
  // from under the loop.
  std::string pending;
  std::string_view data = bytes;
  if (!buffer_.empty()) {
    pending = std::move(buffer_);
    buffer_.clear();
    pending.append(bytes);
    data = pending;
  }

  const uint64_t resets = resets_;
  size_t pos = 0;
  while (pos < data.size()) {
    size_t used = 0;
    const Step step = ReadFrame(data.substr(pos), used);
    if (step == Step::kNeedMore) break;
    if (step == Step::kBroken) {
      Reset();
      return FeedResult::kBrokenStream;
    }
    pos += used;
    if (resets_ != resets) return FeedResult::kOk;
  }

  if (pending.empty()) {
    buffer_.assign(data.substr(pos));
  } else {
    pending.erase(0, pos);
    buffer_ = std::move(pending);
  }
  return FeedResult::kOk;
}

FrameReader::Step FrameReader::ReadFrame(std::string_view data, size_t& used) {
  size_t lengthSize = 0;
  const uint64_t length = HeadVarint(data, lengthSize);
  if (lengthSize == 0) return data.size() < kMaxVarintBytes ? Step::kNeedMore : Step::kBroken;
  if (lengthSize == 1 && length == 0) {  // keepalive
    used = 1;
    if (keepalive_sink_) keepalive_sink_();
    return Step::kNext;
  }
  if (length > kMaxFrameLength) return Step::kBroken;
  if (data.size() - lengthSize < length) return Step::kNeedMore;

  used = lengthSize + static_cast<size_t>(length);
  const std::string_view frame = data.substr(lengthSize, static_cast<size_t>(length));
  FrameHeader header;
  header.length = static_cast<uint32_t>(length);
  if (header.UnpackData(frame) != codec::PACK_OK) return Step::kNext;
  return Deliver(header, frame.substr(header.ReadPosition()));
}

FrameReader::Step FrameReader::Deliver(const FrameHeader& header, std::string_view payload) {
  std::string decrypted;
  std::string_view plain = payload;
  if (header.flags & kFrameEncrypted) {
    decrypted = net::AesDecode(session_key_, std::string(payload), false);
    if (decrypted.empty()) return Step::kNext;
    plain = decrypted;
  }

  std::string inflated;
  if (header.flags & kFrameCompressed) {
    codec::PackStream lengthReader;
    lengthReader.BindSource(plain);
    uint64_t inflatedSize = 0;
    if (codec::PackStream::CatchUnpackErrors([&] { inflatedSize = lengthReader.GetVarint(); }) !=
        codec::PACK_OK) {
      return Step::kNext;
    }
    if (inflatedSize > kMaxFrameLength) return Step::kBroken;
    std::string deflated;
    if (decrypted.empty()) {
      deflated.assign(plain.substr(lengthReader.ReadPosition()));
    } else {
      decrypted.erase(0, lengthReader.ReadPosition());
      deflated = std::move(decrypted);
    }
    if (!net::UnCompress(deflated, static_cast<size_t>(inflatedSize) + 100, inflated)) {
      return Step::kNext;
    }
    plain = inflated;
  }

  RpcEnvelope envelope;
  if (envelope.UnpackData(plain) != codec::PACK_OK) return Step::kNext;
  std::string_view body = plain.substr(envelope.ReadPosition());
  std::string unwrapped;
  if (IsWrappedBody(envelope._interface, envelope._method)) {
    unwrapped = UnwrapBody(body);
    body = unwrapped;
  }
  sink_(header.sessionId, envelope, body);
  return Step::kNext;
}

}  // namespace nexalib
