#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstdlib>

int main(int argc, char** argv) {
  // By default the allocator behaves as in a real process: fresh per-call state is then
  // paid for with pages handed back to the system and faulted in again, which is most
  // of what fresh zlib state costs. NET_BENCH_KEEP_HEAP=1 keeps freed memory in the
  // process, to see the cost of building the state alone.
  if (std::getenv("NET_BENCH_KEEP_HEAP") != nullptr) {
    mallopt(M_TRIM_THRESHOLD, 256 * 1024 * 1024);
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
