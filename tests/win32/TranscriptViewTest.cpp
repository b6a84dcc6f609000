// The transcript's view: what it shows (CR LF the only break, placeholders, wrapping at its
// width, the end after appends, clearing), selecting and copying, its menu, and what other
// programs read from it.
#include "shell/controls/TranscriptAccessible.h"
#include "shell/controls/TranscriptView.h"

#include <gtest/gtest.h>
#include <oleacc.h>

#include "core/Cp1251.h"
#include "platform/Files.h"
#include "shell/framework/Application.h"
#include "shell/framework/Form.h"
#include "win32/Surface.h"
#include "win32/UiTestSupport.h"

namespace {

using namespace std::string_literals;

class TranscriptViewTest : public ::testing::Test {
 protected:
  TranscriptViewTest() : form(*app.CreateForm<TForm>()), transcript(files) {
    form.SetBounds(100, 100, 566, 417);
    view.SetBounds(5, 99, 556, 261);
    form.Show();
    view.Bind(transcript);
  }

  std::wstring Shown() const {
    const auto length = static_cast<size_t>(SendMessageW(view.Handle(), WM_GETTEXTLENGTH, 0, 0));
    std::wstring text(length + 1, L'\0');
    const LRESULT copied =
        SendMessageW(view.Handle(), WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(copied));
    return text;
  }
  SCROLLINFO ScrollBar() const {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(view.Handle(), SB_VERT, &info);
    return info;
  }
  bool AtTheEnd() const {
    const SCROLLINFO info = ScrollBar();
    return info.nPos + static_cast<int>(info.nPage) > info.nMax;
  }
  void Scroll(WORD request) { SendMessageW(view.Handle(), WM_VSCROLL, request, 0); }
  void Click(UINT message, int x, int y, WPARAM keys = 0) {
    SendMessageW(view.Handle(), message, keys, MAKELPARAM(x, y));
  }
  // Presses a key with Shift and Ctrl held as asked.
  void Key(WORD key, bool shift, bool control) {
    BYTE state[256] = {};
    state[VK_SHIFT] = shift ? 0x80 : 0;
    state[VK_CONTROL] = control ? 0x80 : 0;
    SetKeyboardState(state);
    SendMessageW(view.Handle(), WM_KEYDOWN, key, 1);
    BYTE released[256] = {};
    SetKeyboardState(released);
  }
  std::wstring Clipboard() const {
    std::wstring text;
    if (!OpenClipboard(nullptr)) return L"(no clipboard)";
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
      text = static_cast<const wchar_t*>(GlobalLock(data));
      GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
  }

  TApplication app;
  TForm& form;
  TTranscriptView view{&form};
  PlatformFileSystem files;
  Transcript transcript;
};

TEST_F(TranscriptViewTest, ShowsTheBytesAsLinesWithPlaceholdersAndLeavesThemAlone) {
  const LONG_PTR style = GetWindowLongPtrW(view.Handle(), GWL_STYLE);
  EXPECT_TRUE(style & WS_VSCROLL);
  EXPECT_FALSE(style & (WS_HSCROLL | WS_BORDER));
  EXPECT_FALSE(GetWindowLongPtrW(view.Handle(), GWL_EXSTYLE) &
               (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE));
  transcript.Append("> one\r\ntwo");
  transcript.Append("lone\rcr and lone\nlf");
  transcript.Append(std::string("nul\0byte\x98", 9));
  transcript.AppendStatus(cp1251::FromUtf8("Установлено"));
  const std::wstring expected =
      L"> one\r\ntwo\r\nlone\u240Dcr and lone\u240Alf\r\nnul\u2400byte\uFFFD\r\n"
      L"!// \u0423\u0441\u0442\u0430\u043D\u043E\u0432\u043B\u0435\u043D\u043E\r\n";
  EXPECT_EQ(Shown(), expected);
  EXPECT_EQ(transcript.Text().ToString(),
            "> one\r\ntwo\r\nlone\rcr and lone\nlf\r\nnul\0byte\x98\r\n"s +
                cp1251::FromUtf8("!// Установлено\r\n"));
  // A short buffer gets the start of the text, ended by a zero.
  wchar_t start[6] = {L'?', L'?', L'?', L'?', L'?', L'?'};
  EXPECT_EQ(SendMessageW(view.Handle(), WM_GETTEXT, 6, reinterpret_cast<LPARAM>(start)), 5);
  EXPECT_EQ(std::wstring(start), L"> one");
  // Painted white, with dark text.
  UpdateWindow(view.Handle());
  Surface surface(556, 261, RGB(1, 2, 3));
  SendMessageW(view.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.dc()), 0);
  RECT client{};
  GetClientRect(view.Handle(), &client);
  EXPECT_EQ(surface.Count(RGB(1, 2, 3)), (556 - client.right) * 261);
  EXPECT_GT(surface.Count(RGB(255, 255, 255)), 556 * 200);
  EXPECT_GT(surface.Count(RGB(0, 0, 0)), 50);
}

TEST_F(TranscriptViewTest, WrapsAtItsWidthAndShowsTheEndAfterEveryAppend) {
  transcript.Append(std::string(400, 'w') + " " + std::string(400, 'x'));
  for (int i = 0; i < 40; ++i) transcript.Append("short");
  Scroll(SB_TOP);
  Scroll(SB_LINEDOWN);
  const size_t second_row = view.TopRow();
  EXPECT_GT(second_row, 20u);
  EXPECT_LT(second_row, 300u);
  view.SetBounds(5, 99, 300, 261);
  Scroll(SB_TOP);
  Scroll(SB_LINEDOWN);
  EXPECT_LT(view.TopRow(), second_row);
  view.SetBounds(5, 99, 556, 261);

  for (int i = 0; i < 100; ++i) transcript.Append("line " + std::to_string(i));
  UpdateWindow(view.Handle());
  EXPECT_TRUE(AtTheEnd());
  EXPECT_EQ(view.Caret(), transcript.Text().size());
  // The user scrolled to the top and put the caret there; the next append shows the end again.
  Scroll(SB_TOP);
  Click(WM_LBUTTONDOWN, 3, 3);
  Click(WM_LBUTTONUP, 3, 3);
  EXPECT_EQ(view.TopRow(), 0u);
  EXPECT_EQ(view.Caret(), 0u);
  transcript.Append("line 100");
  UpdateWindow(view.Handle());
  EXPECT_TRUE(AtTheEnd());
  EXPECT_EQ(view.Caret(), transcript.Text().size());
  EXPECT_EQ(view.Waiting(), 0u);
  // Page by page from the top reaches the end.
  Scroll(SB_TOP);
  int pages = 0;
  while (!AtTheEnd() && pages < 100) Scroll(SB_PAGEDOWN), ++pages;
  EXPECT_GT(pages, 3);
  EXPECT_LT(pages, 100);
}

TEST_F(TranscriptViewTest, AClearEmptiesTheView) {
  transcript.Append("shown");
  transcript.Clear();
  EXPECT_EQ(Shown(), L"");
  EXPECT_EQ(view.TopRow(), 0u);
  EXPECT_EQ(view.Caret(), 0u);
  transcript.Append("after");
  EXPECT_EQ(Shown(), L"after\r\n");
}

TEST_F(TranscriptViewTest, SelectsWithTheMouseAndTheKeysAndCopiesWhatItShows) {
  transcript.Append("first words\r\nsecond\x01line");
  Scroll(SB_TOP);
  // A drag from the start of the first row down into the second.
  Click(WM_LBUTTONDOWN, 2, 2);
  SendMessageW(view.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(400, 2));
  Click(WM_LBUTTONUP, 400, 2);
  EXPECT_EQ(view.Anchor(), 0u);
  EXPECT_EQ(view.Caret(), 11u);  // the end of the first line
  // Shift+click extends from the same anchor; a double-click takes a word.
  Click(WM_LBUTTONDOWN, 400, 20, MK_SHIFT);
  Click(WM_LBUTTONUP, 400, 20);
  EXPECT_EQ(view.Anchor(), 0u);
  EXPECT_EQ(view.Caret(), 24u);
  Click(WM_LBUTTONDBLCLK, 4, 2);
  Click(WM_LBUTTONUP, 4, 2);
  EXPECT_EQ(view.Anchor(), 0u);
  EXPECT_EQ(view.Caret(), 5u);
  // Shift+Right steps over a CR LF as one; Ctrl+C copies as shown.
  view.Select(8, 8);
  for (int i = 0; i < 5; ++i) Key(VK_RIGHT, true, false);
  EXPECT_EQ(view.Caret(), 14u);
  Key('C', false, true);
  EXPECT_EQ(Clipboard(), L"rds\r\ns");
  Key('A', false, true);
  EXPECT_EQ(view.Anchor(), 0u);
  EXPECT_EQ(view.Caret(), transcript.Text().size());
  view.RunCommand(TTranscriptView::kCopyCommand);
  EXPECT_EQ(Clipboard(), L"first words\r\nsecond\u2401line\r\n");
  // The selection is painted in the highlight colour.
  Surface surface(556, 261, RGB(1, 2, 3));
  SendMessageW(view.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.dc()), 0);
  EXPECT_GT(surface.Count(GetSysColor(COLOR_HIGHLIGHT)), 200);
  // Nothing selected: nothing copied, the clipboard keeps what it had.
  view.Select(3, 3);
  EXPECT_FALSE(view.CopySelection());
  EXPECT_EQ(Clipboard(), L"first words\r\nsecond\u2401line\r\n");
}

struct SeenItem {
  std::wstring text;
  bool enabled;
};

// Opens the view's menu, reads its items while it is open and closes it.
std::vector<SeenItem> MenuItems(HWND view) {
  std::vector<SeenItem> items;
  static std::vector<SeenItem>* seen;
  seen = &items;
  SetTimer(view, 77, 20, [](HWND, UINT, UINT_PTR, DWORD) {
    HWND menu_window = FindWindowW(L"#32768", nullptr);
    HMENU menu = menu_window ? reinterpret_cast<HMENU>(SendMessageW(menu_window, MN_GETHMENU, 0, 0))
                             : nullptr;
    if (!menu) return;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
      wchar_t text[64] = {};
      GetMenuStringW(menu, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
      const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
      seen->push_back({text, (state & (MF_GRAYED | MF_DISABLED)) == 0});
    }
    EndMenu();
  });
  RECT bounds{};
  GetWindowRect(view, &bounds);
  SendMessageW(view, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(view),
               MAKELPARAM(bounds.left + 10, bounds.top + 10));
  KillTimer(view, 77);
  return items;
}

TEST_F(TranscriptViewTest, TheMenuCopiesWhenThereIsASelectionAndSelectsAll) {
  transcript.Append("menu");
  const std::wstring copy = L"\u041A\u043E\u043F\u0438\u0440\u043E\u0432\u0430\u0442\u044C";
  const std::wstring select_all =
      L"\u0412\u044B\u0434\u0435\u043B\u0438\u0442\u044C \u0432\u0441\u0451";
  std::vector<SeenItem> items = MenuItems(view.Handle());
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0].text, copy);
  EXPECT_FALSE(items[0].enabled);
  EXPECT_EQ(items[1].text, select_all);
  EXPECT_TRUE(items[1].enabled);
  view.SelectAll();
  items = MenuItems(view.Handle());
  ASSERT_EQ(items.size(), 2u);
  EXPECT_TRUE(items[0].enabled);
}

TEST_F(TranscriptViewTest, OtherProgramsReadItAsReadOnlyText) {
  transcript.Append(cp1251::FromUtf8("> Привет"));
  ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
  // The object that WM_GETOBJECT hands out (Wine cannot marshal it to a client, so the test
  // reads it directly).
  IAccessible* object = TranscriptAccessible::Create(view.Handle());
  ASSERT_TRUE(object);
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  VARIANT role{}, state{};
  EXPECT_EQ(object->get_accRole(self, &role), S_OK);
  EXPECT_EQ(role.lVal, ROLE_SYSTEM_TEXT);
  EXPECT_EQ(object->get_accState(self, &state), S_OK);
  EXPECT_TRUE(state.lVal & STATE_SYSTEM_READONLY);
  BSTR value = nullptr;
  EXPECT_EQ(object->get_accValue(self, &value), S_OK);
  EXPECT_EQ(std::wstring(value, SysStringLen(value)),
            L"> \u041F\u0440\u0438\u0432\u0435\u0442\r\n");
  SysFreeString(value);
  object->Release();
  CoUninitialize();
}

TEST_F(TranscriptViewTest, KeysReachOnKeyDownFirst) {
  std::vector<WORD> keys;
  view.OnKeyDown = [&](TObject* sender, WORD& key, TShiftState) {
    EXPECT_EQ(sender, &view);
    keys.push_back(key);
  };
  SendMessageW(view.Handle(), WM_KEYDOWN, VK_F1, 1);
  SendMessageW(view.Handle(), WM_KEYDOWN, VK_END, 1);
  EXPECT_EQ(keys, (std::vector<WORD>{VK_F1, VK_END}));
}

TEST_F(TranscriptViewTest, StopsFollowingWhenDestroyed) {
  {
    TTranscriptView other(&form);
    other.Bind(transcript);
    EXPECT_TRUE(transcript.OnChange);
  }
  EXPECT_FALSE(transcript.OnChange);
  transcript.Append("nobody listens");
  PumpPending();
}

}  // namespace
