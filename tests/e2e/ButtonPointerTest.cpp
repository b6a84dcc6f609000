// The skinned button driven by the display's real pointer: SendInput moves the pointer of the
// session's X display (Wine warps it), presses and releases the left button, and the idle
// processing works out entering and leaving from where the pointer is.
#include <gtest/gtest.h>

#include "shell/BevLab.h"
#include "shell/framework/Application.h"
#include "shell/framework/Form.h"
#include "shell/framework/WinControl.h"
#include "win32/Surface.h"
#include "win32/UiTestSupport.h"

namespace {

void SendMouse(DWORD flags, int x = 0, int y = 0) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  if (flags & MOUSEEVENTF_ABSOLUTE) {
    // The middle of the pixel, in the 0..65535 scale of the whole screen.
    input.mi.dx = static_cast<LONG>((x * 65536LL + 32768) / GetSystemMetrics(SM_CXSCREEN));
    input.mi.dy = static_cast<LONG>((y * 65536LL + 32768) / GetSystemMetrics(SM_CYSCREEN));
  }
  SendInput(1, &input, sizeof input);
}

void MoveTo(POINT at) {
  SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, at.x, at.y);
}

class ButtonPointerTest : public ::testing::Test {
 protected:
  ButtonPointerTest() {
    form.SetBounds(200, 200, 300, 150);
    button.SetBounds(50, 40, 75, 22);
    button.SetPictUp(TwoColourPicture(2, 2, RGB(200, 200, 200), RGB(200, 200, 200)));
    button.SetPictDown(TwoColourPicture(2, 2, RGB(100, 100, 100), RGB(100, 100, 100)));
    button.SetPictEn(TwoColourPicture(2, 2, RGB(250, 250, 250), RGB(250, 250, 250)));
    button.OnMouseEnter = [this](TObject*) { events.push_back("MouseEnter"); };
    button.OnMouseLeave = [this](TObject*) { events.push_back("MouseLeave"); };
    button.OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int, int) {
      events.push_back("MouseDown");
    };
    button.OnMouseUp = [this](TObject*, TMouseButton, TShiftState, int, int) {
      events.push_back("MouseUp");
    };
    button.OnPress = [this](TObject*) { events.push_back("Press"); };
    button.OnRelease = [this](TObject*) { events.push_back("Release"); };
    button.OnClick = [this](TObject*) { events.push_back("Click"); };
  }
  void SetUp() override {
    MoveTo(Outside());
    form.Show();
    SetForegroundWindow(form.Handle());
    ASSERT_TRUE(PumpUntil([&] { return form.Active(); }));
  }
  void TearDown() override {
    if (GetAsyncKeyState(VK_LBUTTON) < 0) SendMouse(MOUSEEVENTF_LEFTUP);
    MoveTo(Outside());
    PumpPending();
  }

  POINT ButtonCentre() const {
    POINT at{button.Left() + button.Width() / 2, button.Top() + button.Height() / 2};
    ClientToScreen(form.Handle(), &at);
    return at;
  }
  POINT FormPoint(int x, int y) const {
    POINT at{x, y};
    ClientToScreen(form.Handle(), &at);
    return at;
  }
  static POINT Outside() { return {5, 5}; }
  // Pumps a little longer, so that a late second event would be seen.
  void Settle() {
    PumpUntil([] { return false; }, 150);
  }

  TApplication app;
  TForm& form = *app.CreateForm<TForm>();
  TBBut button{&form};
  std::vector<std::string> events;
};

TEST_F(ButtonPointerTest, MoveInPressReleaseClicksOnce) {
  MoveTo(ButtonCentre());
  ASSERT_TRUE(PumpUntil([&] { return button.MouseOver(); }));
  EXPECT_TRUE(button.HoverShown());
  SendMouse(MOUSEEVENTF_LEFTDOWN);
  ASSERT_TRUE(PumpUntil([&] { return button.Pressed(); }));
  SendMouse(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(PumpUntil([&] { return !button.Held(); }));
  Settle();
  EXPECT_EQ(events, (std::vector<std::string>{"MouseEnter", "MouseDown", "Press", "MouseUp",
                                              "Click", "Release"}));
  MoveTo(Outside());
  ASSERT_TRUE(PumpUntil([&] { return !button.MouseOver(); }));
  EXPECT_FALSE(button.HoverShown());
  EXPECT_EQ(events.back(), "MouseLeave");
}

TEST_F(ButtonPointerTest, PressLeaveReleaseDoesNotClick) {
  MoveTo(ButtonCentre());
  ASSERT_TRUE(PumpUntil([&] { return button.MouseOver(); }));
  SendMouse(MOUSEEVENTF_LEFTDOWN);
  ASSERT_TRUE(PumpUntil([&] { return button.Pressed(); }));
  MoveTo(FormPoint(250, 120));
  ASSERT_TRUE(PumpUntil([&] { return !button.MouseOver(); }));
  EXPECT_FALSE(button.Pressed());
  EXPECT_TRUE(button.Held());
  SendMouse(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(PumpUntil([&] { return !button.Held(); }));
  Settle();
  EXPECT_EQ(events, (std::vector<std::string>{"MouseEnter", "MouseDown", "Press", "MouseLeave",
                                              "MouseUp", "Release"}));
}

TEST_F(ButtonPointerTest, PressLeaveComeBackReleaseClicks) {
  MoveTo(ButtonCentre());
  ASSERT_TRUE(PumpUntil([&] { return button.MouseOver(); }));
  SendMouse(MOUSEEVENTF_LEFTDOWN);
  ASSERT_TRUE(PumpUntil([&] { return button.Pressed(); }));
  MoveTo(Outside());  // off the form altogether
  ASSERT_TRUE(PumpUntil([&] { return !button.MouseOver(); }));
  MoveTo(ButtonCentre());
  ASSERT_TRUE(PumpUntil([&] { return button.Pressed(); }));
  SendMouse(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(PumpUntil([&] { return !button.Held(); }));
  Settle();
  EXPECT_EQ(events,
            (std::vector<std::string>{"MouseEnter", "MouseDown", "Press", "MouseLeave", "MouseDown",
                                      "Press", "MouseEnter", "MouseUp", "Click", "Release"}));
}

TEST_F(ButtonPointerTest, AfterAFailedClickTheNextClickElsewhereGoesWhereItIsAimed) {
  std::vector<std::string> reported;
  app.ExceptionHook = [&](TObject*, const Exception& E) { reported.push_back(E.Message()); };
  button.OnClick = [](TObject*) { throw Exception("Connection refused"); };
  TWinControl field(&form, L"EDIT", ES_AUTOHSCROLL, WS_EX_CLIENTEDGE);
  field.SetBounds(150, 40, 100, 22);
  MoveTo(ButtonCentre());
  ASSERT_TRUE(PumpUntil([&] { return button.MouseOver(); }));
  SendMouse(MOUSEEVENTF_LEFTDOWN);
  ASSERT_TRUE(PumpUntil([&] { return button.Pressed(); }));
  SendMouse(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(PumpUntil([&] { return !reported.empty(); }));
  // Off the button and back over it with no mouse button down, then into the field.
  MoveTo(FormPoint(250, 120));
  ASSERT_TRUE(PumpUntil([&] { return !button.MouseOver(); }));
  MoveTo(ButtonCentre());
  ASSERT_TRUE(PumpUntil([&] { return button.MouseOver(); }));
  Settle();
  EXPECT_FALSE(button.Pressed());
  EXPECT_EQ(GetCapture(), nullptr);
  MoveTo(FormPoint(field.Left() + 50, field.Top() + 11));
  SendMouse(MOUSEEVENTF_LEFTDOWN);
  SendMouse(MOUSEEVENTF_LEFTUP);
  EXPECT_TRUE(PumpUntil([&] { return GetFocus() == field.Handle(); }));
  Settle();
  EXPECT_EQ(reported, std::vector<std::string>{"Connection refused"});
}

TEST_F(ButtonPointerTest, AFailureInIdleProcessingIsReportedWithTheApplication) {
  std::vector<TObject*> senders;
  app.ExceptionHook = [&](TObject* Sender, const Exception& E) {
    EXPECT_EQ(E.Message(), "enter failed");
    senders.push_back(Sender);
  };
  button.OnMouseEnter = [](TObject*) { throw Exception("enter failed"); };
  MoveTo(ButtonCentre());
  ASSERT_TRUE(PumpUntil([&] { return !senders.empty(); }));
  EXPECT_EQ(senders, (std::vector<TObject*>{&app}));
  EXPECT_TRUE(button.MouseOver());
}

}  // namespace
