// Received chunks appended through the real main window, shown under the session's display:
// the time per append of the first and the last 10,000 of 100,000, and the longest time the
// window took to answer a message meanwhile.
//
// The first and the last 10,000 chunks arrive one at a time (the peer sends the next one only
// when the previous one is in the transcript), so each append is shown on its own; the 80,000
// between them arrive as fast as the connection carries them.
#include <windows.h>
#include <winsock2.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "bench/win32/BenchWindow.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kTotal = 100'000;
constexpr int kMeasured = 10'000;

std::string Chunk(int index) {
  char text[64];
  std::snprintf(text, sizeof text, "chunk %06d of the window benchmark, sixty bytes long...",
                index);
  return text;
}

struct Shared {
  std::atomic<int> appended{0};
  std::atomic<bool> done{false};
  std::atomic<long long> longest_answer_us{0};
  std::atomic<int> longest_at{0};
  Clock::time_point stamps[kTotal + 1];
};

// The peer: paced phases wait for each chunk to be shown before sending the next.
void Peer(SOCKET listener, Shared& shared) {
  SOCKET peer = accept(listener, nullptr, nullptr);
  BOOL no_delay = TRUE;
  setsockopt(peer, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&no_delay),
             sizeof no_delay);
  auto send_chunk = [&](int index) {
    std::string chunk = Chunk(index);
    send(peer, chunk.data(), static_cast<int>(chunk.size()), 0);
  };
  auto wait_for = [&](int count) {
    while (shared.appended.load() < count) std::this_thread::yield();
  };
  for (int i = 0; i < kMeasured; ++i) {
    send_chunk(i);
    wait_for(i + 1);
  }
  for (int i = kMeasured; i < kTotal - kMeasured; ++i) send_chunk(i);
  // The flood arrives in fewer reads than chunks: wait until its last bytes are shown.
  while (true) {
    int seen = shared.appended.load();
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    if (shared.appended.load() == seen) break;
  }
  const int base = shared.appended.load();
  for (int i = 0; i < kMeasured; ++i) {
    send_chunk(kTotal - kMeasured + i);
    wait_for(base + i + 1);
  }
  shared.done = true;
  closesocket(peer);
}

// Asks the window for an answer every 5 ms and keeps the longest wait.
void Watcher(HWND window, Shared& shared) {
  while (!shared.done) {
    auto start = Clock::now();
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &result);
    long long us =
        std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start).count();
    if (us > shared.longest_answer_us) {
      shared.longest_answer_us = us;
      shared.longest_at = shared.appended.load();
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

double MeanMs(const Shared& shared, int first, int last) {
  return std::chrono::duration<double, std::milli>(shared.stamps[last] - shared.stamps[first])
             .count() /
         (last - first);
}

}  // namespace

int main() {
  unsigned short port = 0;
  SOCKET listener = ListenOnLoopback(port);

  static Shared shared;
  BenchWindow window("zirk-window-bench");
  TForm1& form = *window.form;
  auto shown = form.cs2.OnRead;
  form.cs2.OnRead = [&](TObject* sender, TAsyncSocket* socket) {
    shown(sender, socket);
    int count = shared.appended.load() + 1;
    if (count <= kTotal) shared.stamps[count] = Clock::now();
    shared.appended = count;
  };

  std::thread peer(Peer, listener, std::ref(shared));
  std::thread watcher(Watcher, form.Handle(), std::ref(shared));
  window.Connect(port, 1);
  shared.stamps[0] = Clock::now();
  // The longest single message the loop handled, beside the watcher's view from outside.
  double slowest_ms = 0;
  while (!shared.done) {
    auto start = Clock::now();
    window.app.HandleMessage();
    slowest_ms = std::max(slowest_ms,
                          std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  peer.join();
  watcher.join();

  const int total = shared.appended.load();
  std::printf("appends: %d (chunks sent: %d; the flood arrived in %d reads)\n", total, kTotal,
              total - 2 * kMeasured);
  std::printf("first %d: %.3f ms per append\n", kMeasured, MeanMs(shared, 1, kMeasured));
  std::printf("last %d: %.3f ms per append\n", kMeasured, MeanMs(shared, total - kMeasured, total));
  std::printf("longest wait for the window to answer a message: %.1f ms (after %d appends)\n",
              shared.longest_answer_us.load() / 1000.0, shared.longest_at.load());
  std::printf("longest single message handled: %.1f ms\n", slowest_ms);
  std::printf("transcript: %zu bytes\n", form.TheTranscript().Text().size());
  form.DConB.Click();
  return 0;
}
