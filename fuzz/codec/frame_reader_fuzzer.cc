// Raw bytes into an unencrypted stream, delivered in reads whose sizes the input picks.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "frame_sink_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const size_t chunk = data[0] + 1u;
  std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  nexalib::FrameReader reader(fuzz_codec::CheckingSink());
  while (!bytes.empty()) {
    fuzz_codec::CheckFeed(reader, bytes.substr(0, chunk));
    bytes.remove_prefix(std::min(chunk, bytes.size()));
  }
  return 0;
}
