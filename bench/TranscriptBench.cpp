// Appending received lines to the transcript: the cost of one append must not grow with the
// transcript. Reports the mean time per append of the first and the last 100,000 of 1,000,000.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <string>

#include "core/Transcript.h"
#include "platform/Files.h"

namespace {

void BM_TranscriptAppendMillion(benchmark::State& state) {
  const std::string line = "> " + std::string(58, 'x');  // a 60-byte received-line entry
  constexpr int kTotal = 1'000'000;
  constexpr int kSlice = 100'000;
  double first_ns = 0;
  double last_ns = 0;
  double slowest_slice_ns = 0;
  for (auto _ : state) {
    PlatformFileSystem files;
    Transcript transcript(files);
    size_t seen = 0;
    transcript.OnChange = [&](const Transcript::Change& change) { seen += change.appended.size(); };
    for (int slice = 0; slice < kTotal / kSlice; ++slice) {
      auto start = std::chrono::steady_clock::now();
      for (int i = 0; i < kSlice; ++i) transcript.Append(line);
      auto ns = std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start)
                    .count();
      slowest_slice_ns = std::max(slowest_slice_ns, ns / kSlice);
      if (slice == 0) first_ns = ns / kSlice;
      if (slice == kTotal / kSlice - 1) last_ns = ns / kSlice;
    }
    benchmark::DoNotOptimize(seen);
  }
  state.counters["first_100k_ns_per_append"] = first_ns;
  state.counters["last_100k_ns_per_append"] = last_ns;
  state.counters["slowest_100k_ns_per_append"] = slowest_slice_ns;
}
BENCHMARK(BM_TranscriptAppendMillion)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace
