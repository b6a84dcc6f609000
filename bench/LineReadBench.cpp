// ReadLine's cost and memory: bytes arrive from an in-memory peer in 32 KiB pieces, as a
// stream of 100-byte lines or without any line end, and each figure has its baseline from the
// same run (a plain memchr pass over the same bytes, and for lines also memchr with a string
// made per line; for memory, reading as the transport did before lines were bounded:
// everything kept until a line end arrives).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "bench/PeakMemory.h"
#include "platform/Sockets.h"
#include "transport/line/LineClient.h"

namespace {

constexpr size_t kMiB = size_t{1} << 20;
constexpr size_t kArrival = 32 * 1024;

// The bytes a peer sends: a buffer served once, or one block repeated up to a total.
struct Stream {
  const char* block = nullptr;
  size_t block_size = 0;
  size_t total = 0;
  size_t offset = 0;

  size_t Left() const { return total - offset; }
};

// One connected socket whose peer's bytes come from a Stream, at most one 32 KiB arrival per
// receive; when the stream is used up the socket is never readable again.
class StreamSockets final : public Sockets {
 public:
  explicit StreamSockets(Stream& stream) : stream_(stream) {}

  SocketsStart Start(const std::string&, uint16_t, SocketsVersion&) override {
    return SocketsStart::Started;
  }
  int Stop() override { return 0; }
  int LastError() override { return 0; }
  SocketHandle Socket(int, int) override { return 7; }
  int Bind(SocketHandle, const SocketAddress&) override { return 0; }
  int Connect(SocketHandle, const SocketAddress&) override { return 0; }
  int LocalName(SocketHandle, SocketAddress&) override { return 0; }
  int PeerName(SocketHandle, SocketAddress&) override { return 0; }
  int Receive(SocketHandle, char* buffer, int length) override {
    // The arrival in progress ends at the next multiple of kArrival.
    const size_t arrival_left = kArrival - stream_.offset % kArrival;
    const size_t n = std::min({static_cast<size_t>(length), arrival_left, stream_.Left()});
    size_t done = 0;
    while (done < n) {
      const size_t at = (stream_.offset + done) % stream_.block_size;
      const size_t piece = std::min(n - done, stream_.block_size - at);
      std::memcpy(buffer + done, stream_.block + at, piece);
      done += piece;
    }
    stream_.offset += n;
    return static_cast<int>(n);
  }
  int Send(SocketHandle, const char*, int length) override { return length; }
  int BytesWaiting(SocketHandle) override { return 0; }
  int SelectReadable(const std::vector<SocketHandle>&, const WaitTime*) override {
    return stream_.Left() > 0 ? 1 : 0;
  }
  // The bytes are there at once: no time passes while they are read.
  int64_t Microseconds() override { return 0; }
  int SetOption(SocketHandle, int, int, int32_t) override { return 0; }
  int Shutdown(SocketHandle, int) override { return 0; }
  int CloseSocket(SocketHandle) override { return 0; }
  bool HostByName(const std::string&, Ipv4Address&) override { return false; }
  bool ServiceByName(const std::string&, uint16_t&) override { return false; }
  Ipv4Address ParseAddress(const std::string&) override { return {}; }
  // The line transport selects no events and looks nothing up asynchronously.
  int SelectEvents(SocketHandle, uint8_t) override { return kSocketError; }
  LookupRequest LookupHost(const std::string&) override { return 0; }
  LookupRequest LookupService(const std::string&) override { return 0; }
  int CancelLookup(LookupRequest) override { return kSocketError; }

 private:
  Stream& stream_;
};

// Lines of 99 bytes and LF, or one run of bytes without LF.
std::string MakeBytes(size_t size, bool with_lines) {
  std::string bytes(size, 'x');
  if (with_lines) {
    for (size_t i = 99; i < size; i += 100) bytes[i] = '\n';
  }
  return bytes;
}

const std::string& Bytes(size_t mib, bool with_lines) {
  static std::string cached[2][65];
  std::string& bytes = cached[with_lines][mib];
  if (bytes.empty()) bytes = MakeBytes(mib * kMiB, with_lines);
  return bytes;
}

// A line client connected to a stream for the length of one benchmark.
class StreamClient {
 public:
  explicit StreamClient(Stream& stream)
      : previous_(SetSocketsSource([&stream](SocketEvents*, TObject*) {
          return std::make_unique<StreamSockets>(stream);
        })) {
    client_ = std::make_unique<TLineClient>();
    client_->SetHost("127.0.0.1");
  }
  ~StreamClient() {
    client_.reset();
    SetSocketsSource(std::move(previous_));
  }
  TLineClient& operator*() { return *client_; }
  TLineClient* operator->() { return client_.get(); }

 private:
  SocketsFactory previous_;
  std::unique_ptr<TLineClient> client_;
};

// Reads lines until nothing more arrives; the number of lines. Tracks the peak of memory held
// for pending input.
size_t ReadAll(TLineClient& client, size_t& peak_pending) {
  size_t lines = 0;
  for (;;) {
    std::string line = client.ReadLine("", 0);
    peak_pending = std::max(peak_pending, client.PendingInput().Capacity());
    if (client.LineTimedOut()) return lines;
    benchmark::DoNotOptimize(line.data());
    ++lines;
  }
}

void ReadLineOver(benchmark::State& state, bool with_lines) {
  const std::string& bytes = Bytes(static_cast<size_t>(state.range(0)), with_lines);
  Stream stream{bytes.data(), bytes.size(), bytes.size()};
  StreamClient client(stream);
  size_t lines = 0;
  size_t peak = 0;
  for (auto _ : state) {
    stream.offset = 0;
    client->Open();
    lines = ReadAll(*client, peak);
    client->Close();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
  state.counters["lines"] = static_cast<double>(lines);
  state.counters["ns_per_byte"] =
      benchmark::Counter(static_cast<double>(state.iterations() * bytes.size()),
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void MemchrOver(benchmark::State& state, bool with_lines) {
  const std::string& bytes = Bytes(static_cast<size_t>(state.range(0)), with_lines);
  size_t lines = 0;
  for (auto _ : state) {
    lines = 0;
    const char* p = bytes.data();
    const char* end = p + bytes.size();
    while (const void* lf = std::memchr(p, '\n', static_cast<size_t>(end - p))) {
      p = static_cast<const char*>(lf) + 1;
      ++lines;
    }
    benchmark::DoNotOptimize(lines);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
  state.counters["lines"] = static_cast<double>(lines);
  state.counters["ns_per_byte"] =
      benchmark::Counter(static_cast<double>(state.iterations() * bytes.size()),
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// A second baseline for lines: memchr plus one string made for each line, the least work that
// returns every line as its own text.
void BM_LineMemchrCopy_Lines(benchmark::State& state) {
  const std::string& bytes = Bytes(static_cast<size_t>(state.range(0)), true);
  for (auto _ : state) {
    const char* p = bytes.data();
    const char* end = p + bytes.size();
    while (const void* lf = std::memchr(p, '\n', static_cast<size_t>(end - p))) {
      std::string line(p, static_cast<const char*>(lf));
      benchmark::DoNotOptimize(line.data());
      p = static_cast<const char*>(lf) + 1;
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}

void BM_LineMemchr_Lines(benchmark::State& state) {
  MemchrOver(state, true);
}
void BM_LineRead_Lines(benchmark::State& state) {
  ReadLineOver(state, true);
}
void BM_LineMemchr_NoLineEnd(benchmark::State& state) {
  MemchrOver(state, false);
}
void BM_LineRead_NoLineEnd(benchmark::State& state) {
  ReadLineOver(state, false);
}
BENCHMARK(BM_LineMemchr_Lines)->Arg(16)->Arg(32)->Arg(64)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LineMemchrCopy_Lines)->Arg(16)->Arg(32)->Arg(64)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LineRead_Lines)->Arg(16)->Arg(32)->Arg(64)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LineMemchr_NoLineEnd)->Arg(16)->Arg(32)->Arg(64)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LineRead_NoLineEnd)->Arg(16)->Arg(32)->Arg(64)->Unit(benchmark::kMillisecond);

constexpr size_t kFloodMiB = 256;

// Memory while a peer sends 256 MiB without a line end: with the bound, what the transport
// holds stays near one line plus the receive block.
void BM_LineFlood_Bounded(benchmark::State& state) {
  static const std::string block(kArrival, 'x');
  Stream stream{block.data(), block.size(), kFloodMiB * kMiB};
  StreamClient client(stream);
  size_t peak = 0;
  size_t rss_growth = 0;
  for (auto _ : state) {
    stream.offset = 0;
    ResetPeakMemory();
    const size_t before = StatusBytes("VmRSS:");
    client->Open();
    ReadAll(*client, peak);
    client->Close();
    rss_growth = StatusBytes("VmHWM:") - std::min(before, StatusBytes("VmHWM:"));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * stream.total));
  state.counters["peak_pending_MiB"] = static_cast<double>(peak) / kMiB;
  state.counters["recv_block_KiB"] = client->RecvBufferSize() / 1024.0;
  state.counters["peak_rss_growth_MiB"] = static_cast<double>(rss_growth) / kMiB;
}

// The baseline: the same flood kept whole while waiting for a line end that never comes, the
// received bytes searched once each (so only memory differs).
void BM_LineFlood_Unbounded(benchmark::State& state) {
  static const std::string block(kArrival, 'x');
  Stream stream{block.data(), block.size(), kFloodMiB * kMiB};
  StreamSockets sockets(stream);
  size_t peak = 0;
  size_t rss_growth = 0;
  for (auto _ : state) {
    stream.offset = 0;
    ResetPeakMemory();
    const size_t before = StatusBytes("VmRSS:");
    {
      TByteBuffer pending;
      char receive_block[kArrival];
      while (sockets.SelectReadable({7}, nullptr) == 1) {
        const int n = sockets.Receive(7, receive_block, sizeof receive_block);
        const size_t searched = pending.Size();
        pending.Append(receive_block, static_cast<size_t>(n));
        benchmark::DoNotOptimize(
            std::memchr(pending.Data() + searched, '\n', static_cast<size_t>(n)));
        peak = std::max(peak, pending.Capacity());
      }
      rss_growth = StatusBytes("VmHWM:") - std::min(before, StatusBytes("VmHWM:"));
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * stream.total));
  state.counters["peak_pending_MiB"] = static_cast<double>(peak) / kMiB;
  state.counters["peak_rss_growth_MiB"] = static_cast<double>(rss_growth) / kMiB;
}
BENCHMARK(BM_LineFlood_Unbounded)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LineFlood_Bounded)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
