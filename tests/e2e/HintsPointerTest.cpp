// Hints under the display's real pointer: resting over a windowless control or over a combo
// box's field shows that control's hint.
#include <gtest/gtest.h>

#include "platform/win32/WideText.h"
#include "shell/controls/Hints.h"
#include "shell/controls/HistoryComboBox.h"
#include "shell/framework/Application.h"
#include "shell/framework/Form.h"
#include "shell/framework/GraphicControls.h"
#include "win32/UiTestSupport.h"

namespace {

void MoveTo(HWND window, POINT at) {
  ClientToScreen(window, &at);
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  input.mi.dx = static_cast<LONG>((at.x * 65536LL + 32768) / GetSystemMetrics(SM_CXSCREEN));
  input.mi.dy = static_cast<LONG>((at.y * 65536LL + 32768) / GetSystemMetrics(SM_CYSCREEN));
  SendInput(1, &input, sizeof input);
}

std::string ShownHint(HWND tooltip) {
  if (!IsWindowVisible(tooltip)) return "";
  wchar_t text[256] = L"";
  GetWindowTextW(tooltip, text, 256);
  return NarrowText(text);
}

TEST(HintsPointer, RestingOverAControlShowsItsHint) {
  TApplication app;
  TForm& form = *app.CreateForm<TForm>();
  form.SetBounds(150, 150, 566, 417);
  TShape grip(&form);
  grip.SetBounds(546, 397, 15, 15);
  THistoryComboBox message(&form);
  message.SetBounds(7, 365, 470, 21);
  THints hints(form);
  hints.Set(grip, "Resize");
  hints.Set(message, "Send");
  form.Show();
  SetForegroundWindow(form.Handle());

  MoveTo(form.Handle(), {553, 404});
  EXPECT_TRUE(PumpUntil([&] { return ShownHint(hints.TooltipHandle()) == "Resize"; }))
      << ShownHint(hints.TooltipHandle());
  MoveTo(form.Handle(), {300, 200});
  EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(hints.TooltipHandle()); }));
  MoveTo(form.Handle(), {100, 375});
  EXPECT_TRUE(PumpUntil([&] { return ShownHint(hints.TooltipHandle()) == "Send"; }))
      << ShownHint(hints.TooltipHandle());
}

}  // namespace
