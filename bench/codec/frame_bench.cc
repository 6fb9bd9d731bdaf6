// A frame built and read back, encrypted and compressed, beside the compression and AES
// calls of net alone on the same payload: the difference is what the frame code adds.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "nexa/frame_builder.h"
#include "nexa/frame_reader.h"
#include "nexa/rpc_envelope.h"
#include "net/compress.h"
#include "net/crypto.h"

namespace {

const std::string kKey(16, 'k');

// JSON-like text that compresses about as well as the logon answers do.
std::string JsonLike(size_t size) {
  std::string text = "[";
  uint32_t x = 12345;
  while (text.size() < size) {
    x = x * 1103515245 + 12345;
    text += "{\"uid\":\"user" + std::to_string(x % 100000) + "\",\"time\":" + std::to_string(x) +
            ",\"token\":\"" + std::to_string(x * 2654435761u) + "\"},";
  }
  text.resize(size);
  return text;
}

void BM_Frame_BuildAndRead(benchmark::State& state) {
  const std::string body = JsonLike(static_cast<size_t>(state.range(0)));
  nexalib::RpcEnvelope envelope;
  envelope._interface = "LogonProxy";
  envelope._method = "login";
  envelope.callType = nexalib::kCallResponse;
  envelope.seqId = 12;
  size_t delivered = 0;
  nexalib::FrameReader reader(
      [&](int32_t, const nexalib::RpcEnvelope&, std::string_view b) { delivered += b.size(); });
  reader.SetSessionKey(kKey);
  for (auto _ : state) {
    const std::string frame =
        nexalib::BuildFrame(3, nexalib::PackMessage(envelope, body), true, kKey);
    if (reader.Feed(frame) != nexalib::FeedResult::kOk) state.SkipWithError("broken");
  }
  if (delivered != body.size() * state.iterations()) state.SkipWithError("lost frames");
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * body.size()));
}

void BM_Frame_NetCallsAlone(benchmark::State& state) {
  const std::string body = JsonLike(static_cast<size_t>(state.range(0)));
  for (auto _ : state) {
    std::string deflated, inflated;
    if (!net::Compress(body, deflated, -1)) state.SkipWithError("compress");
    const std::string decrypted = net::AesDecode(kKey, net::AesEncode(kKey, deflated), false);
    if (!net::UnCompress(decrypted, body.size() + 100, inflated)) state.SkipWithError("inflate");
    benchmark::DoNotOptimize(inflated.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * body.size()));
}

BENCHMARK(BM_Frame_BuildAndRead)->Arg(1024)->Arg(64 * 1024);
BENCHMARK(BM_Frame_NetCallsAlone)->Arg(1024)->Arg(64 * 1024);

}  // namespace

BENCHMARK_MAIN();
