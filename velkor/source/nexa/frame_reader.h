#pragma once

// Incoming frames. The reader collects what the connection delivers, skips keepalives,
// waits for partial frames, and hands every complete message to its sink in order.
// Frames that fail their header check, decryption, decompression or envelope are dropped;
// the stream goes on with the next frame.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>

#include "nexa/frame_header.h"
#include "nexa/rpc_envelope.h"

namespace nexalib {

// Larger declared frame or uncompressed lengths mean a broken stream, not a frame to
// wait for.
inline constexpr size_t kMaxFrameLength = 16 * 1024 * 1024;

enum class FeedResult {
  kOk,
  // A declared length above kMaxFrameLength: the buffer is dropped and the connection
  // should be closed.
  kBrokenStream,
};

class FrameReader {
 public:
  // `body` is the message body after the envelope, already unwrapped for "zq"/"s". Both
  // views live until the sink returns. The sink may call SetSessionKey or Reset, but not Feed.
  using MessageSink =
      std::function<void(int32_t sessionId, const RpcEnvelope& envelope, std::string_view body)>;

  explicit FrameReader(MessageSink sink);
  FrameReader(const FrameReader&) = delete;
  FrameReader& operator=(const FrameReader&) = delete;

  // Called for every keepalive in the stream; the channel ignores them, a peer may count them.
  void SetKeepaliveSink(std::function<void()> sink) { keepalive_sink_ = std::move(sink); }

  // Key for the encrypted frames that follow; frames are decrypted by their flag.
  void SetSessionKey(std::string sessionKey) { session_key_ = std::move(sessionKey); }

  // Takes the next bytes of the stream and delivers the messages they complete.
  [[nodiscard]] FeedResult Feed(std::string_view bytes);

  // Forgets the buffered bytes, for a new connection. From inside the sink it also stops
  // the delivery of the rest of the current Feed.
  void Reset();

  size_t BufferedBytes() const { return buffer_.size(); }

 private:
  enum class Step { kNeedMore, kNext, kBroken };

  // One keepalive or frame from the head of `data`; `used` is its size.
  Step ReadFrame(std::string_view data, size_t& used);
  Step Deliver(const FrameHeader& header, std::string_view payload);

  MessageSink sink_;
  std::function<void()> keepalive_sink_;
  std::string session_key_;
  std::string buffer_;  // bytes of a frame that has not fully arrived
  uint64_t resets_ = 0;  // counts Reset calls, so that a drain notices one from the sink
};

}  // namespace nexalib
