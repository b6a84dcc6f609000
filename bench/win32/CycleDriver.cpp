// Drives the running zirk.exe from another process of the same Wine session through many
// connect/exchange/disconnect cycles, as fast as the program answers: Enter in the port box
// connects, a typed "ping" goes out and the peer's "pong" is waited for in the transcript, "!cl"
// clears it, and a click on "Разорвать" disconnects. The line transport's poll is run at once by
// a timer message instead of waiting for its next tick. After the warm-up and at the end it prints
// "sample <cycle> gdi <n> user <n> windows <n>" and waits for a line on its input, so that the
// caller can read the program's descriptors and memory from outside.
//   zirk_cycle_driver <transport index> <port> <cycles> <warm-up cycles>
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "platform/win32/Handle.h"
#include "platform/win32/WideText.h"
#include "shell/ShellTexts.h"
#include "tests/e2e/probe/ForeignWindows.h"

namespace {

using Clock = std::chrono::steady_clock;

// Client positions of the two skinned buttons the cycle uses (the main window's design layout).
constexpr POINT kDisconnectButton{519, 54};
constexpr POINT kAwayFromButtons{200, 6};

[[noreturn]] void Fail(const std::string& why) {
  std::fprintf(stderr, "cycle driver: %s\n", why.c_str());
  std::exit(1);
}

bool WaitFor(const std::function<bool()>& done, int timeout_ms) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
  while (!done()) {
    if (Clock::now() > deadline) return false;
    Sleep(1);
  }
  return true;
}

// The windows of the program that the cycle works with.
struct Program {
  HWND main = nullptr;
  DWORD process_id = 0;
  HWND address = nullptr;  // the edit field inside the address box
  HWND transports = nullptr;
  HWND port = nullptr;
  HWND message = nullptr;  // the edit field inside the message box
  HWND transcript = nullptr;
  std::vector<HWND> utility_windows;
};

Program FindProgram() {
  Program program;
  if (!WaitFor(
          [&] {
            program.main = FindWindowW(nullptr, WideText(shell_texts::kMainCaption).c_str());
            return program.main != nullptr;
          },
          10000)) {
    Fail("no main window");
  }
  GetWindowThreadProcessId(program.main, &program.process_id);
  std::vector<HWND> boxes;
  for (HWND child = GetWindow(program.main, GW_CHILD); child;
       child = GetWindow(child, GW_HWNDNEXT)) {
    const std::wstring name = ClassOf(child);
    const LONG style = GetWindowLongW(child, GWL_STYLE);
    if (name == L"ComboBox" && (style & 3) == CBS_DROPDOWNLIST) {
      program.transports = child;
    } else if (name == L"ComboBox") {
      boxes.push_back(child);
    } else if (name == L"Edit") {
      program.port = child;
    } else if (name == shell_texts::kTranscriptViewClass) {
      program.transcript = child;
    }
  }
  if (boxes.size() != 2 || !program.transports || !program.port || !program.transcript) {
    Fail("the main window's controls were not found");
  }
  // The address box is the upper of the two history boxes.
  RECT first{}, second{};
  GetWindowRect(boxes[0], &first);
  GetWindowRect(boxes[1], &second);
  if (first.top > second.top) std::swap(boxes[0], boxes[1]);
  program.address = FindWindowExW(boxes[0], nullptr, L"Edit", nullptr);
  program.message = FindWindowExW(boxes[1], nullptr, L"Edit", nullptr);
  EnumWindows(
      [](HWND window, LPARAM found) {
        auto& program = *reinterpret_cast<Program*>(found);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == program.process_id && ClassOf(window) == L"ZirkUtilWindow") {
          program.utility_windows.push_back(window);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&program));
  if (!program.address || !program.message) Fail("the history boxes' fields were not found");
  return program;
}

POINT OnScreen(HWND main, POINT client) {
  ClientToScreen(main, &client);
  return client;
}

// Messages sent to the program return once it has handled them; two in a row let its idle pass,
// which notices where the pointer is, run between.
void LetProgramSettle(const Program& program) {
  for (int i = 0; i < 3; ++i) SendMessageW(program.main, WM_NULL, 0, 0);
}

// A skinned button reacts to a click only once the program has seen the pointer enter it while
// enabled; the pointer then stays on it.
void PointAtDisconnect(const Program& program) {
  const POINT away = OnScreen(program.main, kAwayFromButtons);
  SetCursorPos(away.x, away.y);
  LetProgramSettle(program);
  const POINT button = OnScreen(program.main, kDisconnectButton);
  SetCursorPos(button.x, button.y);
  LetProgramSettle(program);
}

// Sent rather than posted: each call returns once the program has handled the message (and
// whatever it ran, a blocking connect included), so the cycle needs no wait for it. A handler
// that opened an error box would not return: the time-out ends the wait and the box is reported.
void Send(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(window, message, wparam, lparam, SMTO_NORMAL, 10000, &result);
}

void Type(HWND field, const wchar_t* text) {
  Send(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
  Send(field, WM_KEYDOWN, VK_RETURN, 1);
}

bool Connected(const Program& program) {
  return !IsWindowEnabled(program.port);
}

// An error box of the program means the cycle went wrong.
void FailOnErrorBox(const Program& program) {
  HWND box = nullptr;
  while ((box = FindWindowExW(nullptr, box, L"#32770", nullptr)) != nullptr) {
    DWORD owner = 0;
    GetWindowThreadProcessId(box, &owner);
    if (owner != program.process_id || !IsWindowVisible(box)) continue;
    std::wstring text;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      if (ClassOf(child) == L"Static") text += TextOf(child);
    }
    Fail("the program shows an error box: " + NarrowText(text));
  }
}

void Expect(const Program& program, const std::function<bool()>& done, const char* what) {
  if (WaitFor(done, 10000)) return;
  FailOnErrorBox(program);
  Fail(what);
}

void Cycle(const Program& program, bool line_transport, bool first) {
  Send(program.port, WM_KEYDOWN, VK_RETURN, 1);
  Expect(
      program, [&] { return Connected(program); }, "no connection");
  if (first) PointAtDisconnect(program);
  Type(program.message, L"ping");
  Expect(
      program,
      [&] {
        // The poll that its timer would run within half a second.
        if (line_transport) {
          for (HWND window : program.utility_windows) Send(window, WM_TIMER, 1, 0);
        }
        return TextOf(program.transcript).find(L"> pong") != std::wstring::npos;
      },
      "no answer from the peer");
  Type(program.message, L"!cl");
  if (SendMessageW(program.transcript, WM_GETTEXTLENGTH, 0, 0) != 0) {
    Fail("the transcript was not cleared");
  }
  // A click the program took before it saw the pointer on the button is tried again.
  const LPARAM at = MAKELPARAM(kDisconnectButton.x, kDisconnectButton.y);
  for (int attempt = 0; attempt < 5; ++attempt) {
    Send(program.main, WM_LBUTTONDOWN, MK_LBUTTON, at);
    Send(program.main, WM_LBUTTONUP, 0, at);
    if (!Connected(program)) return;
    FailOnErrorBox(program);
    PointAtDisconnect(program);
  }
  Fail("the disconnect button did not answer");
}

size_t WindowsOf(DWORD process_id) {
  struct Count {
    DWORD process_id;
    size_t windows;
  } count{process_id, 0};
  EnumWindows(
      [](HWND window, LPARAM counted) {
        auto& count = *reinterpret_cast<Count*>(counted);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner != count.process_id) return TRUE;
        ++count.windows;
        EnumChildWindows(
            window,
            [](HWND, LPARAM inner) {
              ++*reinterpret_cast<size_t*>(inner);
              return TRUE;
            },
            reinterpret_cast<LPARAM>(&count.windows));
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&count));
  return count.windows;
}

// GetGuiResources gives -1 where the platform has no answer.
long long GuiObjects(HANDLE process, DWORD kind) {
  SetLastError(0);
  const DWORD objects = GetGuiResources(process, kind);
  return objects == 0 && GetLastError() != 0 ? -1 : static_cast<long long>(objects);
}

void Sample(const Program& program, HANDLE process, int cycle) {
  std::printf("sample %d gdi %lld user %lld windows %zu\n", cycle,
              GuiObjects(process, GR_GDIOBJECTS), GuiObjects(process, GR_USEROBJECTS),
              WindowsOf(program.process_id));
  std::fflush(stdout);
  char line[16];
  if (!std::fgets(line, sizeof line, stdin)) Fail("the caller went away");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) Fail("usage: zirk_cycle_driver <transport index> <port> <cycles> <warm-up>");
  const int transport = std::atoi(argv[1]);
  const std::wstring port = WideText(argv[2]);
  const int cycles = std::atoi(argv[3]);
  const int warm_up = std::atoi(argv[4]);

  const Program program = FindProgram();
  const UniqueHandle process(OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, program.process_id));
  if (!process.valid()) Fail("the program's process cannot be opened");
  SendMessageW(program.address, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"127.0.0.1"));
  SendMessageW(program.port, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(port.c_str()));
  SendMessageW(program.transports, CB_SETCURSEL, static_cast<WPARAM>(transport), 0);

  for (int cycle = 1; cycle <= warm_up + cycles; ++cycle) {
    Cycle(program, transport == 0, cycle == 1);
    if (cycle == warm_up || cycle == warm_up + cycles) Sample(program, process.get(), cycle);
  }
  return 0;
}
