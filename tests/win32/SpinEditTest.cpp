// The port box: the typed-character filter, Enter seen by OnKeyDown and then refused, Up and
// Down from the keys and the buttons, and what a text reads as.
#include "shell/controls/SpinEdit.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include "shell/framework/Application.h"
#include "shell/framework/Form.h"
#include "win32/UiTestSupport.h"

namespace {

// Counts the beeps instead of sounding them.
class CountingSpinEdit : public TSpinEdit {
 public:
  using TSpinEdit::TSpinEdit;
  int refused = 0;

 protected:
  void Refuse() override { ++refused; }
};

class SpinEditTest : public ::testing::Test {
 protected:
  SpinEditTest() : form(*app.CreateForm<TForm>()) {
    form.SetBounds(100, 100, 566, 417);
    spin.SetBounds(428, 40, 45, 22);
  }

  void Type(wchar_t ch) { SendMessageW(spin.Handle(), WM_CHAR, ch, 1); }
  void Press(WORD key) {
    SendMessageW(spin.Handle(), WM_KEYDOWN, key, 1);
    SendMessageW(spin.Handle(), WM_KEYUP, key, 0xC0000001);
  }
  // A click on the upper or lower half of the buttons.
  void Click(bool up) {
    RECT rect;
    GetClientRect(spin.ButtonsHandle(), &rect);
    const LPARAM at = MAKELPARAM(rect.right / 2, up ? rect.bottom / 4 : rect.bottom * 3 / 4);
    SendMessageW(spin.ButtonsHandle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(spin.ButtonsHandle(), WM_LBUTTONUP, 0, at);
  }

  TApplication app;
  TForm& form;
  CountingSpinEdit spin{&form};
};

TEST_F(SpinEditTest, AcceptsOnlySignsDigitsTheDecimalSeparatorAndControlKeys) {
  const wchar_t separator = TSpinEdit::DecimalSeparator();
  const struct {
    wchar_t typed;
    bool accepted;
  } cases[] = {
      {L'0', true},      {L'5', true},  {L'9', true},    {L'+', true},    {L'-', true},
      {separator, true}, {L'\b', true}, {0x01, true},    {0x03, true},    {0x16, true},
      {0x18, true},      {0x1A, true},  {L'\t', true},   {0x1B, true},    {L'\r', false},
      {L'a', false},     {L'Z', false}, {L' ', false},   {L'*', false},   {L'e', false},
      {L'$', false},     {0x7F, false}, {0x0416, false}, {0x0660, false}, {0xFF10, false},
  };
  for (const auto& c : cases) {
    spin.SetText("12");
    SendMessageW(spin.Handle(), EM_SETSEL, 2, 2);
    const int before = spin.refused;
    Type(c.typed);
    EXPECT_EQ(spin.refused - before, c.accepted ? 0 : 1) << std::hex << int(c.typed);
    if (!c.accepted) {
      EXPECT_EQ(spin.Text(), "12") << std::hex << int(c.typed);
    }
    EXPECT_EQ(TSpinEdit::Accepts(c.typed, separator), c.accepted) << std::hex << int(c.typed);
  }
  spin.SetText("");
  for (wchar_t ch : std::wstring(L"-1a2+3 4")) Type(ch);
  EXPECT_EQ(spin.Text(), "-12+34");
  // The separator follows the locale, whatever it is.
  EXPECT_TRUE(TSpinEdit::Accepts(L',', L','));
  EXPECT_FALSE(TSpinEdit::Accepts(L'.', L','));
}

TEST_F(SpinEditTest, EnterReachesOnKeyDownAndIsThenRefused) {
  std::vector<WORD> downs;
  int refused_when_seen = -1;
  spin.OnKeyDown = [&](TObject* sender, WORD& key, TShiftState) {
    EXPECT_EQ(sender, &spin);
    downs.push_back(key);
    refused_when_seen = spin.refused;
  };
  std::string pressed;
  spin.OnKeyPress = [&](TObject*, char& key) { pressed.push_back(key); };
  spin.SetValue(244);
  Press(VK_RETURN);
  Type(L'\r');
  EXPECT_EQ(downs, std::vector<WORD>{VK_RETURN});
  EXPECT_EQ(refused_when_seen, 0);
  EXPECT_EQ(spin.refused, 1);
  EXPECT_EQ(pressed, "");
  EXPECT_EQ(spin.Value(), 244);
  Type(L'7');
  EXPECT_EQ(pressed, "7");
}

TEST_F(SpinEditTest, UpAndDownKeysAndButtonsAddOrSubtractOne) {
  spin.SetValue(244);
  Press(VK_UP);
  EXPECT_EQ(spin.Value(), 245);
  Press(VK_DOWN);
  Press(VK_DOWN);
  EXPECT_EQ(spin.Value(), 243);
  Click(true);
  EXPECT_EQ(spin.Value(), 244);
  Click(false);
  Click(false);
  EXPECT_EQ(spin.Value(), 242);
  // No bounds: below zero, and round at the ends of the range.
  spin.SetValue(0);
  Press(VK_DOWN);
  EXPECT_EQ(spin.Value(), -1);
  spin.SetValue(2147483647);
  Press(VK_UP);
  EXPECT_EQ(spin.Value(), -2147483647 - 1);
  Press(VK_DOWN);
  EXPECT_EQ(spin.Value(), 2147483647);
  // A text that is not a number counts as 0 for a step.
  spin.SetText("abc");
  Press(VK_UP);
  EXPECT_EQ(spin.Text(), "1");
  // The keys are seen by OnKeyDown first, which may take them.
  spin.OnKeyDown = [](TObject*, WORD& key, TShiftState) {
    if (key == VK_UP) key = 0;
  };
  Press(VK_UP);
  EXPECT_EQ(spin.Value(), 1);
}

TEST_F(SpinEditTest, ATextThatIsNotAWholeNumberReadsAsZero) {
  const struct {
    const char* text;
    int32_t value;
  } cases[] = {
      {"244", 244},
      {"-17", -17},
      {"+5", 5},
      {"0", 0},
      {"", 0},
      {"-", 0},
      {"+", 0},
      {"12.5", 0},
      {"1e3", 0},
      {"abc", 0},
      {"--1", 0},
      {"1-", 0},
      {"2147483647", 2147483647},
      {"-2147483648", -2147483647 - 1},
      {"2147483648", 0},
      {"99999999999", 0},
      {"65780", 65780},
      {" 7", 7},
      {"7 ", 0},
      {"$1F4", 500},
      {"0x10", 16},
  };
  for (const auto& c : cases) {
    spin.SetText(c.text);
    EXPECT_EQ(spin.Value(), c.value) << c.text;
  }
  spin.SetValue(-2147483647 - 1);
  EXPECT_EQ(spin.Text(), "-2147483648");
}

TEST_F(SpinEditTest, TheButtonsSitInsideTheFieldAtItsRightEdge) {
  RECT field, buttons;
  GetWindowRect(spin.Handle(), &field);
  GetWindowRect(spin.ButtonsHandle(), &buttons);
  EXPECT_EQ(GetParent(spin.ButtonsHandle()), spin.Handle());
  EXPECT_EQ(field.right - field.left, 45);
  EXPECT_EQ(field.bottom - field.top, 22);
  EXPECT_GT(buttons.right - buttons.left, 8);
  EXPECT_LE(buttons.right, field.right);
  EXPECT_GE(buttons.left, field.left + 20);
  spin.SetEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(spin.ButtonsHandle()));
  spin.SetEnabled(true);
  EXPECT_TRUE(IsWindowEnabled(spin.ButtonsHandle()));
}

}  // namespace
