// Send throughput of typed lines: 100,000 lines typed into the outgoing pipeline on the "Server
// Socket" transport (echo, message history and send included) to a loopback peer that reads
// everything. The baseline, in the same run, sends the same lines with one plain send() each.
// Reports lines per second and the bytes the peer got against the bytes typed. The argument is
// the number of distinct lines.
#include <benchmark/benchmark.h>

#include "bench/EventBenchPeer.h"
#include "core/ConnectionController.h"
#include "core/HistoryList.h"
#include "core/OutgoingPipeline.h"
#include "core/Transcript.h"
#include "core/TransportPorts.h"
#include "platform/EventLoop.h"
#include "platform/Files.h"
#include "transport/event/EventClient.h"

namespace {

constexpr int kLines = 100'000;

// Users repeat what they type: the lines cycle through distinct texts, which is also the size
// the message history reaches (it is searched on every line).
std::vector<std::string> TypedLines(int64_t distinct, uint64_t& bytes) {
  std::vector<std::string> lines;
  bytes = 0;
  for (int i = 0; i < kLines; ++i) {
    lines.push_back("PRIVMSG #zirk :typed line number " + std::to_string(i % distinct) + "\n");
    bytes += lines.back().size();
  }
  return lines;
}

class BenchWindow : public ConnectionView, public PipelineView {
 public:
  void SetControlEnabled(ConnectionControl, bool) override {}
  void FocusMessageBox() override {}
  void ShowKindLabel(const std::string&) override {}
  void ShowEndpointLabel(const std::string&) override {}
  void StartPollTimer() override {}
  void StopPollTimer() override {}
  void RepaintWindow() override {}
  std::string AddressText() override { return "127.0.0.1"; }
  int32_t PortValue() override { return port; }
  int32_t TransportIndex() override { return ConnectionController::kEventKind; }
  HistoryList& AddressHistory() override { return addresses; }
  std::string MessageText() override { return message; }
  void ClearMessageText() override { message.clear(); }
  HistoryList& MessageHistory() override { return messages; }
  std::optional<std::filesystem::path> PickFileName() override { return std::nullopt; }
  void RequestTerminate() override {}

  int32_t port = 0;
  std::string message;
  HistoryList addresses;
  HistoryList messages;
};

class NoLineTransport : public LineTransport {
 public:
  void SetHost(const std::string&) override {}
  const std::string& Host() const override { return host_; }
  void SetPort(int32_t) override {}
  int32_t Port() const override { return 0; }
  void Open() override {}
  void Close() override {}
  bool IsOpen() const override { return false; }
  std::string ReadLine(const std::string&, int32_t) override { return std::string(); }
  void WriteLine(const std::string&) override {}

 private:
  std::string host_;
};

void Report(benchmark::State& state, uint64_t typed, uint64_t delivered) {
  state.SetItemsProcessed(state.iterations() * kLines);
  state.counters["lines_per_second"] = benchmark::Counter(
      static_cast<double>(state.iterations() * kLines), benchmark::Counter::kIsRate);
  state.counters["bytes_typed"] = static_cast<double>(typed);
  state.counters["bytes_delivered"] = static_cast<double>(delivered);
}

void BM_PipelineSendTypedLines(benchmark::State& state) {
  uint64_t typed = 0;
  const std::vector<std::string> lines = TypedLines(state.range(0), typed);
  uint64_t delivered = 0;
  for (auto _ : state) {
    bench_peer::Peer peer;
    peer.StartReading();
    BenchWindow window;
    window.port = peer.Port();
    NoLineTransport line;
    PlatformFileSystem files;
    Transcript transcript(files);
    TEventClient client;
    ConnectionController controller(window, transcript, line, client);
    OutgoingPipeline pipeline(window, transcript, controller, line, client);
    client.OnConnect = [&](TObject*, TAsyncSocket*) { controller.HandleConnected(); };
    controller.Connect();
    while (!client.Active()) RunPendingEvents(1000);

    for (const std::string& text : lines) {
      window.message = text;
      pipeline.SendTyped();
    }
    while (client.Socket().UnsentBytes() > 0) RunPendingEvents(1000);
    controller.Disconnect();
    peer.Join();
    delivered = peer.Received();
  }
  Report(state, typed, delivered);
}
BENCHMARK(BM_PipelineSendTypedLines)
    ->Arg(10)
    ->Arg(1000)
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_PlainSendLines(benchmark::State& state) {
  uint64_t typed = 0;
  const std::vector<std::string> lines = TypedLines(state.range(0), typed);
  uint64_t delivered = 0;
  for (auto _ : state) {
    bench_peer::Peer peer;
    peer.StartReading();
    int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(peer.Port());
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
    for (const std::string& text : lines) ::send(s, text.data(), text.size(), MSG_NOSIGNAL);
    ::close(s);
    peer.Join();
    delivered = peer.Received();
  }
  Report(state, typed, delivered);
}
BENCHMARK(BM_PlainSendLines)
    ->Arg(10)
    ->Arg(1000)
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
