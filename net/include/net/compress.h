#pragma once

// zlib-format compression. Streams are kept per thread, so repeated calls do not
// rebuild compressor state; the calls stay stateless for the caller.

#include <cstddef>
#include <string>

namespace net {

// Compresses `in` into `out` (replaced) at zlib `level` (-1 = default, 0..9).
// False on a bad level or a zlib failure; `out` is then empty.
[[nodiscard]] bool Compress(const std::string& in, std::string& out, int level = -1);

// Decompresses the complete zlib stream `in` into `out` (replaced). False, with `out` empty,
// when the stream is corrupt or truncated, has trailing bytes, or would produce more than
// `limit` bytes. Memory use is bounded by `limit`.
[[nodiscard]] bool UnCompress(const std::string& in, std::size_t limit, std::string& out);

}  // namespace net
