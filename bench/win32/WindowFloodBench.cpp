// A peer that talks as fast as it can, through the real main window on the "Server Socket"
// transport:
//   zirk_flood_bench flood   30 MB without a line end
//   zirk_flood_bench lines   1,000,000 lines of 60 bytes, then scrolling top to bottom by pages
// Prints the time from the peer's last byte to the whole text shown, how long the window took
// to answer a message meanwhile (99th percentile and longest), and the process's resident memory
// above the idle window per transcript byte (peak and final), read from /proc under Wine.
#include <windows.h>
#include <winsock2.h>
// After windows.h.
#include <psapi.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "bench/BenchFolders.h"
#include "bench/win32/BenchListener.h"
#include "shell/Unit1.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr size_t kFloodBytes = 30'000'000;
constexpr int kLines = 1'000'000;
constexpr double kGiveUpSeconds = 45;

double Seconds(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double>(to - from).count();
}

// The resident memory now and at its peak, in KiB: Wine reports VmRSS and VmHWM of the Linux
// process that runs this program as the working set and its peak.
struct Memory {
  long rss_kib = 0;
  long peak_kib = 0;
};

Memory ReadMemory() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  K32GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return {static_cast<long>(counters.WorkingSetSize / 1024),
          static_cast<long>(counters.PeakWorkingSetSize / 1024)};
}

struct Shared {
  std::atomic<bool> sent{false};
  std::atomic<bool> stop_watching{false};
  Clock::time_point last_byte;
  std::mutex mutex;
  std::vector<double> answers_ms;
};

void SendAll(SOCKET peer, const char* data, size_t size) {
  while (size > 0) {
    const int sent = send(peer, data, static_cast<int>(std::min<size_t>(size, 1 << 20)), 0);
    if (sent <= 0) return;
    data += sent;
    size -= static_cast<size_t>(sent);
  }
}

void Peer(SOCKET listener, const std::string& payload, Shared& shared) {
  SOCKET peer = accept(listener, nullptr, nullptr);
  SendAll(peer, payload.data(), payload.size());
  shared.last_byte = Clock::now();
  shared.sent = true;
  // Closed once the window has shown everything, so that no disconnect runs meanwhile.
  while (!shared.stop_watching) std::this_thread::sleep_for(std::chrono::milliseconds(20));
  closesocket(peer);
}

// Asks the window for an answer every 10 ms and keeps every wait.
void Watcher(HWND window, Shared& shared) {
  while (!shared.stop_watching) {
    const auto start = Clock::now();
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result);
    const double ms = Seconds(start, Clock::now()) * 1000;
    {
      std::lock_guard<std::mutex> lock(shared.mutex);
      shared.answers_ms.push_back(ms);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

std::string Payload(bool lines) {
  if (!lines) {
    std::string payload(kFloodBytes, '\0');
    for (size_t i = 0; i < payload.size(); ++i) {
      payload[i] = static_cast<char>(i % 97 == 96 ? ' ' : 'a' + i % 26);
    }
    return payload;
  }
  std::string payload;
  payload.reserve(static_cast<size_t>(kLines) * 60);
  char line[64];
  for (int i = 0; i < kLines; ++i) {
    std::snprintf(line, sizeof line, "line %07d of the benchmark, sixty bytes in all.......\r\n",
                  i);
    payload.append(line, 60);
  }
  return payload;
}

// This thread's processor time in ms: the machine may be busy with other work.
double ThreadMs() {
  FILETIME created, exited, kernel, user;
  GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
  auto ms = [](const FILETIME& time) {
    return static_cast<double>((static_cast<unsigned long long>(time.dwHighDateTime) << 32) |
                               time.dwLowDateTime) /
           10000.0;
  };
  return ms(kernel) + ms(user);
}

// Pages through the text at its start, its middle and its end, painting each page: the cost
// of a page at the millionth line against the first.
void ScrollByPages(HWND view) {
  constexpr int kPages = 300;
  auto pages = [&](const char* where, WORD request) {
    double total_ms = 0, longest_ms = 0;
    const double processor_start = ThreadMs();
    for (int i = 0; i < kPages; ++i) {
      const auto start = Clock::now();
      SendMessageW(view, WM_VSCROLL, request, 0);
      UpdateWindow(view);
      const double ms = Seconds(start, Clock::now()) * 1000;
      total_ms += ms;
      longest_ms = std::max(longest_ms, ms);
    }
    std::printf("%d pages %s: %.2f ms a page (%.2f ms of processor time), longest %.1f ms\n",
                kPages, where, total_ms / kPages, (ThreadMs() - processor_start) / kPages,
                longest_ms);
  };
  SendMessageW(view, WM_VSCROLL, SB_TOP, 0);
  pages("down from the top", SB_PAGEDOWN);
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  GetScrollInfo(view, SB_VERT, &info);
  info.fMask = SIF_POS;
  info.nPos = info.nMax / 2;
  SetScrollInfo(view, SB_VERT, &info, FALSE);
  SendMessageW(view, WM_VSCROLL, SB_THUMBPOSITION, 0);
  pages("down from the middle", SB_PAGEDOWN);
  SendMessageW(view, WM_VSCROLL, SB_BOTTOM, 0);
  pages("up from the bottom", SB_PAGEUP);
}

}  // namespace

int main(int argc, char** argv) {
  const bool lines = argc > 1 && std::strcmp(argv[1], "lines") == 0;
  const std::string payload = Payload(lines);
  unsigned short port = 0;
  SOCKET listener = ListenOnLoopback(port);

  const auto folder = std::filesystem::temp_directory_path() / "zirk-flood-bench";
  std::filesystem::create_directories(folder);
  BenchFolders folders(folder.string());
  static Shared shared;

  TApplication app;
  app.SetTitle("ZIRK-bench");
  TForm1& form = *app.CreateForm<TForm1>(&app, &folders);
  form.Show();
  size_t reads = 0;
  auto shown = form.cs2.OnRead;
  for (int i = 0; i < 20; ++i) app.ProcessMessages();
  const Memory idle = ReadMemory();

  std::thread peer(Peer, listener, std::cref(payload), std::ref(shared));
  std::thread watcher(Watcher, form.Handle(), std::ref(shared));
  form.ADRL.SetText("127.0.0.1");
  form.PortED.SetValue(port);
  form.SrvBox.SetItemIndex(1);
  form.ConB.Click();
  const size_t before = form.TheTranscript().Text().size();
  const auto start = Clock::now();
  // The old view could stay inside one message for minutes: a watchdog reports what it saw by
  // then and ends the process.
  std::atomic<size_t> received{0};
  std::atomic<bool> reported{false};
  auto report = [&](bool all_shown, Clock::time_point shown_at) {
    if (reported.exchange(true)) return;
    const Memory memory = ReadMemory();
    std::vector<double> answers;
    {
      std::lock_guard<std::mutex> lock(shared.mutex);
      answers = shared.answers_ms;
    }
    std::sort(answers.begin(), answers.end());
    const double p99 = answers.empty() ? 0 : answers[answers.size() * 99 / 100];
    const double longest = answers.empty() ? 0 : answers.back();
    const double transcript = static_cast<double>(received.load() + before);
    auto per_byte = [&](long kib) {
      return static_cast<double>(kib - idle.rss_kib) * 1024 / transcript;
    };
    std::printf("%s: %zu bytes sent, %.0f bytes in the transcript\n",
                lines ? "1,000,000 lines" : "30 MB without line ends", payload.size(), transcript);
    if (all_shown) {
      std::printf("whole text shown %.2f s after the last byte (%.2f s after connecting)\n",
                  Seconds(shared.last_byte, shown_at), Seconds(start, shown_at));
    } else {
      std::printf(
          "NOT all shown after %.0f s (the transcript holds %.1f%% of the bytes sent)\n",
          Seconds(start, shown_at),
          100.0 * static_cast<double>(received.load()) / static_cast<double>(payload.size()));
    }
    std::printf("window answered %zu messages: 99th percentile %.1f ms, longest %.1f ms\n",
                answers.size(), p99, longest);
    std::printf(
        "resident memory: idle %.1f MiB; peak %.2f bytes and now %.2f bytes per transcript byte "
        "above idle\n",
        idle.rss_kib / 1024.0, per_byte(std::max(memory.peak_kib, memory.rss_kib)),
        per_byte(memory.rss_kib));
    std::fflush(stdout);
  };
  std::thread watchdog([&] {
    while (!reported && Seconds(start, Clock::now()) < kGiveUpSeconds * 2) {
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    if (reported) return;
    report(false, Clock::now());
    ExitProcess(0);
  });
  form.cs2.OnRead = [&](TObject* sender, TAsyncSocket* socket) {
    shown(sender, socket);
    received = form.TheTranscript().Text().size() - before - 4 * ++reads;
  };
  bool all_shown = false;
  double slowest_ms = 0;
  UINT slowest_message = 0;
  while (Seconds(start, Clock::now()) < kGiveUpSeconds * 2) {
    MSG message;
    const bool got = PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);
    const auto handling = Clock::now();
    app.HandleMessage();
    const double ms = Seconds(handling, Clock::now()) * 1000;
    if (got && ms > slowest_ms) slowest_ms = ms, slowest_message = message.message;
    if (shared.sent && received >= payload.size() && form.List.Waiting() == 0) {
      all_shown = true;
      break;
    }
  }
  const auto shown_at = Clock::now();
  report(all_shown, shown_at);
  std::printf("longest message handled: %.1f ms (message 0x%X)\n", slowest_ms, slowest_message);
  if (lines && all_shown) ScrollByPages(form.List.Handle());
  shared.stop_watching = true;
  watcher.join();
  peer.join();
  watchdog.join();
  std::fflush(stdout);
  form.DConB.Click();
  app.DestroyForms();
  std::filesystem::remove_all(folder);
  WSACleanup();
  return 0;
}
