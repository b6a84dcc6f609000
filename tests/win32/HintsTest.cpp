// Hints: a tooltip text over windowed and windowless controls at their anchored places, removed
// by an empty text; the tooltip made when the pointer first comes over the form.
#include "shell/controls/Hints.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include "platform/win32/WideText.h"
#include "shell/ShellTexts.h"
#include "shell/controls/HistoryComboBox.h"
#include "shell/framework/Application.h"
#include "shell/framework/GraphicControls.h"

namespace {

class HintsTest : public ::testing::Test {
 protected:
  HintsTest() : form(*app.CreateForm<TForm>()) {
    form.SetBounds(100, 100, 566, 417);
    grip.SetBounds(546, 397, 15, 15);
    grip.SetAnchors(akRight | akBottom);
    message.SetBounds(7, 365, 470, 21);
    message.SetAnchors(akLeft | akRight | akBottom);
  }

  // What the system sends, before any pointer message, to a window under the pointer: a
  // control's default handling passes it up to the form.
  void PointerOver(HWND window) {
    SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  }

  // The hint text over a point of window (client coordinates), or nothing.
  std::string HintAt(HWND window, POINT at) const {
    TTHITTESTINFOW hit{};
    hit.hwnd = window;
    hit.pt = at;
    hit.ti.cbSize = sizeof hit.ti;
    if (!SendMessageW(hints.TooltipHandle(), TTM_HITTESTW, 0, reinterpret_cast<LPARAM>(&hit))) {
      return "(none)";
    }
    wchar_t text[256] = L"";
    hit.ti.lpszText = text;
    SendMessageW(hints.TooltipHandle(), TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&hit.ti));
    return NarrowText(text);
  }
  int ToolCount() const {
    return static_cast<int>(SendMessageW(hints.TooltipHandle(), TTM_GETTOOLCOUNT, 0, 0));
  }

  TApplication app;
  TForm& form;
  TShape grip{&form};
  THistoryComboBox message{&form};
  THints hints{form};
};

TEST_F(HintsTest, ShowsTheTextOverWindowlessAndWindowedControls) {
  const std::string& send_text = shell_texts::kHintMessage;
  hints.Set(grip, "Resize");
  // Set before the tooltip is made, and after.
  EXPECT_EQ(hints.TooltipHandle(), nullptr);
  PointerOver(message.FieldHandle());
  ASSERT_NE(hints.TooltipHandle(), nullptr);
  hints.Set(message, send_text);
  EXPECT_EQ(hints.Get(grip), "Resize");
  EXPECT_EQ(hints.Get(message), send_text);
  EXPECT_EQ(HintAt(form.Handle(), {550, 400}), "Resize");
  EXPECT_EQ(HintAt(form.Handle(), {300, 200}), "(none)");
  // Over the box and over its field inside it.
  EXPECT_EQ(HintAt(message.Handle(), {5, 5}), send_text);
  EXPECT_EQ(HintAt(message.FieldHandle(), {5, 5}), send_text);
}

TEST_F(HintsTest, FollowsTheControlsAnchoredPlaces) {
  hints.Set(grip, "Resize");
  PointerOver(form.Handle());
  form.SetBounds(100, 100, 700, 500);
  EXPECT_EQ(HintAt(form.Handle(), {550, 400}), "(none)");
  EXPECT_EQ(HintAt(form.Handle(), {684, 484}), "Resize");
  grip.SetVisible(false);
  SendMessageW(form.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
  EXPECT_EQ(HintAt(form.Handle(), {684, 484}), "(none)");
}

TEST_F(HintsTest, AnEmptyTextRemovesTheHint) {
  hints.Set(grip, "Resize");
  hints.Set(message, "Send");
  PointerOver(form.Handle());
  const int with_both = ToolCount();
  hints.Set(grip, "Grip");
  EXPECT_EQ(ToolCount(), with_both);
  EXPECT_EQ(HintAt(form.Handle(), {550, 400}), "Grip");
  hints.Set(grip, "");
  hints.Set(message, "");
  EXPECT_EQ(ToolCount(), 0);
  EXPECT_EQ(hints.Get(grip), "");
  EXPECT_EQ(HintAt(form.Handle(), {550, 400}), "(none)");
}

}  // namespace
