// Receive throughput of the event-driven transport: a loopback peer sends 256 MiB as fast as it
// can; the client takes each read notification's bytes with ReceiveString into a handler that
// only checks them. The baseline, in the same run, is a plain non-blocking recv loop over poll()
// doing the same check. Both report MiB/s, the byte count and the byte sum against the sent one.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <poll.h>

#include "bench/EventBenchPeer.h"
#include "platform/EventLoop.h"
#include "transport/event/EventClient.h"

namespace {

constexpr uint64_t kTotal = 256ull << 20;

void Report(benchmark::State& state, const bench_peer::StreamCheck& check) {
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kTotal));
  state.counters["bytes"] = static_cast<double>(check.Received());
  state.counters["sum_matches"] = check.Sum() == bench_peer::SentSum(kTotal) ? 1 : 0;
  state.counters["mismatched_pieces"] = static_cast<double>(check.Mismatches());
}

void BM_EventReceiveString(benchmark::State& state) {
  bench_peer::StreamCheck check;
  for (auto _ : state) {
    bench_peer::Peer peer;
    peer.StartSending(kTotal);
    check = bench_peer::StreamCheck();
    bool closed = false;
    TEventClient client;
    client.OnRead = [&](TObject*, TAsyncSocket* socket) {
      const std::string_view chunk = socket->ReceiveString();
      check.Add(chunk.data(), chunk.size());
    };
    client.OnDisconnect = [&](TObject*, TAsyncSocket*) { closed = true; };
    client.SetAddress("127.0.0.1");
    client.SetPort(peer.Port());
    client.SetActive(true);
    while (!closed) RunPendingEvents(1000);
  }
  Report(state, check);
}
BENCHMARK(BM_EventReceiveString)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PlainRecvLoop(benchmark::State& state) {
  bench_peer::StreamCheck check;
  std::vector<char> buffer(1 << 20);
  for (auto _ : state) {
    bench_peer::Peer peer;
    peer.StartSending(kTotal);
    check = bench_peer::StreamCheck();
    int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(peer.Port());
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::fcntl(s, F_SETFL, O_NONBLOCK);
    for (;;) {
      pollfd entry{s, POLLIN, 0};
      ::poll(&entry, 1, 1000);
      ssize_t got = ::recv(s, buffer.data(), buffer.size(), 0);
      if (got == 0 || (got < 0 && errno != EAGAIN)) break;
      if (got > 0) check.Add(buffer.data(), static_cast<size_t>(got));
    }
    ::close(s);
  }
  Report(state, check);
}
BENCHMARK(BM_PlainRecvLoop)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
