// A look into the running program from another process of the same Wine session, for the
// end-to-end tests: it reads windows (the main window, its controls, the transcript, error
// boxes, the program's top-level windows, the foreground window) and presses buttons of boxes;
// it also gives the line transport's message for a socket error code, from its catalogue, and
// plays another program that holds a file open and shares it with nobody (as a backup or sync
// tool does), until its input ends. Output is UTF-8, one JSON value.
//   zirk_probe main | controls | transcript | boxes | windows | foreground | press-ok <hwnd>
//              | socket-error <code> | hold <file>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/win32/Handle.h"
#include "platform/win32/WideText.h"
#include "shell/ShellTexts.h"
#include "tests/e2e/probe/ForeignWindows.h"
#include "transport/Texts.h"

namespace {

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                 nullptr, nullptr);
  std::string out(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                      nullptr, nullptr);
  return out;
}

std::string Json(const std::wstring& text) {
  std::string out = "\"";
  for (char c : Utf8(text)) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
          out += escaped;
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

std::string RectJson(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  char out[128];
  std::snprintf(out, sizeof out, "[%ld,%ld,%ld,%ld]", r.left, r.top, r.right - r.left,
                r.bottom - r.top);
  return out;
}

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> found;
  EnumChildWindows(
      parent,
      [](HWND child, LPARAM list) {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

HWND MainWindow() {
  return FindWindowW(nullptr, WideText(shell_texts::kMainCaption).c_str());
}

int PrintMain() {
  HWND main = MainWindow();
  if (!main) return std::puts("null"), 1;
  RECT client{};
  GetClientRect(main, &client);
  std::printf(
      "{\"hwnd\":%llu,\"rect\":%s,\"client\":[%ld,%ld],\"visible\":%s,\"zoomed\":%s,"
      "\"iconic\":%s}\n",
      static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(main)), RectJson(main).c_str(),
      client.right, client.bottom, IsWindowVisible(main) ? "true" : "false",
      IsZoomed(main) ? "true" : "false", IsIconic(main) ? "true" : "false");
  return 0;
}

int PrintControls() {
  HWND main = MainWindow();
  if (!main) return std::puts("null"), 1;
  std::string out = "[";
  for (HWND child : Children(main)) {
    if (out.size() > 1) out += ",";
    out += "{\"class\":" + Json(ClassOf(child)) + ",\"text\":" + Json(TextOf(child)) +
           ",\"enabled\":" + (IsWindowEnabled(child) ? "true" : "false") +
           ",\"focused\":" + (GetFocus() == child ? "true" : "false") +
           ",\"rect\":" + RectJson(child) + "}";
  }
  std::printf("%s]\n", out.c_str());
  return 0;
}

int PrintTranscript() {
  HWND main = MainWindow();
  if (!main) return std::puts("null"), 1;
  for (HWND child : Children(main)) {
    std::wstring name = ClassOf(child);
    if (name == shell_texts::kTranscriptViewClass) {
      std::printf("%s\n", Json(TextOf(child)).c_str());
      return 0;
    }
  }
  return std::puts("null"), 1;
}

std::vector<HWND> Boxes() {
  std::vector<HWND> boxes;
  HWND box = nullptr;
  while ((box = FindWindowExW(nullptr, box, L"#32770", nullptr)) != nullptr) {
    if (IsWindowVisible(box)) boxes.push_back(box);
  }
  return boxes;
}

int PrintBoxes() {
  std::string out = "[";
  for (HWND box : Boxes()) {
    // A message box's text is the static control with the identifier 0xFFFF.
    std::wstring text = TextOf(GetDlgItem(box, 0xFFFF));
    if (out.size() > 1) out += ",";
    out += "{\"hwnd\":" + std::to_string(reinterpret_cast<uintptr_t>(box)) +
           ",\"caption\":" + Json(TextOf(box)) + ",\"text\":" + Json(text) + "}";
  }
  std::printf("%s]\n", out.c_str());
  return 0;
}

// One top-level window as the tests see it: whose it is and how it stands.
std::string WindowJson(HWND window) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  return "{\"hwnd\":" + std::to_string(reinterpret_cast<uintptr_t>(window)) +
         ",\"class\":" + Json(ClassOf(window)) + ",\"caption\":" + Json(TextOf(window)) +
         ",\"pid\":" + std::to_string(process) +
         ",\"visible\":" + (IsWindowVisible(window) ? "true" : "false") +
         ",\"iconic\":" + (IsIconic(window) ? "true" : "false") + ",\"rect\":" + RectJson(window) +
         "}";
}

// The top-level windows of every copy of the program: its forms and application windows.
int PrintWindows() {
  std::string out = "[";
  for (const wchar_t* name : {L"ZirkApplication", L"ZirkForm"}) {
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, name, nullptr)) != nullptr) {
      if (out.size() > 1) out += ",";
      out += WindowJson(window);
    }
  }
  std::printf("%s]\n", out.c_str());
  return 0;
}

int PrintForeground() {
  HWND window = GetForegroundWindow();
  if (!window) return std::puts("null"), 1;
  std::printf("%s\n", WindowJson(window).c_str());
  return 0;
}

// Prints "held" once the file is open, then keeps it until standard input ends.
int HoldFile(const wchar_t* path) {
  const UniqueHandle file(
      CreateFileW(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return std::puts("failed"), 1;
  std::puts("held");
  std::fflush(stdout);
  char ignored[64];
  DWORD got = 0;
  while (ReadFile(GetStdHandle(STD_INPUT_HANDLE), ignored, sizeof ignored, &got, nullptr) && got) {
  }
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::wstring command = argc > 1 ? argv[1] : L"";
  if (command == L"main") return PrintMain();
  if (command == L"controls") return PrintControls();
  if (command == L"transcript") return PrintTranscript();
  if (command == L"boxes") return PrintBoxes();
  if (command == L"windows") return PrintWindows();
  if (command == L"foreground") return PrintForeground();
  if (command == L"press-ok" && argc > 2) {
    HWND box = reinterpret_cast<HWND>(static_cast<uintptr_t>(_wtoi64(argv[2])));
    return PostMessageW(box, WM_COMMAND, IDOK, 0) ? 0 : 1;
  }
  if (command == L"socket-error" && argc > 2) {
    return std::puts(Json(WideText(SocketErrorMessage(_wtoi(argv[2])))).c_str()) < 0;
  }
  if (command == L"hold" && argc > 2) return HoldFile(argv[2]);
  std::fputs(
      "usage: zirk_probe main|controls|transcript|boxes|windows|foreground|press-ok <hwnd>"
      "|socket-error <code>|hold <file>\n",
      stderr);
  return 2;
}
