// The skinned button's properties and its pointer handling as its form delivers it.
#include <gtest/gtest.h>

#include "platform/win32/UtilityWindow.h"
#include "shell/BevLab.h"
#include "shell/ShellTexts.h"
#include "shell/framework/Application.h"
#include "shell/framework/Form.h"
#include "win32/Surface.h"
#include "win32/UiTestSupport.h"

namespace {

class BButTest : public ::testing::Test {
 protected:
  BButTest() {
    TFont font;
    font.SetName("Arial");
    font.SetHeight(-13);
    font.SetColor(0x575757);
    form.SetFont(font);
    button.SetBounds(10, 10, 75, 22);
    form.Show();  // a hidden window keeps no update region
    button.OnChange = [this](TObject* Sender) {
      EXPECT_EQ(Sender, &button);
      ++changes;
    };
  }

  // Whether the button's area waits for a repaint; forgets it.
  bool RepaintRequested() {
    RECT area{};
    const bool waiting =
        GetUpdateRect(form.Handle(), &area, FALSE) && EqualRect(&area, ToPtr(button.BoundsRect()));
    ValidateRect(form.Handle(), nullptr);
    return waiting;
  }
  static const RECT* ToPtr(const RECT& rect) { return &rect; }

  LPARAM At(int x, int y) { return MAKELPARAM(button.Left() + x, button.Top() + y); }

  TApplication app;
  TForm form;
  TBBut button{&form};
  int changes = 0;
};

TEST_F(BButTest, ConstructionValues) {
  TBBut fresh(&form);
  EXPECT_TRUE(fresh.PictDown().Empty());
  EXPECT_TRUE(fresh.PictUp().Empty());
  EXPECT_TRUE(fresh.PictEn().Empty());
  EXPECT_FALSE(fresh.TranspPict());
  EXPECT_FALSE(fresh.Transparent());
  EXPECT_TRUE(fresh.ParentFont());
  EXPECT_EQ(fresh.Corner(), 4);
  EXPECT_EQ(fresh.UnMouse(), 1);
  for (const TFont* font : {&fresh.Font(), &fresh.FontDown()}) {
    EXPECT_EQ(font->Name(), "Arial");
    EXPECT_EQ(font->Height(), -13);
    EXPECT_EQ(font->Color(), 0x575757u);
  }
  EXPECT_TRUE(fresh.UseFontDown());
  EXPECT_EQ(fresh.Caption(), "");
  EXPECT_EQ(fresh.Color(), clBtnFace);
  EXPECT_TRUE(fresh.ParentColor());
  EXPECT_TRUE(fresh.Enabled());
  EXPECT_EQ(fresh.Width(), 40);
  EXPECT_EQ(fresh.Height(), 40);
  EXPECT_EQ(fresh.Shape(), TBevelShape::bsBox);
  EXPECT_EQ(fresh.Style(), TBevelStyle::bsRaised);
  EXPECT_FALSE(fresh.MouseOver() || fresh.Held() || fresh.Pressed() || fresh.HoverShown());
}

TEST_F(BButTest, OwnerThatIsNoFormIsRefused) {
  TComponent not_a_form;
  try {
    TBBut refused(&not_a_form);
    FAIL() << "constructed";
  } catch (const EInvalidCast& error) {
    EXPECT_EQ(error.Message(), shell_texts::kInvalidCast);
  }
  EXPECT_THROW(TBBut(nullptr), EInvalidCast);
}

TEST_F(BButTest, SettersNeverCompareAndRequestARepaint) {
  const struct {
    const char* name;
    std::function<void()> assign;
    int changes;
  } rows[] = {
      {"Caption", [&] { button.SetCaption(""); }, 1},
      {"Corner", [&] { button.SetCorner(4); }, 1},
      {"UnMouse", [&] { button.SetUnMouse(1); }, 1},
      {"TranspPict", [&] { button.SetTranspPict(false); }, 1},
      {"Transparent", [&] { button.SetTransparent(false); }, 1},
      {"ParentFont", [&] { button.SetParentFont(true); }, 1},
      {"UseFontDown", [&] { button.SetUseFontDown(true); }, 1},
      {"ParentColor", [&] { button.SetParentColor(true); }, 1},
      {"Color", [&] { button.SetColor(clBtnFace); }, 2},
      {"Font", [&] { button.SetFont(button.Font()); }, 1},
      {"FontDown", [&] { button.SetFontDown(button.FontDown()); }, 0},
      {"PictUp", [&] { button.SetPictUp(TPicture()); }, 1},
      {"PictDown", [&] { button.SetPictDown(TPicture()); }, 1},
      {"PictEn emptied", [&] { button.SetPictEn(TPicture()); }, 1},
  };
  for (const auto& row : rows) {
    RepaintRequested();
    changes = 0;
    row.assign();
    EXPECT_EQ(changes, row.changes) << row.name;
    EXPECT_TRUE(RepaintRequested()) << row.name;
  }
}

// While the form is hidden nothing is asked for; shown, it is painted whole, the change included.
TEST_F(BButTest, AChangeWhileTheFormIsHiddenIsPaintedWhenItShows) {
  form.Hide();
  button.SetCaption("Hidden");
  RECT area{};
  EXPECT_FALSE(GetUpdateRect(form.Handle(), &area, FALSE));
  form.Show();
  ASSERT_TRUE(GetUpdateRect(form.Handle(), &area, FALSE));
  RECT covered{};
  IntersectRect(&covered, &area, ToPtr(button.BoundsRect()));
  EXPECT_TRUE(EqualRect(&covered, ToPtr(button.BoundsRect())));
}

TEST_F(BButTest, ColourAndFontTurnTheirParentFlagsOff) {
  button.SetColor(0x123456);
  EXPECT_FALSE(button.ParentColor());
  button.SetParentColor(true);  // a window definition stores Color before ParentColor
  EXPECT_TRUE(button.ParentColor());
  EXPECT_EQ(button.Color(), 0x123456u);

  TFont font;
  font.SetName("Tahoma");
  button.SetFont(font);
  EXPECT_FALSE(button.ParentFont());
  EXPECT_EQ(button.Font().Name(), "Tahoma");
  button.SetParentFont(true);
  RepaintRequested();
  changes = 0;
  button.Font().SetColor(0xFFFFFF);  // in place: nothing else happens
  EXPECT_TRUE(button.ParentFont());
  EXPECT_EQ(changes, 0);
  EXPECT_FALSE(RepaintRequested());
}

TEST_F(BButTest, BevelPropertiesRepaintOnlyWhenChanged) {
  RepaintRequested();
  button.SetShape(TBevelShape::bsBox);
  button.SetStyle(TBevelStyle::bsRaised);
  EXPECT_FALSE(RepaintRequested());
  button.SetShape(TBevelShape::bsFrame);
  EXPECT_TRUE(RepaintRequested());
  EXPECT_EQ(changes, 0);
}

TEST_F(BButTest, PicturesAreCopiesWithTheButtonsTransparency) {
  button.SetTranspPict(true);
  TPicture mine = TwoColourPicture(2, 2, RGB(1, 2, 3), RGB(4, 5, 6));
  button.SetPictUp(mine);
  button.SetPictDown(mine);
  changes = 0;
  RepaintRequested();
  button.SetPictEn(mine);  // a graphic: no OnChange, no repaint
  EXPECT_EQ(changes, 0);
  EXPECT_FALSE(RepaintRequested());
  for (const TPicture* picture : {&button.PictUp(), &button.PictDown(), &button.PictEn()}) {
    ASSERT_TRUE(picture->Holds(TGraphicKind::Bitmap));
    EXPECT_NE(picture->Graphic(), mine.Graphic());
    EXPECT_TRUE(picture->Graphic()->Transparent());
  }
  EXPECT_FALSE(mine.Graphic()->Transparent());
  mine.SetGraphic(nullptr);
  EXPECT_FALSE(button.PictUp().Empty());
}

TEST_F(BButTest, EmptyingPictEnEndsTheHighlightedLook) {
  SetActiveWindow(form.Handle());
  ASSERT_TRUE(form.Active());
  button.SetPictEn(TwoColourPicture(2, 2, 0, 0));
  button.MouseEntered();
  EXPECT_TRUE(button.HoverShown());
  button.SetPictEn(TPicture());
  EXPECT_FALSE(button.HoverShown());
}

TEST_F(BButTest, HighlightOnlyInTheActiveWindow) {
  button.SetPictEn(TwoColourPicture(2, 2, 0, 0));
  form.Hide();
  button.MouseEntered();
  EXPECT_TRUE(button.MouseOver());
  EXPECT_FALSE(button.HoverShown());
}

TEST_F(BButTest, ClickFiresOnClickEvenWhenDisabled) {
  int clicks = 0;
  button.OnClick = [&](TObject* Sender) {
    EXPECT_EQ(Sender, &button);
    ++clicks;
  };
  button.SetEnabled(false);
  button.Click();
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(button.Pressed());
}

class BButMessagesTest : public BButTest {
 protected:
  BButMessagesTest() {
    button.OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int x, int y) {
      events.push_back("MouseDown " + std::to_string(x) + "," + std::to_string(y));
    };
    button.OnMouseUp = [this](TObject*, TMouseButton, TShiftState, int, int) {
      events.push_back("MouseUp");
    };
    button.OnClick = [this](TObject*) { events.push_back("Click"); };
    button.OnPress = [this](TObject*) { events.push_back("Press"); };
    button.OnRelease = [this](TObject*) { events.push_back("Release"); };
    button.OnDBClick = [this](TObject*) { events.push_back("DBClick"); };
  }
  void Send(UINT message, WPARAM keys, int x, int y) {
    SendMessageW(form.Handle(), message, keys, At(x, y));
  }
  std::vector<std::string> events;
};

TEST_F(BButMessagesTest, PressAndReleaseOverTheButtonClicks) {
  button.MouseEntered();
  Send(WM_LBUTTONDOWN, MK_LBUTTON, 5, 6);
  EXPECT_EQ(GetCapture(), form.Handle());
  EXPECT_EQ(form.CaptureControl(), &button);
  EXPECT_EQ(button.Style(), TBevelStyle::bsLowered);
  Send(WM_LBUTTONUP, 0, 5, 6);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(button.Style(), TBevelStyle::bsRaised);
  EXPECT_EQ(events,
            (std::vector<std::string>{"MouseDown 5,6", "Press", "MouseUp", "Click", "Release"}));
}

TEST_F(BButMessagesTest, ReleaseOutsideReachesTheCapturingButtonWithoutAClick) {
  button.MouseEntered();
  Send(WM_LBUTTONDOWN, MK_LBUTTON, 5, 6);
  button.MouseLeft();
  Send(WM_LBUTTONUP, 0, 200, 100);
  EXPECT_EQ(events, (std::vector<std::string>{"MouseDown 5,6", "Press", "MouseUp", "Release"}));
  EXPECT_FALSE(button.Held());
}

TEST_F(BButMessagesTest, DoubleClickClicksTwice) {
  button.MouseEntered();
  Send(WM_LBUTTONDOWN, MK_LBUTTON, 5, 6);
  Send(WM_LBUTTONUP, 0, 5, 6);
  Send(WM_LBUTTONDBLCLK, MK_LBUTTON, 5, 6);
  Send(WM_LBUTTONUP, 0, 5, 6);
  EXPECT_EQ(events,
            (std::vector<std::string>{"MouseDown 5,6", "Press", "MouseUp", "Click", "Release",
                                      "DBClick", "MouseUp", "Click", "Release"}));
}

TEST_F(BButMessagesTest, DisabledButtonGetsNoButtonMessages) {
  button.MouseEntered();
  button.SetEnabled(false);
  Send(WM_LBUTTONDOWN, MK_LBUTTON, 5, 6);
  Send(WM_LBUTTONUP, 0, 5, 6);
  EXPECT_TRUE(events.empty());
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(BButMessagesTest, OnClickComesAfterEveryQueuedMessage) {
  bool pressed_seen = true;
  UtilityWindow queued(nullptr, [&](UINT message, WPARAM, LPARAM, LRESULT&) {
    if (message != WM_APP) return false;
    events.push_back("queued");
    pressed_seen = button.Pressed();
    return true;
  });
  button.MouseEntered();
  Send(WM_LBUTTONDOWN, MK_LBUTTON, 5, 6);
  PostMessageW(queued.Handle(), WM_APP, 0, 0);
  Send(WM_LBUTTONUP, 0, 5, 6);
  EXPECT_EQ(events, (std::vector<std::string>{"MouseDown 5,6", "Press", "MouseUp", "queued",
                                              "Click", "Release"}));
  EXPECT_FALSE(pressed_seen);
}

TEST_F(BButMessagesTest, AFailedClickIsReportedAndLeavesNeitherHoldNorCapture) {
  std::vector<std::string> reported;
  app.ExceptionHook = [&](TObject*, const Exception& E) { reported.push_back(E.Message()); };
  button.OnClick = [](TObject*) { throw Exception("click failed"); };
  button.MouseEntered();
  Send(WM_LBUTTONDOWN, MK_LBUTTON, 5, 6);
  Send(WM_LBUTTONUP, 0, 5, 6);
  EXPECT_EQ(reported, std::vector<std::string>{"click failed"});
  EXPECT_FALSE(button.Held());
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(events.back(), "MouseUp");  // the failed handler's remaining steps did not run
  button.MouseLeft();
  button.MouseEntered();  // with no mouse button down, passing over it presses nothing
  EXPECT_FALSE(button.Pressed());
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(events.back(), "MouseUp");
}

}  // namespace
