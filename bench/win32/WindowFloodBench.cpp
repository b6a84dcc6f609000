// A peer that talks as fast as it can, through the real main window:
//   zirk_flood_bench flood        30 MB without a line end, on "Server Socket"
//   zirk_flood_bench lines        1,000,000 lines of 60 bytes on "Server Socket", then scrolling
//                                 top to bottom by pages, and jumping, wheeling and resizing
//   zirk_flood_bench line-flood   30 MB without a line end, on "TCP/IP Server"
// Prints the time from the peer's last byte to the whole text shown, how long the window took
// to answer a message meanwhile (99th percentile and longest), the window thread's processor
// time, and the process's resident memory above the idle window per transcript byte (peak and
// final), read from /proc under Wine. With "controls" after the mode, the user meanwhile types
// into the message box, presses "Очистить" and then "Разорвать" (real input) while the peer
// keeps sending, and the time each took to act is printed. With "menu" and a file after the
// mode, the user then selects rows and opens the view's menu, and the screen around the window
// is saved to the file (BMP). The line transport shows a line without a line end only in pieces
// of its longest line: the bytes after the last whole piece wait for a line end, as they should.
// The same source builds against an older main window (bench/run-windows measures the view on main
// beside this one), so it asks the view only what both views answer.
#include <windows.h>
#include <winsock2.h>
// After windows.h.
#include <psapi.h>
#include <richedit.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "bench/win32/BenchWindow.h"
#include "bench/win32/ScreenCapture.h"
#include "platform/win32/Handle.h"
#include "transport/line/LineConnection.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr size_t kFloodBytes = 30'000'000;
constexpr int kLines = 1'000'000;
constexpr double kGiveUpSeconds = 90;
constexpr int kKeysTyped = 5;
constexpr int kControlRounds = 4;

double Seconds(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double>(to - from).count();
}

double Ms(Clock::time_point from) {
  return Seconds(from, Clock::now()) * 1000;
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

// A thread's processor time in ms: the machine may be busy with other work.
double ThreadMs(HANDLE thread = GetCurrentThread()) {
  FILETIME created, exited, kernel, user;
  GetThreadTimes(thread, &created, &exited, &kernel, &user);
  auto ms = [](const FILETIME& time) {
    return static_cast<double>((static_cast<unsigned long long>(time.dwHighDateTime) << 32) |
                               time.dwLowDateTime) /
           10000.0;
  };
  return ms(kernel) + ms(user);
}

struct Shared {
  std::atomic<size_t> sent_bytes{0};
  std::atomic<bool> sent{false};
  std::atomic<bool> disconnected{false};
  std::atomic<bool> stop_watching{false};
  Clock::time_point last_byte;
  std::mutex mutex;
  std::vector<double> answers_ms;
  std::vector<double> keys_ms;
  double clear_ms = -1;
  double disconnect_ms = -1;
};

// Sends the payload rounds times over, or until the connection is gone.
void Peer(SOCKET listener, const std::string& payload, int rounds, Shared& shared) {
  SOCKET peer = accept(listener, nullptr, nullptr);
  const size_t total = payload.size() * static_cast<size_t>(rounds);
  for (size_t done = 0; done < total;) {
    const size_t at = done % payload.size();
    const int sent = send(peer, payload.data() + at,
                          static_cast<int>(std::min<size_t>(payload.size() - at, 1 << 20)), 0);
    if (sent <= 0) break;
    done += static_cast<size_t>(sent);
    shared.sent_bytes = done;
  }
  shared.last_byte = Clock::now();
  shared.sent = true;
  // Closed once the window has shown everything, so that no disconnect runs meanwhile.
  while (!shared.stop_watching) std::this_thread::sleep_for(std::chrono::milliseconds(20));
  closesocket(peer);
}

// Asks a window something and keeps how long it took to answer.
LRESULT Ask(Shared& shared, HWND window, UINT message) {
  const auto start = Clock::now();
  DWORD_PTR result = 0;
  SendMessageTimeoutW(window, message, 0, 0, SMTO_NORMAL, 10000, &result);
  const double ms = Ms(start);
  std::lock_guard<std::mutex> lock(shared.mutex);
  shared.answers_ms.push_back(ms);
  return static_cast<LRESULT>(result);
}

void Press(WORD key) {
  INPUT input[2]{};
  input[0].type = input[1].type = INPUT_KEYBOARD;
  input[0].ki.wVk = input[1].ki.wVk = key;
  input[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, input, sizeof(INPUT));
}

// Moves the pointer there, acts (a button down or up, or nothing) and gives a person's pause.
void Mouse(POINT at, DWORD action, int pause_ms) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = at.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = at.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | action;
  SendInput(1, &input, sizeof input);
  std::this_thread::sleep_for(std::chrono::milliseconds(pause_ms));
}

void Click(POINT at) {
  Mouse(at, 0, 50);
  Mouse(at, MOUSEEVENTF_LEFTDOWN, 80);
  Mouse(at, MOUSEEVENTF_LEFTUP, 0);
}

// Where the user acts, found before the flood starts.
struct Targets {
  HWND form = nullptr;
  HWND message_box = nullptr;
  HWND view = nullptr;
  POINT clear{};
  POINT disconnect{};
};

POINT CentreOf(HWND form, const TControl& control) {
  POINT at{control.Left() + control.Width() / 2, control.Top() + control.Height() / 2};
  ClientToScreen(form, &at);
  return at;
}

// Asks until done() holds; the time it took in ms, or -1 after 10 s.
template <typename Done>
double MsUntil(Clock::time_point start, Done done) {
  while (!done()) {
    if (Ms(start) > 10000) return -1;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return Ms(start);
}

// Asks the window for an answer every 10 ms and keeps every wait. With targets, acts as the
// user once a quarter, a half and three quarters of the bytes are sent.
void Watcher(const Targets* targets, HWND form, size_t total, Shared& shared) {
  int step = 0;
  while (!shared.stop_watching) {
    Ask(shared, form, WM_NULL);
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (!targets || step == 3 || shared.sent_bytes < total * (step + 1) / 4) continue;
    ++step;
    if (step == 1) {
      for (int i = 0; i < kKeysTyped; ++i) {
        const LRESULT length = Ask(shared, targets->message_box, WM_GETTEXTLENGTH);
        const auto start = Clock::now();
        Press('A' + static_cast<WORD>(i));
        const double ms = MsUntil(
            start, [&] { return Ask(shared, targets->message_box, WM_GETTEXTLENGTH) > length; });
        std::lock_guard<std::mutex> lock(shared.mutex);
        shared.keys_ms.push_back(ms);
      }
    } else if (step == 2) {
      const LRESULT length = Ask(shared, targets->view, WM_GETTEXTLENGTH);
      const auto start = Clock::now();
      Click(targets->clear);
      shared.clear_ms =
          MsUntil(start, [&] { return Ask(shared, targets->view, WM_GETTEXTLENGTH) < length / 2; });
    } else {
      const auto start = Clock::now();
      Click(targets->disconnect);
      shared.disconnect_ms = MsUntil(start, [&] { return shared.disconnected.load(); });
    }
  }
}

// Whether the view shows everything the transcript holds. A view that cannot say how much it
// has still to paint is asked for its text's length, at most every 200 ms.
template <typename View>
bool AllShown(View& view, size_t transcript_size) {
  if constexpr (requires { view.Waiting(); }) {
    return view.Waiting() == 0;
  } else {
    static Clock::time_point asked;
    if (Clock::now() - asked < std::chrono::milliseconds(200)) return false;
    asked = Clock::now();
    GETTEXTLENGTHEX query{GTL_USECRLF | GTL_PRECISE | GTL_NUMCHARS, 1200};
    const LRESULT length =
        SendMessageW(view.Handle(), EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&query), 0);
    return length >= 0 && static_cast<size_t>(length) >= transcript_size;
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
    // 60 bytes, the line end included.
    const int length = std::snprintf(
        line, sizeof line, "line %07d of the benchmark, sixty bytes in all.........\r\n", i);
    payload.append(line, static_cast<size_t>(length));
  }
  return payload;
}

// Pages through the text at its start, its middle and its end, painting each page: the cost
// of a page at the millionth line against the first.
void ScrollByPages(HWND view) {
  constexpr int kPages = 300;
  auto pages = [&](const char* where, WORD request) {
    double total_ms = 0, longest_ms = 0;
    const double processor_start = ThreadMs();
    // A view that takes seconds a page is cut short, so that the run ends.
    const auto give_up = Clock::now() + std::chrono::seconds(15);
    int paged = 0;
    for (; paged < kPages && Clock::now() < give_up; ++paged) {
      const auto start = Clock::now();
      SendMessageW(view, WM_VSCROLL, request, 0);
      UpdateWindow(view);
      const double ms = Ms(start);
      total_ms += ms;
      longest_ms = std::max(longest_ms, ms);
    }
    std::printf("%d pages %s: %.2f ms a page (%.2f ms of processor time), longest %.1f ms\n", paged,
                where, total_ms / paged, (ThreadMs() - processor_start) / paged, longest_ms);
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

// The longest of count acts on the view, each painted.
template <typename Act>
double Longest(HWND view, int count, Act act) {
  double longest = 0;
  for (int i = 0; i < count; ++i) {
    const auto start = Clock::now();
    act(i);
    UpdateWindow(view);
    longest = std::max(longest, Ms(start));
  }
  return longest;
}

// Reaching any place at once: the thumb dropped across the whole range, Ctrl+Home and Ctrl+End
// in turn, and the wheel and a resize at the start and at the end of the text.
void JumpAround(HWND view) {
  SCROLLINFO range{};
  range.cbSize = sizeof range;
  range.fMask = SIF_RANGE;
  GetScrollInfo(view, SB_VERT, &range);
  const double thumb = Longest(view, 20, [&](int i) {
    SCROLLINFO at{};
    at.cbSize = sizeof at;
    at.fMask = SIF_POS;
    at.nPos = range.nMax / 19 * (i % 2 ? 19 - i : i);
    SetScrollInfo(view, SB_VERT, &at, FALSE);
    SendMessageW(view, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, at.nPos), 0);
  });
  BYTE keys[256]{};
  GetKeyboardState(keys);
  keys[VK_CONTROL] = 0x80;
  SetKeyboardState(keys);
  const double ends = Longest(view, 20, [&](int i) {
    SendMessageW(view, WM_KEYDOWN, i % 2 ? VK_HOME : VK_END, 0);
    SendMessageW(view, WM_KEYUP, i % 2 ? VK_HOME : VK_END, 0);
  });
  keys[VK_CONTROL] = 0;
  SetKeyboardState(keys);
  RECT box{};
  GetWindowRect(view, &box);
  MapWindowPoints(nullptr, GetParent(view), reinterpret_cast<POINT*>(&box), 2);
  for (WORD where : {SB_TOP, SB_BOTTOM}) {
    SendMessageW(view, WM_VSCROLL, where, 0);
    const double wheel = Longest(view, 20, [&](int i) {
      const short delta = (i % 2 ? 1 : -1) * (where == SB_TOP ? WHEEL_DELTA : -WHEEL_DELTA);
      SendMessageW(view, WM_MOUSEWHEEL, MAKEWPARAM(0, delta), 0);
    });
    const double resize = Longest(view, 10, [&](int i) {
      SetWindowPos(view, nullptr, 0, 0, box.right - box.left - (i % 2 ? 0 : 37),
                   box.bottom - box.top - (i % 2 ? 0 : 23), SWP_NOMOVE | SWP_NOZORDER);
    });
    std::printf("at the %s: wheel longest %.1f ms, resize longest %.1f ms\n",
                where == SB_TOP ? "top" : "end", wheel, resize);
  }
  std::printf("thumb dropped anywhere longest %.1f ms, Ctrl+Home/Ctrl+End longest %.1f ms\n", thumb,
              ends);
}

// Selects rows of the view by dragging, opens its menu with a right click, and saves the screen
// around the window while the menu is open (then Escape closes it); the window's thread pumps.
void CaptureMenu(TApplication& app, HWND form, HWND view, const char* path) {
  RECT box{};
  GetWindowRect(view, &box);
  const LONG middle = (box.top + box.bottom) / 2;
  std::atomic<bool> done{false};
  bool saved = false;
  std::thread user([&] {
    Mouse({box.left + 40, middle - 30}, 0, 80);
    Mouse({box.left + 40, middle - 30}, MOUSEEVENTF_LEFTDOWN, 80);
    Mouse({box.right - 120, middle + 20}, 0, 80);
    Mouse({box.right - 120, middle + 20}, MOUSEEVENTF_LEFTUP, 80);
    Mouse({box.left + 200, middle}, MOUSEEVENTF_RIGHTDOWN, 80);
    Mouse({box.left + 200, middle}, MOUSEEVENTF_RIGHTUP, 80);
    HWND menu = nullptr;
    MsUntil(Clock::now(), [&] {
      menu = FindWindowW(L"#32768", nullptr);
      return menu && IsWindowVisible(menu);
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    RECT shot{};
    GetWindowRect(form, &shot);
    if (menu) {
      RECT menu_box{};
      GetWindowRect(menu, &menu_box);
      UnionRect(&shot, &shot, &menu_box);
    }
    saved = SaveScreen(shot, path);
    Press(VK_ESCAPE);
    done = true;
  });
  while (!done) app.HandleMessage();
  user.join();
  std::printf("the view's menu %s %s\n", saved ? "saved to" : "NOT saved to", path);
}

void PrintControls(const Shared& shared) {
  std::printf("typed %zu keys, each shown after:", shared.keys_ms.size());
  for (double ms : shared.keys_ms) std::printf(" %.0f", ms);
  std::printf(
      " ms\n\"Очистить\" acted after %.0f ms, \"Разорвать\" after %.0f ms (-1: not in 10 s)\n",
      shared.clear_ms, shared.disconnect_ms);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "flood";
  const bool lines = mode == "lines";
  const bool line_transport = mode == "line-flood";
  const bool controls = argc > 2 && std::strcmp(argv[2], "controls") == 0;
  const char* menu_shot = argc > 3 && std::strcmp(argv[2], "menu") == 0 ? argv[3] : nullptr;
  const bool known_mode = lines || line_transport || mode == "flood";
  if (!known_mode || (argc > 2 && !controls && !menu_shot) || argc > (menu_shot ? 4 : 3)) {
    std::fprintf(stderr,
                 "usage: zirk_flood_bench [flood|lines|line-flood] [controls | menu <file>]\n");
    return 2;
  }
  const std::string payload = Payload(lines);
  const size_t showable = line_transport ? payload.size() / TLineConnection::kMaxLineLength *
                                               TLineConnection::kMaxLineLength
                                         : payload.size();
  unsigned short port = 0;
  SOCKET listener = ListenOnLoopback(port);
  static Shared shared;

  BenchWindow window("zirk-flood-bench");
  TApplication& app = window.app;
  TForm1& form = *window.form;
  for (int i = 0; i < 20; ++i) app.ProcessMessages();
  const Memory idle = ReadMemory();
  const Targets targets{form.Handle(), form.MSG.Handle(), form.List.Handle(),
                        CentreOf(form.Handle(), form.BBut4), CentreOf(form.Handle(), form.DConB)};

  // The bytes received, counted around each handler that appends them.
  std::atomic<size_t> received{0};
  size_t transcript_peak = 0;
  auto counted = [&](auto& handler) {
    return [&, shown = handler](auto... arguments) {
      const size_t before = form.TheTranscript().Text().size();
      shown(arguments...);
      const size_t after = form.TheTranscript().Text().size();
      transcript_peak = std::max(transcript_peak, after);
      // Each entry adds "> " and CR LF.
      if (after > before) received += after - before - 4;
    };
  };
  form.cs2.OnRead = counted(form.cs2.OnRead);
  form.Timer1.OnTimer = counted(form.Timer1.OnTimer);
  auto event_gone = form.cs2.OnDisconnect;
  form.cs2.OnDisconnect = [&](TObject* sender, TAsyncSocket* socket) {
    event_gone(sender, socket);
    shared.disconnected = true;
  };
  auto line_gone = form.cs.OnDisconnected;
  form.cs.OnDisconnected = [&](TObject* sender) {
    line_gone(sender);
    shared.disconnected = true;
  };

  // The user acts while the first payload is sent, and the peer goes on sending after it.
  std::thread peer(Peer, listener, std::cref(payload), controls ? kControlRounds : 1,
                   std::ref(shared));
  std::thread watcher(Watcher, controls ? &targets : nullptr, form.Handle(), payload.size(),
                      std::ref(shared));
  SetForegroundWindow(form.Handle());
  window.Connect(port, line_transport ? 0 : 1);
  form.MSG.SetFocus();
  const auto start = Clock::now();
  // The watchdog may report from its own thread, so the window thread is named by a real handle.
  const UniqueHandle window_thread(
      OpenThread(THREAD_QUERY_LIMITED_INFORMATION, FALSE, GetCurrentThreadId()));
  const double processor_start = ThreadMs(window_thread.get());
  // The old view could stay inside one message for minutes: a watchdog reports what it saw by
  // then and ends the process.
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
    const double transcript = static_cast<double>(std::max<size_t>(transcript_peak, 1));
    auto per_byte = [&](long kib) {
      return static_cast<double>(kib - idle.rss_kib) * 1024 / transcript;
    };
    std::printf(
        "%s: %zu bytes sent, %zu shown of the %zu that can be, at most %.0f bytes in the "
        "transcript\n",
        mode.c_str(), payload.size(), received.load(), showable, transcript);
    if (all_shown) {
      std::printf("whole text shown %.2f s after the last byte (%.2f s after connecting)\n",
                  Seconds(shared.last_byte, shown_at), Seconds(start, shown_at));
    } else if (!controls) {
      std::printf(
          "NOT all shown after %.0f s (%.1f%% of the bytes that can be shown reached the "
          "transcript)\n",
          Seconds(start, shown_at),
          100.0 * static_cast<double>(received.load()) / static_cast<double>(showable));
    }
    std::printf("window answered %zu messages: 99th percentile %.1f ms, longest %.1f ms\n",
                answers.size(), p99, longest);
    std::printf("window thread's processor time: %.2f s over %.2f s\n",
                (ThreadMs(window_thread.get()) - processor_start) / 1000, Seconds(start, shown_at));
    std::printf(
        "resident memory: idle %.1f MiB; peak %.2f bytes and now %.2f bytes per transcript byte "
        "above idle\n",
        idle.rss_kib / 1024.0, per_byte(std::max(memory.peak_kib, memory.rss_kib)),
        per_byte(memory.rss_kib));
    std::fflush(stdout);
  };
  std::thread watchdog([&] {
    while (!reported && Seconds(start, Clock::now()) < kGiveUpSeconds + 10) {
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    if (reported) return;
    report(false, Clock::now());
    // ExitProcess can wait under Wine for the window's thread that is still busy.
    TerminateProcess(GetCurrentProcess(), 0);
  });
  bool all_shown = false;
  double slowest_ms = 0;
  UINT slowest_message = 0;
  while (Seconds(start, Clock::now()) < kGiveUpSeconds) {
    MSG message;
    const bool got = PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);
    const auto handling = Clock::now();
    app.HandleMessage();
    const double ms = Ms(handling);
    if (got && ms > slowest_ms) slowest_ms = ms, slowest_message = message.message;
    if (controls ? shared.disconnected.load()
                 : shared.sent && received >= showable &&
                       AllShown(form.List, form.TheTranscript().Text().size())) {
      all_shown = !controls;
      break;
    }
  }
  report(all_shown, Clock::now());
  std::printf("longest message handled: %.1f ms (message 0x%X)\n", slowest_ms, slowest_message);
  shared.stop_watching = true;
  watcher.join();
  if (controls) PrintControls(shared);
  if (menu_shot) {
    CaptureMenu(app, form.Handle(), form.List.Handle(), menu_shot);
  } else if (lines && all_shown) {
    ScrollByPages(form.List.Handle());
    JumpAround(form.List.Handle());
  }
  peer.join();
  watchdog.join();
  std::fflush(stdout);
  if (!shared.disconnected) form.DConB.Click();
  return 0;
}
