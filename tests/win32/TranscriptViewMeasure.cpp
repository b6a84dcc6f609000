// Not a test: figures for the transcript view, run by hand with
//   scripts/wine-run build/windows/tests/zirk_win32_tests.exe --gtest_also_run_disabled_tests
//     --gtest_filter='*TranscriptViewMeasure*'
// 100,000 received chunks appended on a visible window, as chunks arriving apart (the queue runs
// empty between them) and as a flood (the next chunk always waiting): busy time per append for
// the first and the last 10,000, and the longest time the loop spent on one message. The
// baseline in the same run is a plain multi-line edit field appended to once per chunk.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

#include "platform/Files.h"
#include "platform/win32/UtilityWindow.h"
#include "shell/controls/TranscriptView.h"
#include "shell/framework/Application.h"
#include "shell/framework/Form.h"
#include "shell/logic/TranscriptChars.h"

namespace {

constexpr int kChunks = 100000;
constexpr int kGroup = 10000;

double Now() {
  LARGE_INTEGER count, frequency;
  QueryPerformanceCounter(&count);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(count.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

std::wstring Shown(const std::string& bytes) {
  std::wstring shown(bytes.size(), L'\0');
  transcript_chars::CopyShown(bytes, 0, bytes.size(), shown.data());
  return shown;
}

std::string Chunk(int i) {
  return "> received line " + std::to_string(i) + " of the measurement, a few words long";
}

struct Figures {
  double busy_ms = 0;     // time spent handling messages
  double longest_ms = 0;  // the longest single message
};

// Handles messages until done() holds, timing each dispatch.
Figures Loop(const std::function<bool()>& done) {
  Figures figures;
  while (!done()) {
    MSG message;
    if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      WaitMessage();
      continue;
    }
    const double start = Now();
    TranslateMessage(&message);
    DispatchMessageW(&message);
    const double took = Now() - start;
    figures.busy_ms += took;
    if (took > figures.longest_ms) figures.longest_ms = took;
  }
  return figures;
}

// Appends count chunks, each from a message of its own: apart, each after a timer tick (the
// queue is empty in between); as a flood, each chunk's handler posts the next one, so that one
// always waits.
Figures Feed(const std::function<void(int)>& append, int first, int count, bool flood) {
  int next = first;
  const int end = first + count;
  HWND self = nullptr;
  UtilityWindow feeder(nullptr, [&](UINT message, WPARAM, LPARAM, LRESULT&) {
    if (message != WM_TIMER && message != WM_APP) return false;
    if (next < end) append(next++);
    if (flood && next < end) PostMessageW(self, WM_APP, 0, 0);
    return true;
  });
  self = feeder.Handle();
  if (flood) {
    PostMessageW(self, WM_APP, 0, 0);
  } else {
    SetTimer(self, 1, 1, nullptr);
  }
  return Loop([&] { return next >= end; });
}

void Print(const char* what, const Figures& first, const Figures& last) {
  std::printf(
      "%-44s first %5d: %7.3f ms/append (longest %6.1f ms)   last %5d: %7.3f ms/append "
      "(longest %6.1f ms)\n",
      what, kGroup, first.busy_ms / kGroup, first.longest_ms, kGroup, last.busy_ms / kGroup,
      last.longest_ms);
}

class TranscriptViewMeasure : public ::testing::Test {
 protected:
  TranscriptViewMeasure() : form(*app.CreateForm<TForm>()), transcript(files) {
    form.SetBounds(100, 100, 566, 417);
    form.Show();
  }

  TApplication app;
  TForm& form;
  PlatformFileSystem files;
  Transcript transcript;
};

TEST_F(TranscriptViewMeasure, DISABLED_AppendCost) {
  for (bool flood : {false, true}) {
    TTranscriptView view(&form);
    view.SetBounds(5, 99, 556, 261);
    transcript.Clear();
    view.Bind(transcript);
    auto append = [&](int i) { transcript.Append(Chunk(i)); };
    const Figures first = Feed(append, 0, kGroup, flood);
    // The middle at once, shown in one step.
    for (int i = kGroup; i < kChunks - kGroup; ++i) append(i);
    UpdateWindow(view.Handle());
    const Figures last = Feed(append, kChunks - kGroup, kGroup, flood);
    UpdateWindow(view.Handle());
    Print(flood ? "transcript view, flood:" : "transcript view, chunks apart:", first, last);
  }
}

TEST_F(TranscriptViewMeasure, DISABLED_AppendCostOfAPlainEditBaseline) {
  TWinControl edit(&form, L"EDIT", ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL);
  edit.SetBounds(5, 99, 556, 261);
  SendMessageW(edit.Handle(), EM_SETLIMITTEXT, 0x7FFFFFFE, 0);
  auto append = [&](int i) {
    const std::wstring text = Shown(Chunk(i) + "\r\n");
    const int length = GetWindowTextLengthW(edit.Handle());
    SendMessageW(edit.Handle(), EM_SETSEL, length, length);
    SendMessageW(edit.Handle(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageW(edit.Handle(), EM_SCROLLCARET, 0, 0);
  };
  const Figures first = Feed(append, 0, kGroup, false);
  std::wstring middle;
  for (int i = kGroup; i < kChunks - kGroup; ++i) {
    middle += Shown(Chunk(i) + "\r\n");
  }
  SendMessageW(edit.Handle(), EM_SETSEL, -1, -1);
  SendMessageW(edit.Handle(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(middle.c_str()));
  const Figures last = Feed(append, kChunks - kGroup, kGroup, false);
  Print("baseline plain edit, chunks apart:", first, last);
}

}  // namespace
