#pragma once

// What every frame-reader fuzz target checks: delivered views are readable, a broken
// stream leaves nothing buffered, and the buffer never holds more than one frame.

#include <cstdlib>
#include <string_view>

#include "nexa/frame_reader.h"

namespace fuzz_codec {

inline nexalib::FrameReader::MessageSink CheckingSink() {
  return [](int32_t, const nexalib::RpcEnvelope& envelope, std::string_view body) {
    unsigned sum = 0;
    for (char c : envelope._interface) sum += static_cast<unsigned char>(c);
    for (char c : body) sum += static_cast<unsigned char>(c);
    [[maybe_unused]] static volatile unsigned touched;
    touched = sum;
  };
}

inline void CheckFeed(nexalib::FrameReader& reader, std::string_view bytes) {
  const nexalib::FeedResult result = reader.Feed(bytes);
  if (result == nexalib::FeedResult::kBrokenStream && reader.BufferedBytes() != 0) std::abort();
  if (reader.BufferedBytes() > nexalib::kMaxFrameLength + 16) std::abort();
}

}  // namespace fuzz_codec
