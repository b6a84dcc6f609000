// The main window's frame and keys: moving and resizing by the skin's edges through the
// platform's own loops, maximising, minimising (to the taskbar or the notification area), exit,
// and the key bindings.
#include "shell/Unit1.h"

void TForm1::StartChromeCommand(ChromePart part) {
  // The platform's move and size loops end on the button's release; under the X server that
  // holds only for the left button, so only the left button starts them.
  ReleaseCapture();
  SendMessageW(Handle(), WM_SYSCOMMAND, ChromeCommand(part), 0);
}

void TForm1::TitleMouseDown(TObject*, TMouseButton Button, TShiftState, int, int) {
  if (Button == TMouseButton::mbLeft) StartChromeCommand(ChromePart::Title);
}

void TForm1::EdgeMouseDown(TObject* Sender, TMouseButton Button, TShiftState, int, int) {
  if (Button != TMouseButton::mbLeft) return;
  if (Sender == &Image4) {
    StartChromeCommand(ChromePart::LeftEdge);
  } else if (Sender == &Image5) {
    StartChromeCommand(ChromePart::RightEdge);
  } else if (Sender == &Shape1) {
    StartChromeCommand(ChromePart::BottomEdge);
  } else if (Sender == &Shape2) {
    StartChromeCommand(ChromePart::Grip);
  }
}

void TForm1::ToggleMaximised() {
  SetWindowState(WindowState() == TWindowState::wsMaximized ? TWindowState::wsNormal
                                                            : TWindowState::wsMaximized);
}

void TForm1::TitleDblClick(TObject*) {
  ToggleMaximised();
}

void TForm1::BBut5Click(TObject*) {
  ToggleMaximised();
}

void TForm1::BBut1Click(TObject*) {
  Application->Minimize();
}

void TForm1::BBut6Click(TObject*) {
  TI.HideMainWindow();
  TI.SetIconVisible(true);
}

void TForm1::TIClick(TObject*) {
  TI.RestoreMainWindow();
  TI.SetIconVisible(false);
}

void TForm1::ExitBtnClick(TObject*) {
  // A maximised window is set back first, so that the normal place and size are stored.
  if (WindowState() == TWindowState::wsMaximized) SetWindowState(TWindowState::wsNormal);
  Application->Terminate();
}

void TForm1::BBut2Click(TObject* Sender) {
  ExitBtnClick(Sender);
}

// --- keys ---------------------------------------------------------------------------------------

void TForm1::ConnectKeyDown(TObject* Sender, WORD& Key, TShiftState Shift) {
  if (Key == VK_RETURN) {
    ConB.Click();
  } else {
    FormKeyDown(Sender, Key, Shift);
  }
}

void TForm1::MSGKeyDown(TObject* Sender, WORD& Key, TShiftState Shift) {
  // The send button's state is not looked at: a programmatic click works on a disabled button.
  if (Key == VK_RETURN) {
    if (controller_.IsConnected()) SendB.Click();
  } else {
    FormKeyDown(Sender, Key, Shift);
  }
}

void TForm1::EnterKeyPress(TObject*, char& Key) {
  // Enter did its work on the key-down. A single-line field outside a dialog would answer the
  // character that follows with a beep, also inside an error box's loop that the work opened.
  if (Key == '\r') Key = 0;
}

void TForm1::ListKeyDown(TObject* Sender, WORD& Key, TShiftState Shift) {
  FormKeyDown(Sender, Key, Shift);
}

void TForm1::FormKeyDown(TObject*, WORD& Key, TShiftState) {
  if (Key == VK_F1) Button2.Click();
}
