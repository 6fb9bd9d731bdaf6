// The envelope at the head of every payload, and the wrapped body behind "zq"/"s".

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "nexa/rpc_envelope.h"
#include "roundtrip_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  fuzz_codec::CheckRoundTrip<nexalib::RpcEnvelope>(input);
  (void)nexalib::UnwrapBody(input);
  return 0;
}
