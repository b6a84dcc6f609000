// The About box: its layout and texts, shown modally by the main window's button and by F1 from
// each control that has it, closed by both of its buttons, and its links handed to the shell.
#include "shell/AboutF.h"

#include <gtest/gtest.h>

#include <vector>

#include "fakes/FakeShellOpener.h"
#include "shell/ShellTexts.h"
#include "win32/MainWindowFixture.h"

namespace {

void ExpectSkinned(const TBBut& button, const std::string& font, TColor colour,
                   const std::string& font_down, TColor colour_down) {
  EXPECT_EQ(button.Shape(), TBevelShape::bsFrame);
  EXPECT_EQ(button.Style(), TBevelStyle::bsRaised);
  EXPECT_FALSE(button.TranspPict() || button.Transparent() || button.UseFontDown());
  EXPECT_TRUE(button.ParentFont() && button.ParentColor());
  EXPECT_EQ(button.Corner(), 0);
  EXPECT_EQ(button.UnMouse(), 0);
  EXPECT_EQ(button.Color(), clBtnFace);
  for (const TPicture* picture : {&button.PictUp(), &button.PictDown(), &button.PictEn()}) {
    ASSERT_TRUE(picture->Holds(TGraphicKind::Bitmap));
    EXPECT_EQ(picture->Graphic()->Width(), button.Width());
    EXPECT_EQ(picture->Graphic()->Height(), button.Height());
  }
  EXPECT_EQ(button.Font().Name(), font);
  EXPECT_EQ(button.Font().Color(), colour);
  EXPECT_EQ(button.FontDown().Name(), font_down);
  EXPECT_EQ(button.FontDown().Color(), colour_down);
  EXPECT_EQ(button.Font().Height(), -11);
  EXPECT_EQ(button.FontDown().Height(), -11);
}

RECT Bounds(const TControl& control) {
  return control.BoundsRect();
}

bool operator==(const RECT& a, const RECT& b) {
  return EqualRect(&a, &b) != FALSE;
}

TEST(AboutBox, LayoutTextsAndButtons) {
  TApplication app;
  TAboutBox about(&app);
  EXPECT_EQ(about.ClientWidth(), 419);
  EXPECT_EQ(about.ClientHeight(), 325);
  EXPECT_EQ(about.Width(), 419);  // no frame
  EXPECT_EQ(about.Caption(), shell_texts::kAbout);
  EXPECT_EQ(about.Color(), 15329769u);
  EXPECT_FALSE(about.Visible());
  EXPECT_TRUE(GetWindowLongW(about.Handle(), GWL_STYLE) & WS_SYSMENU);

  EXPECT_EQ(about.Version.Caption(), shell_texts::kVersion);
  EXPECT_EQ(about.Version.Alignment(), TAlignment::taRightJustify);
  EXPECT_EQ(about.Version.Left(), 165);
  EXPECT_EQ(about.ProductName.Caption(), shell_texts::kProductName);
  EXPECT_EQ(about.Label3.Caption(), shell_texts::kProductTitle);
  EXPECT_EQ(about.MakerName.Caption(), shell_texts::kMaker);
  EXPECT_EQ(about.Label6.Caption(), shell_texts::kYear);
  EXPECT_EQ(about.Label4.Caption(), shell_texts::kBetaNotice);
  EXPECT_TRUE(about.Label4.WordWrap());
  EXPECT_TRUE(Bounds(about.Label4) == (RECT{20, 180, 400, 278}));
  EXPECT_TRUE(Bounds(about.Image2) == (RECT{0, 0, 419, 24}));
  EXPECT_TRUE(Bounds(about.Image7) == (RECT{10, 108, 410, 285}));
  EXPECT_TRUE(Bounds(about.Shape1) == (RECT{6, 25, 413, 104}));
  for (const TLabel* link : {&about.Label1, &about.Label2}) EXPECT_EQ(link->Cursor(), IDC_HAND);
  EXPECT_EQ(about.Label1.Caption(), shell_texts::kMakerMail);
  EXPECT_EQ(about.Label2.Caption(), shell_texts::kMakerWeb);

  EXPECT_TRUE(Bounds(about.OKButton) == (RECT{173, 291, 248, 314}));
  EXPECT_EQ(about.OKButton.Caption(), shell_texts::kOk);
  ExpectSkinned(about.OKButton, "Tahoma", 0x575757, "Arial", 0x575757);
  EXPECT_TRUE(Bounds(about.BBut2) == (RECT{399, 4, 415, 20}));
  EXPECT_EQ(about.BBut2.Caption(), "");
  ExpectSkinned(about.BBut2, "Arial", clWhite, "Arial", clWhite);

  // The box's own pictures come when it is first shown; its icons are there from the start.
  const std::vector<const TImage*> images = {&about.Image2, &about.Image6,     &about.Image4,
                                             &about.Image5, &about.Image3,     &about.Image1,
                                             &about.Image7, &about.ProgramIcon};
  for (const TImage* image : images) EXPECT_TRUE(image->Picture().Empty());
  EXPECT_NE(SendMessageW(about.Handle(), WM_GETICON, ICON_BIG, 0), 0);
  EXPECT_NE(SendMessageW(about.Handle(), WM_GETICON, ICON_SMALL, 0), 0);
  about.Show();
  for (const TImage* image : images) EXPECT_TRUE(image->Picture().Holds(TGraphicKind::Bitmap));
  EXPECT_TRUE(Bounds(about.Image7) == (RECT{10, 108, 410, 285}));
}

TEST(AboutBox, CentredOnTheScreenWhenShownAndClosedByItsButtonsEscAndEnter) {
  TApplication app;
  TAboutBox about(&app);
  about.SetBounds(3, 4, about.Width(), about.Height());
  about.Show();
  EXPECT_EQ(about.Left(), (GetSystemMetrics(SM_CXSCREEN) - 419) / 2);
  EXPECT_EQ(about.Top(), (GetSystemMetrics(SM_CYSCREEN) - 325) / 2);
  about.OKButton.Click();
  EXPECT_FALSE(about.Visible());
  about.Show();
  about.BBut2.Click();
  EXPECT_FALSE(IsWindowVisible(about.Handle()));
  for (WORD key : {VK_ESCAPE, VK_RETURN}) {
    about.Show();
    PressKey(about.Handle(), key);
    EXPECT_FALSE(IsWindowVisible(about.Handle())) << key;
  }
}

TEST(AboutBox, TheLinksAreOpenedThroughTheShell) {
  TApplication app;
  TAboutBox about(&app);
  about.Show();
  FakeShellOpener shell;
  // Clicked with the mouse, as the box routes it to the text under the pointer.
  for (const TLabel* link : {&about.Label1, &about.Label2}) {
    const LPARAM at = MAKELPARAM(link->Left() + 2, link->Top() + 2);
    SendMessageW(about.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(about.Handle(), WM_LBUTTONUP, 0, at);
  }
  ASSERT_EQ(shell.requests.size(), 2u);
  EXPECT_EQ(shell.requests[0].file, shell_texts::kMakerMailLink);
  EXPECT_EQ(shell.requests[1].file, shell_texts::kMakerWeb);
  for (const ShellOpenRequest& request : shell.requests) {
    EXPECT_EQ(request.owner, nullptr);
    EXPECT_EQ(request.verb, "open");
    EXPECT_EQ(request.parameters, "");
    EXPECT_EQ(request.directory, "");
    EXPECT_EQ(request.show, 5);
  }
}

// The main window's About button and F1 show the box modally; while it is up the main window
// takes no input, and the box's buttons close it in turn.
TEST_F(MainWindowTest, TheAboutButtonAndF1ShowTheAboutBoxModally) {
  Create();
  TAboutBox* about = app.CreateForm<TAboutBox>(&app);
  form->AboutBox = about;
  int shown = 0;
  bool main_disabled = true;
  UtilityWindow closer(nullptr, [&](UINT message, WPARAM, LPARAM, LRESULT&) {
    if (message != WM_TIMER || !about->Visible()) return false;
    main_disabled = main_disabled && !IsWindowEnabled(form->Handle());
    TBBut& button = ++shown % 2 ? about->OKButton : about->BBut2;
    button.Click();
    return true;
  });
  SetTimer(closer.Handle(), 1, 10, nullptr);

  form->Button2.Click();
  for (TWinControl* control : std::initializer_list<TWinControl*>{
           &form->ADRL, &form->SrvBox, &form->PortED, &form->MSG, &form->List}) {
    PressKey(KeyTarget(*control), VK_F1);
  }
  PressKey(form->Handle(), VK_F1);
  EXPECT_EQ(shown, 7);
  EXPECT_TRUE(main_disabled);
  EXPECT_FALSE(about->Visible());
  EXPECT_TRUE(IsWindowEnabled(form->Handle()));
  KillTimer(closer.Handle(), 1);
}

}  // namespace
