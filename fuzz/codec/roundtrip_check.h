#pragma once

// A record that unpacks must pack to exactly PackedSize() bytes and unpack from those to
// the same value, and pack to the same bytes again.

#include <cstdlib>
#include <string>
#include <string_view>

#include "codec/pack_types.h"

namespace fuzz_codec {

template <class Record>
void CheckRoundTrip(std::string_view input) {
  Record first;
  if (first.UnpackData(input) != codec::PACK_OK) return;
  if (first.ReadPosition() > input.size()) std::abort();
  std::string packed;
  first.PackData(packed);
  if (packed.size() != first.PackedSize()) std::abort();
  Record second;
  if (second.UnpackData(packed) != codec::PACK_OK || second.ReadPosition() != packed.size()) {
    std::abort();
  }
  if (!(second == first)) std::abort();
  std::string again;
  second.PackData(again);
  if (again != packed) std::abort();
}

}  // namespace fuzz_codec
