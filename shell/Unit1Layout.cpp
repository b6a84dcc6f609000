// The main window's controls: place, size, anchors, texts, pictures and initial state, as the
// window's stored description gives them.
#include "core/Texts.h"
#include "core/TransportKinds.h"
#include "resources/ResourceIds.h"
#include "shell/ShellTexts.h"
#include "shell/Skin.h"
#include "shell/Unit1.h"

namespace {

constexpr TColor kStatusColor = 3815994;  // RGB 58,58,58

}  // namespace

void TForm1::BuildLayout() {
  SetCaption(shell_texts::kMainCaption);
  SetColor(kWindowColor);
  SetFont(MakeFont("Tahoma", clBlack));
  SetMinSize(kMinWidth, kMinHeight);
  SetBounds(328, 111, 566, 417);
  BuildTitle();
  BuildConnectionRow();
  BuildButtons();
  BuildBottom();
  BuildHints();
}

void TForm1::BuildTitle() {
  PlacePicture(Image1, 0, 0, 281, 99, akLeft | akTop, IDB_TITLE_LEFT, false);
  PlacePicture(Image6, 285, 0, 281, 99, akTop | akRight, IDB_TITLE_RIGHT, false);
  PlacePicture(Image7, 281, 0, 4, 99, akLeft | akTop | akRight, IDB_TITLE_FILL, true);
  PlacePicture(Image2, 12, 12, 48, 48, akLeft | akTop, IDB_EMBLEM, false);
  Image2.SetTransparent(true);

  const TFont title_font = MakeFont("Tahoma", kTitleShadowColor, -19, fsBold);
  Label2.SetFont(title_font);
  Label2.SetTransparent(true);
  Label2.SetCaption(shell_texts::kTitle);
  Label2.SetBounds(68, 11, Label2.Width(), Label2.Height());
  TFont white_title = title_font;
  white_title.SetColor(clWhite);
  Label1.SetFont(white_title);
  Label1.SetTransparent(true);
  Label1.SetCaption(shell_texts::kTitle);
  Label1.SetBounds(67, 10, Label1.Width(), Label1.Height());

  const TFont arial_white = MakeFont("Arial", clWhite);
  const TAnchors top_right = akTop | akRight;
  SkinButton(BBut6, 492, 4, 16, 16, top_right, IDB_TRAY_UP, arial_white, arial_white, "");
  SkinButton(BBut1, 510, 4, 16, 16, top_right, IDB_MINIMISE_UP, arial_white, arial_white, "");
  SkinButton(BBut5, 528, 4, 16, 16, top_right, IDB_MAXIMISE_UP, arial_white, arial_white, "");
  SkinButton(BBut2, 546, 4, 16, 16, top_right, IDB_CLOSE_UP, arial_white, arial_white, "");
}

void TForm1::BuildConnectionRow() {
  ADRL.SetBounds(69, 40, 252, 21);
  ADRL.SetAnchors(akLeft | akTop | akRight);
  ADRL.SetText(texts::kDefaultAddress);

  SrvBox.SetBounds(324, 40, 100, 21);
  SrvBox.SetAnchors(akTop | akRight);
  SrvBox.SetItems(TransportKindNames());
  SrvBox.SetItemIndex(0);

  PortED.SetBounds(428, 40, 45, 22);
  PortED.SetAnchors(akTop | akRight);
  PortED.SetValue(244);

  const TFont tahoma = MakeFont("Tahoma", clBlack);
  const TFont arial_white = MakeFont("Arial", clWhite);
  SkinButton(ConB, 483, 24, 73, 20, akTop | akRight, IDB_CONNECT_UP, tahoma, arial_white,
             shell_texts::kConnect);
  SkinButton(DConB, 483, 44, 73, 20, akTop | akRight, IDB_CONNECT_UP, tahoma, arial_white,
             shell_texts::kDisconnect);
  DConB.SetEnabled(false);
}

void TForm1::BuildButtons() {
  const TFont tahoma = MakeFont("Tahoma", clBlack);
  const TFont arial_white = MakeFont("Arial", clWhite);
  const TAnchors top_left = akLeft | akTop;
  SkinButton(BBut3, 7, 73, 75, 22, top_left, IDB_COMMAND_UP, tahoma, arial_white,
             shell_texts::kSave);
  SkinButton(BBut4, 82, 73, 75, 22, top_left, IDB_COMMAND_UP, tahoma, arial_white,
             shell_texts::kClear);
  SkinButton(Button2, 157, 73, 75, 22, top_left, IDB_COMMAND_UP, tahoma, arial_white,
             shell_texts::kAbout);
  SkinButton(ExitBtn, 232, 73, 75, 22, top_left, IDB_COMMAND_UP, tahoma, arial_white,
             shell_texts::kExit);
}

void TForm1::BuildBottom() {
  List.SetBounds(5, 99, 556, 261);
  List.SetAnchors(akLeft | akTop | akRight | akBottom);
  List.Bind(transcript_);
  // Read-only: Tab passes it by, from the port box to the message box.
  List.SetTabStop(false);

  PlacePicture(Image4, 0, 99, 5, 261, akLeft | akTop | akBottom, IDB_EDGE_LEFT, true);
  Image4.SetCursor(IDC_SIZEWE);
  PlacePicture(Image5, 561, 99, 5, 261, akTop | akRight | akBottom, IDB_EDGE_RIGHT, true);
  Image5.SetCursor(IDC_SIZEWE);
  PlacePicture(Image3, 0, 360, 194, 57, akLeft | akBottom, IDB_BOTTOM_LEFT, false);
  PlacePicture(Image8, 194, 360, 275, 57, akLeft | akRight | akBottom, IDB_BOTTOM_FILL, true);
  PlacePicture(Image9, 469, 360, 97, 57, akRight | akBottom, IDB_BOTTOM_RIGHT, false);

  MSG.SetBounds(7, 365, 470, 21);
  MSG.SetAnchors(akLeft | akRight | akBottom);

  const TFont send_font = MakeFont("Tahoma", kSendCaptionColor);
  const TFont send_font_down = MakeFont("Arial", kSendCaptionColor);
  SkinButton(SendB, 484, 364, 75, 23, akRight | akBottom, IDB_SEND_UP, send_font, send_font_down,
             shell_texts::kSend);
  SendB.SetEnabled(false);

  SL1.SetFont(MakeFont("Tahoma", kStatusColor));
  SL1.SetTransparent(true);
  SL1.SetCaption(controller_.KindLabel());
  SL1.SetBounds(11, 395, SL1.Width(), SL1.Height());
  SL1.SetAnchors(akLeft | akBottom);
  SL2.SetTransparent(true);
  SL2.SetBounds(199, 395, SL2.Width(), SL2.Height());
  SL2.SetAnchors(akRight | akBottom);

  // Invisible areas: only their cursors and presses matter.
  for (TShape* shape : {&Shape2, &Shape1}) {
    shape->SetPen(false, clBlack);
    shape->SetBrush(false, clWhite);
  }
  Shape2.SetBounds(546, 397, 15, 15);
  Shape2.SetAnchors(akRight | akBottom);
  Shape2.SetCursor(IDC_SIZENWSE);
  Shape1.SetBounds(0, 412, 567, 5);
  Shape1.SetAnchors(akRight | akBottom);
  Shape1.SetCursor(IDC_SIZENS);
}

void TForm1::BuildHints() {
  hints_.Set(BBut6, shell_texts::kHintToTray);
  hints_.Set(BBut1, shell_texts::kHintMinimise);
  hints_.Set(BBut5, shell_texts::kHintMaximise);
  hints_.Set(BBut2, shell_texts::kHintClose);
  hints_.Set(BBut3, shell_texts::kHintSave);
  hints_.Set(BBut4, shell_texts::kHintClear);
  hints_.Set(Button2, shell_texts::kHintAbout);
  hints_.Set(ExitBtn, shell_texts::kHintExit);
  hints_.Set(MSG, shell_texts::kHintMessage);
  hints_.Set(SendB, shell_texts::kHintSend);
  // The transport list's hint (shell_texts::kHintTransport) is never shown: hints are off for
  // that control.
}
