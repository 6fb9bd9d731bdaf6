// Compress+uncompress of JSON-like text: net's calls (per-thread streams, reset between
// calls) beside zlib's compress2/uncompress, which build their state on every call.

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <string>

#include "net/compress.h"
#include "support/sample_text.h"

namespace {

void BM_CompressNet(benchmark::State& state) {
  std::string plain = net::testing::JsonLikeText(static_cast<std::size_t>(state.range(0)));
  std::string packed, unpacked;
  for (auto _ : state) {
    bool ok = net::Compress(plain, packed, -1) && net::UnCompress(packed, plain.size() + 100, unpacked);
    benchmark::DoNotOptimize(ok);
  }
  state.SetBytesProcessed(state.iterations() * state.range(0));
}

void BM_CompressZlibOneShot(benchmark::State& state) {
  std::string plain = net::testing::JsonLikeText(static_cast<std::size_t>(state.range(0)));
  std::string packed(compressBound(static_cast<uLong>(plain.size())), '\0');
  std::string unpacked(plain.size() + 100, '\0');
  for (auto _ : state) {
    uLongf packedSize = static_cast<uLongf>(packed.size());
    compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize,
              reinterpret_cast<const Bytef*>(plain.data()), static_cast<uLong>(plain.size()), -1);
    uLongf unpackedSize = static_cast<uLongf>(unpacked.size());
    int result = uncompress(reinterpret_cast<Bytef*>(unpacked.data()), &unpackedSize,
                            reinterpret_cast<const Bytef*>(packed.data()), packedSize);
    benchmark::DoNotOptimize(result);
  }
  state.SetBytesProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_CompressNet)->Arg(1024)->Arg(16 * 1024);
BENCHMARK(BM_CompressZlibOneShot)->Arg(1024)->Arg(16 * 1024);

}  // namespace
