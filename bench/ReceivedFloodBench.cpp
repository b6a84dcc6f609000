// A peer flooding the event-driven transport, each read appended to the transcript as the
// connection controller appends it and indexed into lines as the transcript view indexes it:
// 30 MB without a line end, and 1,000,000 lines of 60 bytes. Reports the longest read and the
// 99th percentile (the time the window would not answer), the bytes a read takes, and the
// peak resident memory per transcript byte above what the process had before.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/EventBenchPeer.h"
#include "bench/PeakMemory.h"
#include "core/Texts.h"
#include "core/Transcript.h"
#include "platform/EventLoop.h"
#include "platform/Files.h"
#include "shell/logic/LineIndex.h"
#include "transport/event/EventClient.h"

namespace {

std::string FloodText(bool lines) {
  std::string text;
  if (!lines) {
    text.resize(30'000'000);
    for (size_t i = 0; i < text.size(); ++i) {
      text[i] = static_cast<char>(i % 97 == 96 ? ' ' : 'a' + i % 26);
    }
    return text;
  }
  text.reserve(60'000'000);
  char line[64];
  for (int i = 0; i < 1'000'000; ++i) {
    // 60 bytes, the line end included.
    const int length = std::snprintf(
        line, sizeof line, "line %07d of the benchmark, sixty bytes in all.........\r\n", i);
    text.append(line, static_cast<size_t>(length));
  }
  return text;
}

void BM_ReceivedFlood(benchmark::State& state) {
  const std::string text = FloodText(state.range(0) == 1);
  std::vector<double> reads_ms;
  size_t shown = 0;
  ResetPeakMemory();
  const auto resident_before = static_cast<double>(StatusBytes("VmRSS:"));
  for (auto _ : state) {
    bench_peer::Peer peer;
    peer.StartSendingText(text);
    PlatformFileSystem files;
    Transcript transcript(files);
    LineIndex lines;
    transcript.OnChange = [&](const Transcript::Change&) { lines.Update(transcript.Text()); };
    bool closed = false;
    TEventClient client;
    client.OnRead = [&](TObject*, TAsyncSocket* socket) {
      const auto start = std::chrono::steady_clock::now();
      transcript.Append(texts::kReceivedPrefix, socket->ReceiveString());
      reads_ms.push_back(
          std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
              .count());
    };
    client.OnDisconnect = [&](TObject*, TAsyncSocket*) { closed = true; };
    client.SetAddress("127.0.0.1");
    client.SetPort(peer.Port());
    client.SetActive(true);
    while (!closed) RunPendingEvents(1000);
    shown = transcript.Text().size();
  }
  std::sort(reads_ms.begin(), reads_ms.end());
  state.counters["reads"] = static_cast<double>(reads_ms.size());
  state.counters["KiB_per_read"] = static_cast<double>(shown) / 1024 / (reads_ms.size() + 1);
  state.counters["p99_read_ms"] = reads_ms.empty() ? 0 : reads_ms[reads_ms.size() * 99 / 100];
  state.counters["longest_read_ms"] = reads_ms.empty() ? 0 : reads_ms.back();
  state.counters["peak_bytes_per_byte"] =
      (static_cast<double>(StatusBytes("VmHWM:")) - resident_before) / static_cast<double>(shown);
}
BENCHMARK(BM_ReceivedFlood)
    ->Arg(0)
    ->Arg(1)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
