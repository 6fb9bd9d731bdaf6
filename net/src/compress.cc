#include "net/compress.h"

#include <zlib.h>

#include <algorithm>
#include <climits>

#include "thread_cache.h"

namespace net {
namespace {

using detail::PerThread;

// A deflate stream kept for the life of the thread: deflateInit allocates about 256 KiB
// of state, which would dominate the cost of compressing a small frame.
class CDeflateStream {
 public:
  CDeflateStream() { ready_ = deflateInit(&stream_, Z_DEFAULT_COMPRESSION) == Z_OK; }
  ~CDeflateStream() {
    if (ready_) deflateEnd(&stream_);
  }
  CDeflateStream(const CDeflateStream&) = delete;
  CDeflateStream& operator=(const CDeflateStream&) = delete;

  // The stream reset and set to `level`, or null when zlib refused.
  z_stream* Prepare(int level) {
    if (!ready_ || deflateReset(&stream_) != Z_OK) return nullptr;
    if (level != level_) {
      if (deflateParams(&stream_, level, Z_DEFAULT_STRATEGY) != Z_OK) return nullptr;
      level_ = level;
    }
    return &stream_;
  }

 private:
  z_stream stream_{};
  bool ready_ = false;
  int level_ = Z_DEFAULT_COMPRESSION;
};

class CInflateStream {
 public:
  CInflateStream() { ready_ = inflateInit(&stream_) == Z_OK; }
  ~CInflateStream() {
    if (ready_) inflateEnd(&stream_);
  }
  CInflateStream(const CInflateStream&) = delete;
  CInflateStream& operator=(const CInflateStream&) = delete;

  z_stream* Prepare() {
    if (!ready_ || inflateReset(&stream_) != Z_OK) return nullptr;
    return &stream_;
  }

 private:
  z_stream stream_{};
  bool ready_ = false;
};

Bytef* InputBytes(const std::string& in) {
  // zlib's next_in is not const-qualified but is never written through.
  return reinterpret_cast<Bytef*>(const_cast<char*>(in.data()));
}

// Inflates into `out` until the stream ends; false on corrupt input or when the output
// would pass `limit`.
bool InflateBounded(z_stream& stream, std::size_t limit, std::string& out) {
  std::size_t produced = 0;
  for (;;) {
    if (produced == out.size()) {
      if (out.size() == limit) {
        // Full at the limit: the stream must end here without one more byte.
        Bytef probe = 0;
        stream.next_out = &probe;
        stream.avail_out = 1;
        int result = inflate(&stream, Z_FINISH);
        return result == Z_STREAM_END && stream.avail_out == 1 && stream.avail_in == 0;
      }
      out.resize(std::min(limit, std::max<std::size_t>(out.size() * 2, 1)));
    }
    std::size_t room = std::min<std::size_t>(out.size() - produced, UINT_MAX);
    stream.next_out = reinterpret_cast<Bytef*>(out.data() + produced);
    stream.avail_out = static_cast<uInt>(room);
    int result = inflate(&stream, Z_FINISH);
    produced += room - stream.avail_out;
    if (result == Z_STREAM_END) {
      out.resize(produced);
      return stream.avail_in == 0;  // trailing bytes mean a broken frame
    }
    // Z_BUF_ERROR with room left means the input ended before the stream did.
    if ((result != Z_OK && result != Z_BUF_ERROR) || stream.avail_out != 0) return false;
  }
}

}  // namespace

bool Compress(const std::string& in, std::string& out, int level) {
  out.clear();
  if (level < Z_DEFAULT_COMPRESSION || level > Z_BEST_COMPRESSION || in.size() > UINT_MAX) {
    return false;
  }
  CDeflateStream* deflater = PerThread<CDeflateStream>();
  z_stream* stream = deflater != nullptr ? deflater->Prepare(level) : nullptr;
  if (stream == nullptr) return false;

  uLong bound = deflateBound(stream, static_cast<uLong>(in.size()));
  out.resize(bound);
  stream->next_in = InputBytes(in);
  stream->avail_in = static_cast<uInt>(in.size());
  stream->next_out = reinterpret_cast<Bytef*>(out.data());
  stream->avail_out = static_cast<uInt>(bound);
  // The output has deflateBound room, so a single call finishes the stream.
  if (deflate(stream, Z_FINISH) != Z_STREAM_END) {
    out.clear();
    return false;
  }
  out.resize(bound - stream->avail_out);
  return true;
}

bool UnCompress(const std::string& in, std::size_t limit, std::string& out) {
  out.clear();
  if (in.size() > UINT_MAX) return false;
  CInflateStream* inflater = PerThread<CInflateStream>();
  z_stream* stream = inflater != nullptr ? inflater->Prepare() : nullptr;
  if (stream == nullptr) return false;

  stream->next_in = InputBytes(in);
  stream->avail_in = static_cast<uInt>(in.size());
  // Start near the usual ratio for text so that most frames need one allocation.
  constexpr std::size_t kMinimumStart = 4096;
  out.resize(std::min(limit, std::max(in.size() * 8, kMinimumStart)));
  if (!InflateBounded(*stream, limit, out)) {
    out.clear();
    return false;
  }
  return true;
}

}  // namespace net
